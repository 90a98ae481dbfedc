#include "ui/qt/FixedDialog.h"

#include "ui/qt/LirboLook.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

namespace lirbo::ui {

FixedDialog::FixedDialog(QWidget* parent, const QString& caption, QSize clientSize)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(caption);
    setFont(LirboLook::font());
    setFixedSize(clientSize);
    setSizeGripEnabled(false);
}

void FixedDialog::reject() {
    done(kResultCancel);
}

QLabel* FixedDialog::addLabel(const QString& objectName, const QString& text, QPoint position) {
    auto* label = new QLabel(text, this);
    label->setObjectName(objectName);
    label->move(position);
    label->adjustSize();
    return label;
}

QPushButton* FixedDialog::addButton(const QString& objectName, const QString& text, const QRect& geometry) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    button->setGeometry(geometry);
    return button;
}

void FixedDialog::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // A focused push button ignores Enter unless it is a default button; press it here instead.
        // Enter anywhere else does nothing.
        if (auto* button = qobject_cast<QAbstractButton*>(focusWidget())) {
            button->click();
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FixedDialog::showEvent(QShowEvent* event) {
    if (event->spontaneous()) {
        QDialog::showEvent(event);
        return;
    }
    // QDialog makes the first auto-default button the default one when it shows.
    for (auto* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    QDialog::showEvent(event); // centres on the parent; the screen's centre wins below
    if (const QScreen* target = screen()) {
        // The frame is counted where the window system reports it before the window maps.
        const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
        QRect placed(QPoint(), size().grownBy(frame));
        placed.moveCenter(target->availableGeometry().center());
        move(placed.topLeft());
    }
    if (m_initialFocus != nullptr) {
        m_initialFocus->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(m_initialFocus)) {
            edit->selectAll();
        }
    }
}

} // namespace lirbo::ui
