#include "app/Presence.h"

#include "core/CodePage1251.h"
#include "core/Texts.h"
#include "net/IPv4Address.h"

#include <iterator>

namespace lirbo::app {

std::string Presence::key(const std::string& address) {
    const auto parsed = net::IPv4Address::parse(address);
    return parsed ? parsed->toString() : address;
}

bool Presence::sameAddress(const std::string& entry, const std::string& senderAddress) {
    return entry == senderAddress || key(entry) == key(senderAddress);
}

void Presence::setPeers(const std::vector<std::string>& entries) {
    m_listed.clear();
    for (const std::string& entry : entries) {
        m_listed.insert(key(entry));
    }
}

bool Presence::listed(const std::string& address) const {
    return m_listed.count(key(address)) > 0;
}

bool Presence::messageFrom(const std::string& senderAddress, const std::string& stamp, bool departureNotice) {
    const auto [found, added] = m_seen.try_emplace(key(senderAddress));
    Seen& seen = found->second;
    const bool changed = added || seen.stamp != stamp || seen.departed != departureNotice;
    seen.stamp = stamp;
    seen.departed = departureNotice;
    if (m_seen.size() > m_unlistedLimit + m_listed.size()) {
        for (auto i = m_seen.begin(); i != m_seen.end();) {
            i = m_listed.count(i->first) > 0 ? std::next(i) : m_seen.erase(i);
        }
    }
    return changed;
}

Presence::Row Presence::row(const std::string& entry) const {
    const auto found = m_seen.find(key(entry));
    if (found == m_seen.end()) {
        Row row;
        row.hint = core::cp1251::fromUtf8Once<text::kPresenceNotYet>();
        return row;
    }
    Row row;
    row.hint = core::cp1251::fromUtf8Once<text::kPresenceLastMessageAt>() + found->second.stamp;
    row.departed = found->second.departed;
    return row;
}

} // namespace lirbo::app
