#pragma once

#include "app/PeerNames.h"
#include "app/Presence.h"

#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace lirbo::win32 {

// The rows of iplist drawn with their presence: an owner-drawn list box that keeps its strings
// (so its text reads as before), a departed address greyed, a failed one red, a small mark before
// each row for its connection verdict, and a hint per row that follows the mouse from row to row.
class PeerListDrawing {
public:
    using RowPresence = std::function<app::Presence::Row(int index)>;
    using RowName = std::function<app::PeerNames::Name(int index)>;
    // A row's item data while its address is greyed, or while its lookup or send failed (red,
    // which wins); 0 otherwise.
    static constexpr LPARAM kDeparted = 1;
    static constexpr LPARAM kFailed = 2;

    // `list` must be LBS_OWNERDRAWFIXED | LBS_HASSTRINGS; `hints` is the window's tooltip control.
    void attach(HWND list, HWND hints, RowPresence presence);
    // Each row's name, drawn after its address: a label as it is, a learned nick greyed and italic.
    void setNames(RowName names) { m_names = std::move(names); }
    // WM_DRAWITEM for the list box.
    void draw(const DRAWITEMSTRUCT& item) const;
    // The tooltip asks for the text of the row under the mouse (TTN_GETDISPINFOW); true when the
    // notice was the list's.
    bool hintText(NMHDR* notice);
    // The rows or their presence changed: each row's item data takes its greying, the rows repaint
    // and a hint that is showing is asked again.
    void refresh();

private:
    static LRESULT CALLBACK listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
    int rowUnderMouse() const;
    static void drawName(const DRAWITEMSTRUCT& item, RECT area, const std::wstring& address,
                         const app::PeerNames::Name& name, bool selected);

    HWND m_list = nullptr;
    HWND m_hints = nullptr;
    RowPresence m_presence;
    RowName m_names;
    std::vector<app::ConnectionVerdict> m_verdicts; // per row, as of the latest refresh
    int m_hintRow = -1;
    std::wstring m_hint; // stays alive while the tooltip shows it
};

} // namespace lirbo::win32
