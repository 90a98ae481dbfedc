#include "ui/win32/Dpi.h"

namespace lirbo::win32 {

namespace {

// Windows 10 (1607) and later; looked up so that the program still starts on older systems.
template <typename Function> Function user32(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

} // namespace

Dpi Dpi::of(HWND window) {
    static const auto forWindow = user32<GetDpiForWindowFunction>("GetDpiForWindow");
    if (forWindow != nullptr && window != nullptr) {
        return Dpi(static_cast<int>(forWindow(window)));
    }
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return Dpi(dotsPerInch);
}

RECT Dpi::frameFor(int clientWidth, int clientHeight, DWORD style, bool menu, DWORD exStyle) const {
    static const auto adjust = user32<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, clientWidth, clientHeight};
    if (adjust != nullptr) {
        adjust(&frame, style, menu ? TRUE : FALSE, exStyle, static_cast<UINT>(m_dotsPerInch));
    } else {
        AdjustWindowRectEx(&frame, style, menu ? TRUE : FALSE, exStyle);
    }
    return frame;
}

HFONT createTahoma(const Dpi& dpi) {
    return CreateFontW(dpi.fontHeight(8), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

} // namespace lirbo::win32
