#include "ui/win32/DialogGeometry.h"

#include "ui/win32/Dpi.h"

#include <string>

namespace lirbo::win32 {

namespace {

// The integer that MulDiv(value, base, divisor) turned into `pixels`; the mapping is one to one
// since a dialog unit is more than one pixel with the dialog fonts used here.
int unmap(int pixels, int base, int divisor) {
    const int guess = MulDiv(pixels, divisor, base);
    for (int candidate : {guess, guess - 1, guess + 1}) {
        if (MulDiv(candidate, base, divisor) == pixels) {
            return candidate;
        }
    }
    return guess;
}

bool isTextLabel(HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    return lstrcmpiW(className, L"Static") == 0 && (style & SS_TYPEMASK) == SS_LEFT;
}

SIZE textSize(HWND control) {
    wchar_t text[256] = {};
    GetWindowTextW(control, text, 256);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT bounds{0, 0, 0, 0};
    DrawTextW(dc, text, -1, &bounds, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return SIZE{bounds.right, bounds.bottom};
}

} // namespace

void applyPixelGeometry(HWND dialog) {
    RECT units{0, 0, 4, 8};
    MapDialogRect(dialog, &units);
    const int baseX = units.right;
    const int baseY = units.bottom;
    const Dpi dpi = Dpi::of(dialog);
    auto x = [&](int pixels) { return dpi(unmap(pixels, baseX, 4)); };
    auto y = [&](int pixels) { return dpi(unmap(pixels, baseY, 8)); };

    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        if (lstrcmpiW(className, L"ComboBox") == 0) {
            RECT dropped;
            SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            r.bottom = r.top + (dropped.bottom - dropped.top);
        }
        int width = x(r.right - r.left);
        int height = y(r.bottom - r.top);
        if (isTextLabel(child)) {
            const SIZE fit = textSize(child);
            width = fit.cx;
            height = fit.cy;
        }
        SetWindowPos(child, nullptr, x(r.left), y(r.top), width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    RECT client;
    GetClientRect(dialog, &client);
    const RECT frame =
        dpi.frameFor(x(client.right), y(client.bottom), static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), false,
                     static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - frameWidth) / 2,
                 work.top + (work.bottom - work.top - frameHeight) / 2, frameWidth, frameHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace lirbo::win32
