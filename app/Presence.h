#pragma once

#include "app/ConnectionVerdict.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace lirbo::app {

// What the peer list can tell of a row without any protocol: when a message last came from its
// address, and whether the last thing that came was a departure notice. There is no
// acknowledgement, so a row is never called reachable or online. Addresses match as text, and an
// entry that reads as an IPv4 address (any form the sender accepts: "127.1", "0x7f.0.0.1") also
// matches the dotted address it stands for; a host name is never looked up.
class Presence {
public:
    struct Row {
        std::string hint; // Windows-1251: "последнее сообщение в hh:nn" or "ещё не писал"
        bool departed = false;
        bool failed = false; // the last lookup of its name or send to it failed (PeerFailures)
        ConnectionVerdict verdict = ConnectionVerdict::Unknown; // the connection check's (ConnectionCheck)
    };

    // Remembers at most `unlistedLimit` addresses beyond those of the peer list, so that datagrams
    // from ever new (forged) addresses cannot grow it without end.
    explicit Presence(std::size_t unlistedLimit = 1024) : m_unlistedLimit(unlistedLimit) {}

    // The peer list's entries, whose addresses are never forgotten.
    void setPeers(const std::vector<std::string>& entries);
    // Whether some entry of the peer list names `address`.
    bool listed(const std::string& address) const;

    // A message from `senderAddress` was shown at `stamp` ("hh:nn"); a departure notice greys
    // the address until its next message. Returns whether the address's row reads differently
    // now (its first message, a new minute, a departure or a return), so a flood from one
    // address redraws the list once a minute, not once a message.
    bool messageFrom(const std::string& senderAddress, const std::string& stamp, bool departureNotice);
    std::size_t remembered() const { return m_seen.size(); }
    Row row(const std::string& entry) const;
    // Whether `entry` and `senderAddress` name the same address.
    static bool sameAddress(const std::string& entry, const std::string& senderAddress);
    // The dotted form for anything that reads as an IPv4 address, the text itself otherwise: two
    // addresses are the same exactly when their keys are.
    static std::string key(const std::string& address);

private:
    struct Seen {
        std::string stamp;
        bool departed = false;
    };

    std::size_t m_unlistedLimit;
    std::unordered_set<std::string> m_listed; // keys of the peer list's entries
    std::unordered_map<std::string, Seen> m_seen;
};

} // namespace lirbo::app
