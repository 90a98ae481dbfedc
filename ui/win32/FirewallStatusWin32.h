#pragma once

#include "app/FirewallRules.h"
#include "app/IFirewallStatus.h"
#include "ui/win32/FirewallAllowRule.h"

#include <string>
#include <windows.h>

namespace lirbo::win32 {

// The Windows Firewall for the connection check: read through its COM interface off the main
// thread (once at start, then again whenever the latest word is older than ten seconds when
// asked, and after the rule was added); `read` answers at once with the latest word. The rule is
// added by netsh started elevated, waited for off the main thread.
class FirewallStatusWin32 : public app::IFirewallStatus {
public:
    static constexpr int kPort = 8800;

    // The window that gets WM_LIRBO_FIREWALL and WM_LIRBO_ALLOW_RULE; the first read starts.
    void start(HWND window);
    // Takes a posted snapshot over; true when the start-up notice is due now: this is the first
    // word, the firewall is on and nothing lets the chat's datagrams in.
    bool take(LPARAM snapshot);
    // The latest word says the firewall keeps the chat's datagrams out.
    bool blocksChat() const { return app::firewall::noticeDue(m_verdict); }
    // The elevated helper has ended: its failure in a box, and the firewall read again.
    void allowFinished(AllowOutcome outcome, DWORD detail);

    app::FirewallReport read() override;
    void addRule() override;

private:
    void readInBackground();

    HWND m_window = nullptr;
    bool m_reading = false;
    bool m_taken = false; // a word came: the start-up notice had its one chance
    bool m_adding = false;
    DWORD m_lastRead = 0;
    app::firewall::Snapshot m_snapshot;
    app::firewall::Verdict m_verdict;
    std::string m_program;
};

} // namespace lirbo::win32
