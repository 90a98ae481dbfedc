#pragma once

#include "ui/win32/ConnectionCheckWindow.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/FirewallWatch.h"
#include "ui/win32/NoticeBar.h"

#include <functional>
#include <windows.h>

namespace lirbo::win32 {

// The main window's part of the connection check: the firewall read at start, the notice bar it
// may raise, the check window and the elevated rule helper. The main window forwards its
// messages here and leaves room for the bar above the transcript.
class ConnectionCheck {
public:
    // `layout` lays the main window out again (the bar came or went).
    ConnectionCheck(HINSTANCE instance, std::function<void()> layout);
    // The window is up: the firewall is read in the background.
    void start(HWND window);
    void openWindow();
    // Messages of the main window that are the check's; true when handled.
    bool handle(UINT message, WPARAM wParam, LPARAM lParam);
    HWND dialog() const { return m_window.handle(); }
    HWND bar() const { return m_bar.handle(); }
    int barHeight(const Dpi& dpi) const { return m_bar.height(dpi); }
    void setFont(HFONT font, const Dpi& dpi);

private:
    std::string report() const;
    void allow();
    void tick();

    HINSTANCE m_instance;
    HWND m_main = nullptr;
    HFONT m_font = nullptr;
    FirewallWatch m_firewall;
    NoticeBar m_bar;
    ConnectionCheckWindow m_window;
    bool m_allowRunning = false;
    DWORD m_lastRead = 0;
};

} // namespace lirbo::win32
