#pragma once

#include "app/InputRules.h"
#include "core/WidePath.h"

#include <string>
#include <string_view>
#include <windows.h>

namespace lirbo::win32 {

// A text of core/Texts.h, spelled in UTF-8, as the UTF-16 every window takes.
inline std::wstring uiText(std::string_view utf8) {
    return core::fs::widePath(utf8);
}

// The program's Windows-1251 text as the UTF-16 every window takes, and back, through core's
// code-page table: the same whatever code page the system uses for non-Unicode programs.
std::wstring wide(const std::string& cp1251);
// One of the program's own texts (core/Texts.h, the forms' descriptions), spelled in UTF-8, as
// Characters Windows-1251 lacks become "?".
std::string cp1251(const std::wstring& text);

// A window's text as Windows-1251 bytes, whatever its length.
std::string windowText(HWND window);
void setWindowText(HWND window, const std::string& text);

// What the user typed into an edit: the Windows-1251 bytes ("?" for each character that code page
// lacks), the lacking characters, and the control's own UTF-16 text, so that it can come back whole.
app::TypedText typedText(HWND edit);
void setTypedText(HWND edit, const app::TypedText& text);

} // namespace lirbo::win32
