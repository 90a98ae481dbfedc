#include "ui/win32/Glyphs.h"

#include <algorithm>

namespace lirbo::win32 {

namespace {

HBITMAP screenBitmap(HDC screen, int width, int height) {
    return CreateCompatibleBitmap(screen, width > 0 ? width : 1, height > 0 ? height : 1);
}

} // namespace

HBITMAP scaledBitmap(HBITMAP bitmap, int width, int height) {
    BITMAP source{};
    GetObjectW(bitmap, sizeof source, &source);
    const int sourceWidth = std::max(1, static_cast<int>(source.bmWidth));
    const int factor = std::max(1, (width + sourceWidth - 1) / sourceWidth);
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP large = screenBitmap(screen, source.bmWidth * factor, source.bmHeight * factor);
    HBITMAP result = screenBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);

    HGDIOBJ oldFrom = SelectObject(from, bitmap);
    HGDIOBJ oldTo = SelectObject(to, large);
    SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, 0, 0, source.bmWidth * factor, source.bmHeight * factor, from, 0, 0, source.bmWidth, source.bmHeight,
               SRCCOPY);
    SelectObject(to, result); // a bitmap is in one DC at a time: `large` leaves `to` first
    SelectObject(from, large);
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, source.bmWidth * factor, source.bmHeight * factor, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    DeleteObject(large);
    return result;
}

HBITMAP loadGlyph(HINSTANCE instance, const wchar_t* name, const Dpi& dpi) {
    auto* bitmap = static_cast<HBITMAP>(LoadImageW(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    DIBSECTION section{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof section, &section) != sizeof section ||
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
    if (dpi.value() == Dpi::kDefault) {
        return bitmap;
    }
    HBITMAP scaled = scaledBitmap(bitmap, dpi(section.dsBm.bmWidth), dpi(section.dsBm.bmHeight));
    DeleteObject(bitmap);
    return scaled;
}

} // namespace lirbo::win32
