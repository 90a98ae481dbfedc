#pragma once

#include "core/ChatPorts.h"

class QLineEdit;

namespace lirbo::ui {

// The input line `messaga` as the chat controller sees it.
class LineEditInput : public core::IInputLine {
public:
    explicit LineEditInput(QLineEdit& edit) : m_edit(edit) {}

    std::string text() const override;
    void clearAndFocus() override;

private:
    QLineEdit& m_edit;
};

} // namespace lirbo::ui
