#pragma once

#include "ui/win32/Dpi.h"

#include <windows.h>

namespace lirbo::win32 {

// A button glyph from the resources, named as its picture in ui/common/glyphs, at the scaling
// `dpi`, its bottom-left pixel's colour (magenta) replaced by the button face, so it shows
// transparent on the button. The caller deletes it.
HBITMAP loadGlyph(HINSTANCE instance, const wchar_t* name, const Dpi& dpi);

// A copy of `bitmap` at width x height: first enlarged pixel for pixel by a whole factor, so
// edges stay hard, then brought to size with the system's averaging filter. The caller deletes
// both.
HBITMAP scaledBitmap(HBITMAP bitmap, int width, int height);

} // namespace lirbo::win32
