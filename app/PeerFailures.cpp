#include "app/PeerFailures.h"

#include "core/CodePage1251.h"
#include "core/Texts.h"

#include <iterator>
#include <unordered_set>

namespace lirbo::app {

namespace {

// A hint is one line: the message's line breaks become blanks, trailing blanks go.
std::string oneLine(const std::string& message) {
    std::string line;
    for (const char c : message) {
        if (c == '\n' && !line.empty() && line.back() == ' ') {
            continue;
        }
        line += c == '\r' || c == '\n' ? ' ' : c;
    }
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line;
}

} // namespace

bool PeerFailures::failed(const std::string& entry, Cause cause, const std::string& message) {
    const std::string& reason = cause == Cause::Lookup ? core::cp1251::fromUtf8Once<text::kPeerLookupFailed>()
                                                       : core::cp1251::fromUtf8Once<text::kPeerSendFailed>();
    Failure failure{cause, reason + oneLine(message)};
    const auto [found, added] = m_failures.try_emplace(entry, failure);
    if (added) {
        return true;
    }
    const bool changed = found->second.reason != failure.reason;
    found->second = std::move(failure);
    return changed;
}

bool PeerFailures::answered(const std::string& entry) {
    const auto found = m_failures.find(entry);
    if (found == m_failures.end() || found->second.cause != Cause::Lookup) {
        return false;
    }
    m_failures.erase(found);
    return true;
}

bool PeerFailures::sent(const std::string& entry) {
    return !m_failures.empty() && m_failures.erase(entry) > 0;
}

void PeerFailures::keepOnly(const std::vector<std::string>& entries) {
    if (m_failures.empty()) {
        return;
    }
    const std::unordered_set<std::string> kept(entries.begin(), entries.end());
    for (auto i = m_failures.begin(); i != m_failures.end();) {
        i = kept.count(i->first) > 0 ? std::next(i) : m_failures.erase(i);
    }
}

void PeerFailures::mark(const std::string& entry, Presence::Row& row) const {
    const auto found = m_failures.find(entry);
    if (found == m_failures.end()) {
        return;
    }
    row.failed = true;
    row.hint = found->second.reason + "; " + row.hint;
}

} // namespace lirbo::app
