#pragma once

#include <windows.h>

namespace lirbo::win32 {

// A button glyph from the resources, its bottom-left pixel's colour (magenta) replaced by the
// button face, so it shows transparent on the button. The caller deletes it.
HBITMAP loadGlyph(HINSTANCE instance, int resourceId);

} // namespace lirbo::win32
