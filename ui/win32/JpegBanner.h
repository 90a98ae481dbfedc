#pragma once

#include <windows.h>

namespace lirbo::win32 {

// Decodes the JPEG banner resource with libjpeg into a bitmap of exactly width x height pixels:
// the picture unscaled from its top-left corner, cut at the edges, white where it is smaller.
// Returns nullptr when the resource is missing or does not decode.
HBITMAP loadJpegBanner(HINSTANCE instance, int resourceId, int width, int height);

} // namespace lirbo::win32
