#include "ui/qt/ConfirmBox.h"

#include "core/Texts.h"
#include "ui/qt/UiText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScreen>

namespace lirbo::ui {

ConfirmBox::ConfirmBox(const QString& caption, const QString& text, QWidget* parent)
    : QMessageBox(QMessageBox::Warning, caption, text, QMessageBox::Ok | QMessageBox::Cancel, parent) {
    setDefaultButton(QMessageBox::Ok);
    setEscapeButton(QMessageBox::Cancel);
    // The program's own box: its buttons read the same in every language.
    button(QMessageBox::Ok)->setText(uiText(text::kOkLatin));
    button(QMessageBox::Cancel)->setText(uiText(text::kCancelLatin));
}

QString ConfirmBox::copyText() const {
    const QString rule = QStringLiteral("---------------------------\n");
    QString buttonsLine;
    for (QMessageBox::StandardButton id : {QMessageBox::Ok, QMessageBox::Cancel}) {
        if (const QAbstractButton* b = button(id)) {
            buttonsLine += b->text().remove('&') + QStringLiteral("   ");
        }
    }
    return rule + windowTitle() + '\n' + rule + text() + '\n' + rule + buttonsLine + '\n' + rule;
}

void ConfirmBox::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy) {
        QApplication::beep();
        QApplication::clipboard()->setText(copyText());
        event->accept();
        return;
    }
    QMessageBox::keyPressEvent(event);
}

void ConfirmBox::showEvent(QShowEvent* event) {
    QMessageBox::showEvent(event);
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace lirbo::ui
