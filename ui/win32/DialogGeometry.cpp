#include "ui/win32/DialogGeometry.h"

#include "ui/win32/Dpi.h"

#include <algorithm>
#include <string>

namespace lirbo::win32 {

namespace {

SIZE textSize(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT bounds{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &bounds, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return SIZE{bounds.right, bounds.bottom};
}

} // namespace

void applyFormGeometry(HWND dialog, const ui::FormDescription& form) {
    const Dpi dpi = Dpi::of(dialog);
    const ui::Size client{dpi(form.client.width), dpi(form.client.height)};
    for (const ui::ControlDescription& control : form.controls) {
        HWND child = GetDlgItem(dialog, control.id);
        if (child == nullptr) {
            continue;
        }
        ui::Rect placed = form.place(control, client, dpi.value());
        if (control.kind == ui::ControlKind::Label) {
            const SIZE fit = textSize(child);
            const bool cut = (control.flags & ui::kEndEllipsis) != 0;
            placed.width = cut ? std::min<int>(fit.cx, placed.width) : fit.cx;
            placed.height = fit.cy;
        }
        SetWindowPos(child, nullptr, placed.x, placed.y, placed.width, placed.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    const RECT frame = dpi.frameFor(client.width, client.height, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)),
                                    false, static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - frameWidth) / 2,
                 work.top + (work.bottom - work.top - frameHeight) / 2, frameWidth, frameHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace lirbo::win32
