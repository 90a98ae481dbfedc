#pragma once

#include <QLineEdit>

class QFocusEvent;

namespace lirbo::ui {

// A single-line edit that selects its whole text when it gets the focus from the keyboard or from
// the program, so that typing replaces it. A mouse click keeps the caret where it lands, and coming
// back from another window or from a context menu keeps the selection the user had.
class AutoSelectLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit AutoSelectLineEdit(QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
};

} // namespace lirbo::ui
