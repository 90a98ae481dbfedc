#pragma once

#include <string>
#include <windows.h>

namespace lirbo::win32 {

// The program's boxes. Texts are Windows-1251 bytes.
class MessageBoxes {
public:
    // The error box: caption "Lirbo", stop icon, one OK button, owned by the active window.
    static void showError(const std::string& text);
    // "Вы действительно хотите очистить чат?" under the caption "Warning" with the exclamation
    // icon and the buttons "OK" (default) and "Cancel"; centred on the screen, silent.
    static bool confirmClearChat();
    // The box of a failed start: caption "Application Error", no owner, task-modal.
    static void showStartupFailure(const std::string& text);
};

} // namespace lirbo::win32
