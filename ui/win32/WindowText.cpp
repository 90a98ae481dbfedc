#include "ui/win32/WindowText.h"

namespace lirbo::win32 {

std::string windowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void setWindowText(HWND window, const std::string& text) {
    SetWindowTextA(window, text.c_str());
}

} // namespace lirbo::win32
