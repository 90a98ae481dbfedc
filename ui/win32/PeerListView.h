#pragma once

#include "app/ChatSession.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/PeerListDrawing.h"

#include <memory>
#include <windows.h>

namespace lirbo::win32 {

// iplist and what stands beside it: the rows with their presence and names, the glyph buttons
// that change the list, each row's menu and "скрыто: N" under it. Clicks and choices go to the
// session; the rows are drawn from what it holds.
class PeerListView {
public:
    // `session` is the window's: empty before it is made and after it ends.
    explicit PeerListView(const std::unique_ptr<app::ChatSession>& session) : m_session(session) {}

    // `hints` is the window's tooltip control, which shows each row's hint.
    void attach(HWND window, HWND hints);
    HWND list() const { return m_list; }
    void setDpi(const Dpi& dpi);

    // The window's command or notification when it is from one of these controls; false otherwise.
    bool command(int id, int notification);
    bool draw(WPARAM id, const DRAWITEMSTRUCT& item) const;
    bool hintText(NMHDR* notice) { return m_rows.hintText(notice); }
    // WM_CONTEXTMENU: a row's menu (from the keyboard, the selected row's); false if not the list's.
    bool contextMenu(HWND from, POINT screen);

    void peersChanged();
    void presenceChanged() { m_rows.refresh(); }
    void hiddenChanged();

private:
    void showHiddenMessages();

    const std::unique_ptr<app::ChatSession>& m_session;
    HWND m_window = nullptr;
    HWND m_list = nullptr;
    HWND m_hiddenCount = nullptr; // shown once a message was hidden
    PeerListDrawing m_rows;
};

} // namespace lirbo::win32
