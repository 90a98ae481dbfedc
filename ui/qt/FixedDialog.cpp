#include "ui/qt/FixedDialog.h"

#include "ui/qt/DescribedForm.h"
#include "ui/qt/LirboLook.h"
#include "ui/qt/UiText.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

namespace lirbo::ui {

FixedDialog::FixedDialog(QWidget* parent, const FormDescription& form)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(uiText(form.name));
    setWindowTitle(uiText(form.caption));
    setFont(LirboLook::font()); // before the controls, which measure their texts in it
    setFixedSize(form.client.width, form.client.height);
    setSizeGripEnabled(false);
    DescribedForm described(form);
    described.build(*this);
    described.place(size());
    described.chainFocus();
}

void FixedDialog::missingControl(const char* name) {
    qFatal("A dialog looks up the control %s, which its description lacks", name);
}

void FixedDialog::reject() {
    done(kResultCancel);
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
