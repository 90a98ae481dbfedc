#pragma once

#include <windows.h>

namespace lirbo::win32 {

// The dialog templates give positions and sizes in pixels at 96 dots per inch. When a dialog
// opens, the dialog manager has read them as dialog units; this turns every control and the
// client area back into those pixel values, fits text labels to their text, and centres the
// dialog on the screen again.
void applyPixelGeometry(HWND dialog);

} // namespace lirbo::win32
