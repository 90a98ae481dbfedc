#pragma once

#include <windows.h>

namespace lirbo::win32 {

// Registers a top-level window class of the program: its icon, the arrow cursor and the dialog
// face colour behind the controls.
void registerTopLevelClass(HINSTANCE instance, WNDPROC procedure, const wchar_t* name);

} // namespace lirbo::win32
