#include "ui/qt/QtBeeper.h"

#include <QApplication>

namespace lirbo::ui {

void QtBeeper::beep() {
    ++m_count;
    QApplication::beep();
}

} // namespace lirbo::ui
