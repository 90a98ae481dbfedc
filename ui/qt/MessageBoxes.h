#pragma once

#include "core/Texts.h"
#include "ui/qt/UiText.h"

#include <QString>
#include <string>

class QWidget;

namespace lirbo::ui {

// The program's modal boxes. Each goes through ModalSeam, so tests can answer it without a loop.
class MessageBoxes {
public:
    // The error box: caption "Lirbo", stop icon, one "OK", exactly this text (Windows-1251 bytes).
    // Owned by the active window, else by `parent`.
    static void showError(QWidget* parent, const std::string& text);

    // The clear-the-chat confirmation: true only for "OK" (or Enter).
    static bool confirmClearChat(QWidget* parent);

    // The start-up failure box: caption "Application Error", no owner, stop icon, one "OK".
    static void showStartupFailure(const QString& text);

    static QString applicationTitle() { return uiText(text::kProgramTitle); }
};

} // namespace lirbo::ui
