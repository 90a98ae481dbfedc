#pragma once

#include "ui/common/FormDescription.h"

#include <windows.h>

namespace lirbo::win32 {

// When a dialog built from `form` opens: places every control where the description puts it in
// pixels at the dialog's scaling (a drop-down's height is that of its open list), fits text
// labels to their text (a label cut with "..." no wider than described), gives the dialog the
// described client area, and centres it on the screen.
void applyFormGeometry(HWND dialog, const ui::FormDescription& form);

} // namespace lirbo::win32
