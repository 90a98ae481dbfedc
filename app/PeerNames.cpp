#include "app/PeerNames.h"

#include "app/Presence.h"

namespace lirbo::app {

namespace {

const std::string kNone;

core::TPeerNotes::Pairs pairsFor(const std::vector<std::string>& entries,
                                 const std::unordered_map<std::string, std::string>& values) {
    core::TPeerNotes::Pairs pairs;
    for (const std::string& entry : entries) {
        const auto found = values.find(Presence::key(entry));
        if (found != values.end()) {
            pairs.emplace_back(entry, found->second);
        }
    }
    return pairs;
}

} // namespace

void PeerNames::adopt(const core::TPeerNotes& notes) {
    for (const auto& [address, label] : notes.labels) {
        setLabel(address, label);
    }
    for (const auto& [address, nick] : notes.seen) {
        heard(address, nick);
    }
    for (const std::string& address : notes.muted) {
        setMuted(address, true);
    }
}

core::TPeerNotes PeerNames::notes(const std::vector<std::string>& entries) const {
    core::TPeerNotes notes;
    notes.labels = pairsFor(entries, m_labels);
    notes.seen = pairsFor(entries, m_learned);
    for (const auto& muted : m_muted) {
        notes.muted.push_back(muted.second);
    }
    return notes;
}

PeerNames::Name PeerNames::name(const std::string& entry) const {
    const std::string key = Presence::key(entry);
    if (const auto label = m_labels.find(key); label != m_labels.end()) {
        return {label->second, false};
    }
    if (const auto learned = m_learned.find(key); learned != m_learned.end()) {
        return {learned->second, true};
    }
    return {};
}

const std::string& PeerNames::label(const std::string& entry) const {
    const auto found = m_labels.find(Presence::key(entry));
    return found != m_labels.end() ? found->second : kNone;
}

void PeerNames::setLabel(const std::string& entry, const std::string& label) {
    if (label.empty()) {
        m_labels.erase(Presence::key(entry));
    } else {
        m_labels[Presence::key(entry)] = label;
    }
}

void PeerNames::heard(const std::string& senderAddress, const std::string& nick) {
    if (!nick.empty() && core::TPeerNotes::safeValue(nick)) { // a row shows one line
        m_learned[Presence::key(senderAddress)] = nick;
    }
}

bool PeerNames::muted(const std::string& address) const {
    return !m_muted.empty() && m_muted.count(Presence::key(address)) > 0;
}

bool PeerNames::setMuted(const std::string& address, bool muted) {
    const std::string key = Presence::key(address);
    if (!muted) {
        return m_muted.erase(key) > 0;
    }
    if (m_muted.size() >= m_mutedLimit) {
        return false;
    }
    return m_muted.emplace(key, address).second;
}

} // namespace lirbo::app
