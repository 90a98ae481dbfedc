#include "app/SenderRateLimit.h"

namespace lirbo::app {

SenderRateLimit::SenderRateLimit(std::size_t limit, std::time_t window, std::size_t senders)
    : m_limit(limit), m_window(window), m_maxSenders(senders) {}

void SenderRateLimit::expire(Sender& sender, std::time_t now) const {
    if (!sender.seconds.empty() && sender.seconds.back().first > now) {
        sender.seconds.clear(); // the clock was set back: what came "later" cannot hold the sender
        sender.admitted = 0;
    }
    while (!sender.seconds.empty() && sender.seconds.front().first + m_window <= now) {
        sender.admitted -= sender.seconds.front().second;
        sender.seconds.pop_front();
    }
}

bool SenderRateLimit::admit(const std::string& address, std::time_t now, std::uint64_t& skippedBefore) {
    skippedBefore = 0;
    auto found = m_senders.find(address);
    if (found == m_senders.end()) {
        if (m_senders.size() >= m_maxSenders) {
            return true;
        }
        found = m_senders.emplace(address, Sender{}).first;
    }
    Sender& sender = found->second;
    expire(sender, now);
    if (sender.admitted >= m_limit) {
        ++sender.skipped;
        return false;
    }
    if (!sender.seconds.empty() && sender.seconds.back().first == now) {
        ++sender.seconds.back().second;
    } else {
        sender.seconds.emplace_back(now, 1);
    }
    ++sender.admitted;
    skippedBefore = sender.skipped;
    sender.skipped = 0;
    return true;
}

std::vector<SenderRateLimit::Skipped> SenderRateLimit::takeEnded(std::time_t now) {
    std::vector<Skipped> ended;
    for (auto it = m_senders.begin(); it != m_senders.end();) {
        expire(it->second, now);
        if (!it->second.seconds.empty()) {
            ++it;
            continue;
        }
        if (it->second.skipped > 0) {
            ended.push_back({it->first, it->second.skipped});
        }
        it = m_senders.erase(it);
    }
    return ended;
}

std::vector<SenderRateLimit::Skipped> SenderRateLimit::takeAll() {
    std::vector<Skipped> all;
    for (auto& [address, sender] : m_senders) {
        if (sender.skipped > 0) {
            all.push_back({address, sender.skipped});
            sender.skipped = 0;
        }
    }
    return all;
}

} // namespace lirbo::app
