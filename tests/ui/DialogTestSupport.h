#pragma once

#include <QApplication>
#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace lirbo::ui::test {

// Result a test expects from a key press: the dialog stays open, or it ends with 1 or 2.
constexpr int kStaysOpen = 0;

// Shows a dialog without entering its modal loop and waits until it has the keyboard.
inline bool showActive(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    return QTest::qWaitForWindowActive(&dialog);
}

// The dialog's result as the caller of exec() would see it, or kStaysOpen while it is open.
inline int outcome(const QDialog& dialog, const QSignalSpy& finished) {
    if (dialog.isVisible()) {
        return finished.isEmpty() ? kStaysOpen : -1;
    }
    return finished.size() == 1 ? finished.at(0).at(0).toInt() : -1;
}

// Types text of any script into the focused widget (QTest::keyClicks takes Latin-1 only).
inline void typeText(const QString& text) {
    for (const QChar c : text) {
        QWidget* target = QApplication::focusWidget();
        QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

inline QString focusName() {
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus->objectName() : QStringLiteral("<none>");
}

// The objectNames met by pressing Tab (or Shift+Tab) `steps` times from the current focus.
inline QStringList tabWalk(int steps, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QStringList names;
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), modifiers == Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab,
                        modifiers);
        names << focusName();
    }
    return names;
}

} // namespace lirbo::ui::test
