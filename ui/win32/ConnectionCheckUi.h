#pragma once

#include "app/ChatSession.h"
#include "ui/win32/ConnectionCheckWindow.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/FirewallStatusWin32.h"
#include "ui/win32/NoticeBar.h"

#include <functional>
#include <memory>
#include <windows.h>

namespace lirbo::win32 {

// The main window's part of the connection check: the firewall read at start, the notice bar it
// may raise, the check window and the elevated rule helper. The main window forwards its
// messages here and leaves room for the bar above the transcript.
class ConnectionCheckUi {
public:
    // `layout` lays the main window out again (the bar came or went).
    ConnectionCheckUi(HINSTANCE instance, std::function<void()> layout);
    // The window is up: the session's check reads this firewall, first in the background now.
    void start(HWND window, app::ChatSession& session);
    void openWindow();
    // Messages of the main window that are the check's; true when handled.
    bool handle(UINT message, WPARAM wParam, LPARAM lParam);
    HWND dialog() const { return m_window.handle(); }
    HWND bar() const { return m_bar.handle(); }
    int barHeight(const Dpi& dpi) const { return m_bar.height(dpi); }
    void setFont(HFONT font, const Dpi& dpi);

private:
    ConnectionCheckWindow::Shown shown();

    HINSTANCE m_instance;
    HWND m_main = nullptr;
    app::ChatSession* m_session = nullptr;
    HFONT m_font = nullptr;
    std::shared_ptr<FirewallStatusWin32> m_firewall = std::make_shared<FirewallStatusWin32>();
    NoticeBar m_bar;
    ConnectionCheckWindow m_window;
};

} // namespace lirbo::win32
