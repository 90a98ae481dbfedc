#pragma once

#include <windows.h>

namespace lirbo::win32 {

// What Enter in a dialog presses: the dialog manager reports it as IDOK, also on a focused push
// button whose own ID it does not always send. The focused push button's ID when one has the
// focus, else `otherwise` (0: nothing).
int enterTarget(HWND dialog, int otherwise);

} // namespace lirbo::win32
