#pragma once

#include <string>
#include <vector>

namespace lirbo::app {

// What the connection check shows of this machine's firewall. Each platform reads its own
// firewall (or, where it cannot, gives advice); the window draws `lines` as they are and the
// report copies them.
struct FirewallReport {
    std::vector<std::string> lines; // Windows-1251, one line each, plain text
    bool blocksChat = false;        // the firewall is on and no enabled inbound rule lets UDP 8800 in
    bool canAddRule = false;        // the window may offer to add the rule (addRule)
};

class IFirewallStatus {
public:
    virtual ~IFirewallStatus() = default;
    // Called on the main thread each time the window refreshes (about once a second while it is
    // open): an implementation that is slow to read keeps its latest answer and reads it again
    // off the main thread. Never throws.
    virtual FirewallReport read() = 0;
    // Adds the inbound rule for UDP 8800 (on Windows through an elevated helper). Must not wait
    // for the user or the system; the next read tells the outcome. Never throws.
    virtual void addRule() {}
};

// The firewall line where the program cannot read the firewall (Linux): the usual tools and the
// commands that open UDP 8800, which the user can copy. Never blocks the chat.
class FirewallAdvice : public IFirewallStatus {
public:
    FirewallReport read() override;
};

} // namespace lirbo::app
