#include "ui/win32/PeerListDrawing.h"

#include "ui/win32/WindowText.h"

#include <algorithm>
#include <commctrl.h>

namespace lirbo::win32 {

void PeerListDrawing::attach(HWND list, HWND hints, RowPresence presence) {
    m_list = list;
    m_hints = hints;
    m_presence = std::move(presence);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(list);
    tool.uId = reinterpret_cast<UINT_PTR>(list);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(m_hints, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SetWindowSubclass(list, &PeerListDrawing::listProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

namespace {

// A dot before the row's text: red for a connection problem, green for a peer that answers, a
// grey ring otherwise, sized by the row's height. Returns what is left of the row for the text.
RECT drawVerdictMark(HDC dc, const RECT& row, app::ConnectionVerdict verdict) {
    const LONG size = std::max<LONG>(4, (row.bottom - row.top) / 3);
    const LONG top = row.top + (row.bottom - row.top - size) / 2;
    const COLORREF colour = app::verdictIsProblem(verdict)               ? RGB(0xC0, 0x00, 0x00)
                            : verdict == app::ConnectionVerdict::Answers ? RGB(0x00, 0x90, 0x00)
                                                                         : RGB(0x90, 0x90, 0x90);
    const bool filled = app::verdictIsProblem(verdict) || verdict == app::ConnectionVerdict::Answers;
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HBRUSH brush = filled ? CreateSolidBrush(colour) : nullptr;
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, filled ? static_cast<HGDIOBJ>(brush) : GetStockObject(NULL_BRUSH));
    Ellipse(dc, row.left + 3, top, row.left + 3 + size, top + size);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    if (brush != nullptr) {
        DeleteObject(brush);
    }
    RECT text = row;
    text.left += 3 + size + 3;
    return text;
}

} // namespace

void PeerListDrawing::draw(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1)) {
        return;
    }
    const int length = static_cast<int>(SendMessageW(m_list, LB_GETTEXTLEN, item.itemID, 0));
    std::wstring text(length > 0 ? static_cast<std::size_t>(length) : 0, L'\0');
    if (length > 0) {
        SendMessageW(m_list, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool departed = item.itemData == kDeparted;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(item.hDC, TRANSPARENT);
    const COLORREF colour = GetSysColor(departed ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    SetTextColor(item.hDC, item.itemData == kFailed ? RGB(0xC0, 0x00, 0x00) : colour);
    const auto row = static_cast<std::size_t>(item.itemID);
    RECT area = drawVerdictMark(item.hDC, item.rcItem,
                                row < m_verdicts.size() ? m_verdicts[row] : app::ConnectionVerdict::Unknown);
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    const app::PeerNames::Name name = m_names ? m_names(static_cast<int>(item.itemID)) : app::PeerNames::Name{};
    if (!name.text.empty()) {
        drawName(item, area, text, name, selected);
    }
    if ((item.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(item.hDC, &item.rcItem);
    }
}

// The name after the address and two spaces (one is narrow in the list's font), in the row's font,
// or its italic for a learned nick.
void PeerListDrawing::drawName(const DRAWITEMSTRUCT& item, RECT area, const std::wstring& address,
                               const app::PeerNames::Name& name, bool selected) {
    const std::wstring spaced = address + L"  ";
    SIZE width{};
    GetTextExtentPoint32W(item.hDC, spaced.c_str(), static_cast<int>(spaced.size()), &width);
    area.left += width.cx;
    if (area.left >= area.right) {
        return;
    }
    HFONT italic = nullptr;
    HGDIOBJ previous = nullptr;
    if (name.learned) {
        LOGFONTW font{};
        GetObjectW(GetCurrentObject(item.hDC, OBJ_FONT), sizeof font, &font);
        font.lfItalic = TRUE;
        italic = CreateFontIndirectW(&font);
        previous = SelectObject(item.hDC, italic);
        if (!selected) {
            SetTextColor(item.hDC, GetSysColor(COLOR_GRAYTEXT));
        }
    }
    const std::wstring text = wide(name.text);
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (italic != nullptr) {
        SelectObject(item.hDC, previous);
        DeleteObject(italic);
    }
}

int PeerListDrawing::rowUnderMouse() const {
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(m_list, &cursor);
    const LRESULT hit = SendMessageW(m_list, LB_ITEMFROMPOINT, 0, MAKELPARAM(cursor.x, cursor.y));
    if (HIWORD(hit) != 0) { // outside every row
        return -1;
    }
    return static_cast<int>(LOWORD(hit));
}

bool PeerListDrawing::hintText(NMHDR* notice) {
    if (notice->code != TTN_GETDISPINFOW || notice->idFrom != reinterpret_cast<UINT_PTR>(m_list)) {
        return false;
    }
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(notice);
    m_hintRow = rowUnderMouse();
    m_hint = wide(m_hintRow >= 0 && m_presence ? m_presence(m_hintRow).hint : std::string());
    info->lpszText = const_cast<wchar_t*>(m_hint.c_str());
    return true;
}

void PeerListDrawing::refresh() {
    const auto rows = static_cast<int>(SendMessageW(m_list, LB_GETCOUNT, 0, 0));
    m_verdicts.assign(static_cast<std::size_t>(rows > 0 ? rows : 0), app::ConnectionVerdict::Unknown);
    for (int i = 0; i < rows && m_presence; ++i) {
        const app::Presence::Row row = m_presence(i);
        m_verdicts[static_cast<std::size_t>(i)] = row.verdict;
        SendMessageW(m_list, LB_SETITEMDATA, static_cast<WPARAM>(i),
                     row.failed     ? kFailed
                     : row.departed ? kDeparted
                                    : 0);
    }
    InvalidateRect(m_list, nullptr, FALSE);
    SendMessageW(m_hints, TTM_UPDATE, 0, 0);
}

// A move onto another row asks the tooltip for that row's text.
LRESULT CALLBACK PeerListDrawing::listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR data) {
    auto* self = reinterpret_cast<PeerListDrawing*>(data);
    if (message == WM_MOUSEMOVE && self->rowUnderMouse() != self->m_hintRow) {
        self->m_hintRow = self->rowUnderMouse();
        SendMessageW(self->m_hints, TTM_UPDATE, 0, 0);
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(list, &PeerListDrawing::listProc, 1);
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

} // namespace lirbo::win32
