#include "ui/win32/Glyphs.h"

namespace lirbo::win32 {

HBITMAP loadGlyph(HINSTANCE instance, int resourceId) {
    auto* bitmap = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    DIBSECTION section{};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof section, &section) != sizeof section ||
        section.dsBm.bmBitsPixel != 24 || section.dsBm.bmBits == nullptr) {
        return bitmap;
    }
    GdiFlush();
    auto* bits = static_cast<unsigned char*>(section.dsBm.bmBits);
    const int stride = section.dsBm.bmWidthBytes;
    const int height = section.dsBm.bmHeight;
    // Rows run bottom-up: the bottom-left pixel comes first.
    const unsigned char key[3] = {bits[0], bits[1], bits[2]};
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int y = 0; y < height; ++y) {
        unsigned char* pixel = bits + y * stride;
        for (int x = 0; x < section.dsBm.bmWidth; ++x, pixel += 3) {
            if (pixel[0] == key[0] && pixel[1] == key[1] && pixel[2] == key[2]) {
                pixel[0] = GetBValue(face);
                pixel[1] = GetGValue(face);
                pixel[2] = GetRValue(face);
            }
        }
    }
    return bitmap;
}

} // namespace lirbo::win32
