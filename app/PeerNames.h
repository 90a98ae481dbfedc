#pragma once

#include "core/PeerNotes.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace lirbo::app {

// Who each address is, and whose messages the user does not want to see: the label the user gave
// an address, the last nick heard from it, and the muted addresses. Addresses match as
// Presence::sameAddress says ("127.1" is 127.0.0.1); a host name is never looked up.
// Nicks are learned only for the peer list's addresses and at most `mutedLimit` addresses are
// muted, so that datagrams from ever new addresses cannot grow what is kept, nor lirbo.ini.
class PeerNames {
public:
    // What a peer row shows beside its address: the label, else the nick heard (learned).
    struct Name {
        std::string text;
        bool learned = false;
    };

    explicit PeerNames(std::size_t mutedLimit = 1024) : m_mutedLimit(mutedLimit) {}

    // Takes what lirbo.ini held: labels and nicks for the entries, and the muted addresses.
    void adopt(const core::TPeerNotes& notes);
    // What lirbo.ini is to hold: labels and nicks of the list's `entries` (keyed as typed there),
    // and the muted addresses.
    core::TPeerNotes notes(const std::vector<std::string>& entries) const;

    Name name(const std::string& entry) const;
    const std::string& label(const std::string& entry) const;
    // An empty label removes it.
    void setLabel(const std::string& entry, const std::string& label);
    // A message with `nick` came from a listed address; an empty nick, or one with a control byte,
    // teaches nothing.
    void heard(const std::string& senderAddress, const std::string& nick);

    bool muted(const std::string& address) const;
    // False when nothing changed (or the limit refuses a new address).
    bool setMuted(const std::string& address, bool muted);

private:
    std::size_t m_mutedLimit;
    std::unordered_map<std::string, std::string> m_labels;  // address key -> label
    std::unordered_map<std::string, std::string> m_learned; // address key -> last nick
    std::unordered_map<std::string, std::string> m_muted;   // address key -> address as given
};

} // namespace lirbo::app
