#pragma once

#include <string>
#include <windows.h>

namespace lirbo::win32 {

// A window's text as Windows-1251 bytes, whatever its length.
std::string windowText(HWND window);
void setWindowText(HWND window, const std::string& text);

} // namespace lirbo::win32
