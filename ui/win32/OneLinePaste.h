#pragma once

#include <windows.h>

namespace lirbo::win32 {

// WM_PASTE for the input line: the clipboard's text goes in with each line break made a space
// (app::InputRules::joinLines), so the line shows all that will be sent. A single-line edit left
// alone would keep only the first line. False when the clipboard holds no text.
bool pasteAsOneLine(HWND edit);

} // namespace lirbo::win32
