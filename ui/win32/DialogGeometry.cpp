#include "ui/win32/DialogGeometry.h"

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
    char className[16] = {};
    GetClassNameA(control, className, sizeof className);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    return lstrcmpiA(className, "Static") == 0 && (style & SS_TYPEMASK) == SS_LEFT;
}

SIZE textSize(HWND control) {
    char text[256] = {};
    GetWindowTextA(control, text, sizeof text);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT bounds{0, 0, 0, 0};
    DrawTextA(dc, text, -1, &bounds, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
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
    auto x = [&](int pixels) { return unmap(pixels, baseX, 4); };
    auto y = [&](int pixels) { return unmap(pixels, baseY, 8); };

    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
        char className[16] = {};
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "ComboBox") == 0) {
            RECT dropped;
            SendMessageA(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
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
    RECT frame{0, 0, x(client.right), y(client.bottom)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - frameWidth) / 2,
                 work.top + (work.bottom - work.top - frameHeight) / 2, frameWidth, frameHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace lirbo::win32
