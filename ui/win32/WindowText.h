#pragma once

#include "app/InputRules.h"

#include <string>
#include <windows.h>

namespace lirbo::win32 {

// A window's text as Windows-1251 bytes, whatever its length.
std::string windowText(HWND window);
void setWindowText(HWND window, const std::string& text);

// What the user typed into an edit: the Windows-1251 bytes ("?" for each character that code page
// lacks), the lacking characters, and the control's own UTF-16 text, so that it can come back whole.
app::TypedText typedText(HWND edit);
void setTypedText(HWND edit, const app::TypedText& text);

} // namespace lirbo::win32
