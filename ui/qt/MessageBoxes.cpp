#include "ui/qt/MessageBoxes.h"

#include "core/Texts.h"
#include "ui/qt/ConfirmBox.h"
#include "ui/qt/Cp1251.h"
#include "ui/qt/ModalSeam.h"
#include "ui/qt/UiText.h"

#include <QApplication>
#include <QMessageBox>

namespace lirbo::ui {

namespace {

QWidget* ownerFor(QWidget* parent) {
    if (QWidget* active = QApplication::activeModalWidget()) {
        return active;
    }
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    return parent;
}

// Socket errors carry CR LF; a label shows a plain line feed.
QString boxText(const std::string& message) {
    QString text = fromCp1251(message);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

void MessageBoxes::showError(QWidget* parent, const std::string& message) {
    const QString text = boxText(message);
    if (ModalSeam::takeButton(applicationTitle(), text)) {
        return;
    }
    QMessageBox box(QMessageBox::Critical, applicationTitle(), text, QMessageBox::Ok, ownerFor(parent));
    box.setTextFormat(Qt::PlainText); // errors name hosts and paths, which may hold anything
    box.exec();
}

bool MessageBoxes::confirmClearChat(QWidget* parent) {
    const QString caption = uiText(text::kWarningCaption);
    const QString text = uiText(text::kConfirmClearChat);
    if (const auto answer = ModalSeam::takeButton(caption, text)) {
        return *answer == QMessageBox::Ok;
    }
    ConfirmBox box(caption, text, parent);
    return box.exec() == QMessageBox::Ok;
}

void MessageBoxes::showStartupFailure(const QString& text) {
    const QString caption = uiText(text::kStartupFailureCaption);
    if (ModalSeam::takeButton(caption, text)) {
        return;
    }
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace lirbo::ui
