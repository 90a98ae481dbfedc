#include "app/ConnectionCheck.h"

#include "net/IPv4Address.h"

#include <unordered_set>
#include <utility>

namespace lirbo::app {

namespace {

// The Windows Sockets numbers of a send or route that cannot reach its address.
bool meansNoRoute(int error) {
    return error == 10051 || error == 10065; // network unreachable, host unreachable
}

} // namespace

ConnectionCheck::ConnectionCheck(Clock clock) : m_clock(std::move(clock)) {}

void ConnectionCheck::setPeers(const std::vector<std::string>& entries) {
    std::unordered_map<std::string, EntryState> kept;
    for (const auto& entry : entries) {
        if (kept.count(entry) != 0) {
            continue;
        }
        auto found = m_entries.find(entry);
        EntryState state = found != m_entries.end() ? std::move(found->second) : EntryState{};
        if (!state.address) {
            if (const auto parsed = net::IPv4Address::parse(entry)) {
                setAddress(state, parsed->toString());
            }
        }
        kept.emplace(entry, std::move(state));
    }
    m_entries = std::move(kept);
    prune();
}

void ConnectionCheck::setAddress(EntryState& state, const std::string& address) {
    state.address = address;
    m_addresses.try_emplace(address);
}

void ConnectionCheck::lookedUp(const std::string& entry, int error, const std::string& message,
                               const std::string& address) {
    auto found = m_entries.find(entry);
    if (found == m_entries.end()) {
        return;
    }
    EntryState& state = found->second;
    state.lookupError = error;
    state.lookupMessage = error != 0 ? message : std::string();
    if (error == 0 && !address.empty()) {
        setAddress(state, address);
        prune(); // the name may have stood for another address before
    }
}

void ConnectionCheck::sent(const std::string& entry, const std::string& address, int error,
                           const std::string& message) {
    auto found = m_entries.find(entry);
    if (found == m_entries.end()) {
        return;
    }
    EntryState& state = found->second;
    const TimePoint now = m_clock();
    state.lastSend = Send{now, error, error != 0 ? message : std::string()};
    if (address.empty()) {
        return; // the name did not resolve: nothing went anywhere
    }
    if (!state.address || *state.address != address) {
        setAddress(state, address);
        prune();
    }
    if (error == 0) {
        state.routeError = 0; // it went out, so there is a route now
        m_addresses[address].lastSent = now;
    } else if (meansNoRoute(error)) {
        state.routeError = error;
    }
}

void ConnectionCheck::routeProbed(const std::string& entry, int error) {
    auto found = m_entries.find(entry);
    if (found != m_entries.end()) {
        found->second.routeError = meansNoRoute(error) ? error : 0;
    }
}

void ConnectionCheck::heard(const std::string& senderAddress, const std::string& nick) {
    const TimePoint now = m_clock();
    auto found = m_addresses.find(senderAddress);
    if (found == m_addresses.end()) {
        // Unlisted: kept only as where a nick heard from a listed address writes from now.
        auto nickSeen = m_nicks.find(nick);
        if (nickSeen != m_nicks.end()) {
            nickSeen->second = NickSeen{senderAddress, now};
        }
        return;
    }
    AddressState& address = found->second;
    const bool soonAfterSend = address.lastSent && now - *address.lastSent <= kFirewallWindow;
    ++(soonAfterSend ? address.heardSoonAfterSend : address.heardOtherwise);
    address.lastHeard = Heard{now, nick};
    m_nicks[nick] = NickSeen{senderAddress, now};
    // Nicks a listed address no longer uses go in bulk, so that one changing its nick with every
    // datagram costs no walk over the whole list each time.
    if (m_nicks.size() > 2 * m_addresses.size() + 16) {
        prune();
    }
}

void ConnectionCheck::prune() {
    std::unordered_set<std::string> addresses;
    for (const auto& [entry, state] : m_entries) {
        if (state.address) {
            addresses.insert(*state.address);
        }
    }
    std::unordered_set<std::string> nicks;
    for (auto it = m_addresses.begin(); it != m_addresses.end();) {
        if (addresses.count(it->first) == 0) {
            it = m_addresses.erase(it);
            continue;
        }
        if (it->second.lastHeard) {
            nicks.insert(it->second.lastHeard->nick);
        }
        ++it;
    }
    for (auto it = m_nicks.begin(); it != m_nicks.end();) {
        it = nicks.count(it->first) == 0 ? m_nicks.erase(it) : std::next(it);
    }
}

ConnectionVerdict ConnectionCheck::judge(const EntryState& state, std::string* otherAddress) const {
    if (state.lookupError != 0) {
        return ConnectionVerdict::NotFound;
    }
    if (state.routeError != 0) {
        return ConnectionVerdict::NoRoute;
    }
    const AddressState* address = nullptr;
    if (state.address) {
        auto found = m_addresses.find(*state.address);
        address = found != m_addresses.end() ? &found->second : nullptr;
    }
    if (address == nullptr || !address->lastHeard) {
        return ConnectionVerdict::NotYetWritten;
    }
    const Heard& heard = *address->lastHeard;
    auto nickSeen = m_nicks.find(heard.nick);
    if (nickSeen != m_nicks.end() && nickSeen->second.address != *state.address &&
        m_addresses.count(nickSeen->second.address) == 0 && nickSeen->second.time > heard.time) {
        if (otherAddress != nullptr) {
            *otherAddress = nickSeen->second.address;
        }
        return ConnectionVerdict::OtherAddress;
    }
    if (address->heardSoonAfterSend >= kFirewallReceipts && address->heardOtherwise == 0) {
        return ConnectionVerdict::FirewallSuspected;
    }
    return m_clock() - heard.time <= kAnswerWindow ? ConnectionVerdict::Answers : ConnectionVerdict::Quiet;
}

ConnectionVerdict ConnectionCheck::verdict(const std::string& entry) const {
    auto found = m_entries.find(entry);
    return found != m_entries.end() ? judge(found->second, nullptr) : ConnectionVerdict::Unknown;
}

ConnectionCheck::Entry ConnectionCheck::entry(const std::string& entry) const {
    Entry result;
    result.entry = entry;
    auto found = m_entries.find(entry);
    if (found == m_entries.end()) {
        return result;
    }
    const EntryState& state = found->second;
    result.address = state.address;
    result.lookupError = state.lookupError;
    result.lookupMessage = state.lookupMessage;
    result.lastSend = state.lastSend;
    result.routeError = state.routeError;
    if (state.address) {
        auto address = m_addresses.find(*state.address);
        if (address != m_addresses.end()) {
            result.lastHeard = address->second.lastHeard;
        }
    }
    result.verdict = judge(state, &result.otherAddress);
    return result;
}

} // namespace lirbo::app
