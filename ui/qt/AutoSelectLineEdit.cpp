#include "ui/qt/AutoSelectLineEdit.h"

#include <QFocusEvent>

namespace lirbo::ui {

AutoSelectLineEdit::AutoSelectLineEdit(QWidget* parent) : QLineEdit(parent) {}

void AutoSelectLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        selectAll();
        break;
    default:
        break;
    }
}

} // namespace lirbo::ui
