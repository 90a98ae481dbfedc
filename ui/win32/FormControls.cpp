#include "ui/win32/FormControls.h"

#include "ui/win32/ControlStyle.h"
#include "ui/win32/Glyphs.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

#include <commctrl.h>
#include <string>

namespace lirbo::win32 {

namespace {

using ui::ControlDescription;
using ui::ControlKind;

HMENU controlId(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

// The unseen labels that name the captionless controls keep numbers of their own.
int nameLabelId(int controlId) {
    switch (controlId) {
    case IDC_MESSAGA:
        return IDC_MESSAGA_NAME;
    case IDC_IPLIST:
        return IDC_IPLIST_NAME;
    case IDC_MEMOCHAT:
        return IDC_MEMOCHAT_NAME;
    default:
        return -1;
    }
}

// A glyph button's window text is its name for screen readers; it draws only the glyph.
std::string_view shownText(const ControlDescription& control) {
    return control.kind == ControlKind::GlyphButton ? control.accessibleName : control.caption;
}

} // namespace

FormControls::~FormControls() {
    for (HBITMAP glyph : m_glyphs) {
        DeleteObject(glyph);
    }
}

void FormControls::create(HWND parent, HINSTANCE instance, const MakeTranscript& makeTranscript) {
    m_parent = parent;
    for (const ControlDescription& control : m_form.controls) {
        if (!control.accessibleName.empty() && shownText(control).empty()) {
            // No size: never drawn, takes no room.
            CreateWindowExW(0, WC_STATICW, uiText(control.accessibleName).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, 0,
                            0, 0, 0, parent, controlId(nameLabelId(control.id)), instance, nullptr);
        }
        if (control.kind == ControlKind::Transcript) {
            makeTranscript(control);
            continue;
        }
        const ControlStyle made = controlStyle(control, ControlHost::Window);
        CreateWindowExW(made.exStyle, made.className, uiText(shownText(control)).c_str(), made.style, 0, 0, 0, 0,
                        parent, controlId(control.id), instance, nullptr);
    }
}

// The menu bar may wrap or differ in height from the estimate, so the frame is corrected from the
// client size it gave.
void FormControls::fitClientArea(const Dpi& dpi) const {
    const int width = dpi(m_form.client.width);
    const int height = dpi(m_form.client.height);
    const RECT frame =
        dpi.frameFor(width, height, static_cast<DWORD>(GetWindowLongW(m_parent, GWL_STYLE)),
                     GetMenu(m_parent) != nullptr, static_cast<DWORD>(GetWindowLongW(m_parent, GWL_EXSTYLE)));
    SetWindowPos(m_parent, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    RECT client;
    GetClientRect(m_parent, &client);
    RECT window;
    GetWindowRect(m_parent, &window);
    SetWindowPos(m_parent, nullptr, 0, 0, window.right - window.left + width - client.right,
                 window.bottom - window.top + height - client.bottom, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void FormControls::addHints(HWND hints) const {
    for (const ControlDescription& control : m_form.controls) {
        if (control.hint.empty()) {
            continue;
        }
        std::wstring hint = uiText(control.hint); // the tooltip keeps a copy
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_parent;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(m_parent, control.id));
        tool.lpszText = hint.data();
        SendMessageW(hints, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void FormControls::setGlyphs(HINSTANCE instance, const Dpi& dpi) {
    std::vector<HBITMAP> old;
    old.swap(m_glyphs);
    for (const ControlDescription& control : m_form.controls) {
        if (control.glyph.empty()) {
            continue;
        }
        HBITMAP bitmap = loadGlyph(instance, uiText(control.glyph).c_str(), dpi);
        if (bitmap != nullptr) {
            m_glyphs.push_back(bitmap);
            SendMessageW(GetDlgItem(m_parent, control.id), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
        }
    }
    for (HBITMAP glyph : old) {
        DeleteObject(glyph);
    }
}

void FormControls::layout(ui::Size client, int dpi, const Room& room) const {
    HDWP moves = BeginDeferWindowPos(static_cast<int>(m_form.controls.size()) + 1);
    for (const ControlDescription& control : m_form.controls) {
        ui::Rect at = m_form.place(control, client, dpi);
        if (room) {
            room(control, at, moves);
        }
        // Whole repaints: a copy of their old pixels left the send button half drawn.
        moves = DeferWindowPos(moves, GetDlgItem(m_parent, control.id), nullptr, at.x, at.y, at.width, at.height,
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    EndDeferWindowPos(moves);
}

} // namespace lirbo::win32
