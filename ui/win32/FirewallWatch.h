#pragma once

#include "app/FirewallRules.h"

#include <string>
#include <vector>
#include <windows.h>

namespace lirbo::win32 {

// The latest word of the firewall on the chat's port, read in the background: once at start
// (for the notice bar, at most once per start), again while the connection check is open and
// after the rule was added.
class FirewallWatch {
public:
    static constexpr int kPort = 8800;

    // Starts a read unless one is running; its result comes to `window` as WM_LIRBO_FIREWALL.
    void read(HWND window);
    // Takes the posted snapshot over; true when the notice bar is due now: the first result
    // says the firewall is on and nothing lets the chat's datagrams in.
    bool take(LPARAM snapshot);
    bool known() const { return m_taken; }
    bool allowRuleHelps() const { return app::firewall::allowRuleHelps(m_verdict); }
    std::vector<std::string> reportLines() const;

private:
    bool m_reading = false;
    bool m_taken = false; // a snapshot came: the start-up notice had its one chance
    app::firewall::Snapshot m_snapshot;
    app::firewall::Verdict m_verdict;
    std::string m_program;
};

} // namespace lirbo::win32
