#include "ui/LineEditInput.h"

#include "ui/Cp1251.h"

#include <QLineEdit>

namespace lirbo::ui {

std::string LineEditInput::text() const {
    return toCp1251(m_edit.text());
}

void LineEditInput::clearAndFocus() {
    m_edit.clear();
    m_edit.setFocus(Qt::OtherFocusReason);
}

} // namespace lirbo::ui
