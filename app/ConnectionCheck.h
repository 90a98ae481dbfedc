#pragma once

#include "app/ConnectionVerdict.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace lirbo::app {

// What the program knows of each peer entry's connection, to tell a user why messages may not
// arrive: its latest lookup, its latest send and route, and what came from its address. Memory is
// bounded by the peer list: per entry and per address of a listed entry only the latest times and
// a few counters are kept, never a history, and datagrams from unlisted addresses are kept only as
// the latest address of a nick already heard from a listed one.
//
// Verdicts, the first that applies (why this order: a cause that stops every send comes before
// anything heard, and a pattern that explains what is heard comes before the plain "heard"):
//   1. NotFound          the latest lookup of the entry's name failed;
//   2. NoRoute           the latest send failed as unreachable (10051, 10065), or the latest route
//                        probe found no route;
//   3. OtherAddress      the nick last heard from the entry has since arrived from an address that
//                        no entry of the list stands for, and nothing came from the entry after it;
//   4. FirewallSuspected at least 3 datagrams came from its address, every one within 60 s after
//                        we sent to that address, and none at another time: a stateful firewall
//                        that lets answers in only for a while after each send, without a rule;
//   5. Answers           a datagram came from its address within the last 10 minutes;
//   6. Quiet             one came before that;
//   7. NotYetWritten     nothing came from it since the program started.
// All of it runs on the main thread. Times come from an injected steady clock.
class ConnectionCheck {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Clock = std::function<TimePoint()>;

    static constexpr std::chrono::minutes kAnswerWindow{10};
    static constexpr std::chrono::seconds kFirewallWindow{60};
    static constexpr std::uint32_t kFirewallReceipts = 3;

    // The latest send to an entry: when, and its error (0: it went out) with the error's message.
    struct Send {
        TimePoint time;
        int error = 0;
        std::string message; // Windows-1251
    };
    // What came last from an entry's address.
    struct Heard {
        TimePoint time;
        std::string nick; // Windows-1251, as it came
    };
    // Everything the check knows of one entry.
    struct Entry {
        std::string entry;                  // as typed
        std::optional<std::string> address; // the dotted IPv4 address it stands for, when known
        int lookupError = 0;
        std::string lookupMessage; // the failed lookup's error message
        std::optional<Send> lastSend;
        int routeError = 0; // the latest route probe's error; 0: none or fine
        std::optional<Heard> lastHeard;
        std::string otherAddress; // for OtherAddress: where its nick comes from now
        ConnectionVerdict verdict = ConnectionVerdict::Unknown;
    };

    explicit ConnectionCheck(Clock clock = &std::chrono::steady_clock::now);

    // The peer list's entries; everything of entries no longer listed is forgotten. An entry that
    // reads as an IPv4 address stands for that address at once; a name once looked up or sent to.
    void setPeers(const std::vector<std::string>& entries);
    // The latest lookup of `entry`'s name: an error, or the dotted address it resolves to.
    void lookedUp(const std::string& entry, int error, const std::string& message, const std::string& address);
    // A datagram to `entry` went out (`error` 0) or failed; `address` is where it went, dotted,
    // or empty when its name did not resolve.
    void sent(const std::string& entry, const std::string& address, int error, const std::string& message);
    // The latest route probe towards `entry`: 0, or the error that says no route.
    void routeProbed(const std::string& entry, int error);
    // A datagram with `nick` came from `senderAddress` (dotted IPv4), shown or not.
    void heard(const std::string& senderAddress, const std::string& nick);

    ConnectionVerdict verdict(const std::string& entry) const;
    // What is known of `entry`, verdict included; an unlisted entry has only its text.
    Entry entry(const std::string& entry) const;

    // How many addresses and nicks are kept: bounded by the peer list, whatever arrives.
    std::size_t remembered() const { return m_addresses.size() + m_nicks.size(); }

private:
    struct EntryState {
        std::optional<std::string> address;
        int lookupError = 0;
        std::string lookupMessage;
        std::optional<Send> lastSend;
        int routeError = 0;
    };
    struct AddressState {
        std::optional<TimePoint> lastSent;
        std::optional<Heard> lastHeard;
        std::uint32_t heardSoonAfterSend = 0;
        std::uint32_t heardOtherwise = 0;
    };
    struct NickSeen {
        std::string address;
        TimePoint time;
    };

    void setAddress(EntryState& state, const std::string& address);
    // Keeps the addresses that listed entries stand for, and the nicks last heard from them.
    void prune();
    ConnectionVerdict judge(const EntryState& state, std::string* otherAddress) const;

    Clock m_clock;
    std::unordered_map<std::string, EntryState> m_entries;     // by entry text
    std::unordered_map<std::string, AddressState> m_addresses; // by dotted address
    std::unordered_map<std::string, NickSeen> m_nicks;         // nick -> where it came from last
};

} // namespace lirbo::app
