#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <deque>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace lirbo::app {

// Keeps what one sender address can put into the log within bounds: at most `limit` messages in
// any `window` seconds (a sliding window, to the second), the rest only counted. A sender's window
// costs one entry per second that had a message, so at most `window` entries whatever the rate.
// At most `senders` addresses are followed at once; messages from further ones are let through
// uncounted (the log's day limit bounds them), so forged addresses cannot grow it without end.
class SenderRateLimit {
public:
    struct Skipped {
        std::string address;
        std::uint64_t count = 0;
    };

    explicit SenderRateLimit(std::size_t limit = 1000, std::time_t window = 30, std::size_t senders = 4096);

    // Whether a message from `address` at `now` may be logged. When it may and messages of this
    // sender were refused before, `skippedBefore` is their number, to be told first (and forgotten).
    bool admit(const std::string& address, std::time_t now, std::uint64_t& skippedBefore);
    // The senders whose window has emptied with refused messages not yet told, now forgotten.
    std::vector<Skipped> takeEnded(std::time_t now);
    // Every refused count not yet told, as when the log closes; the windows stay.
    std::vector<Skipped> takeAll();

private:
    struct Sender {
        std::deque<std::pair<std::time_t, std::uint32_t>> seconds; // messages let through per second
        std::size_t admitted = 0;                                  // their sum
        std::uint64_t skipped = 0;
    };
    void expire(Sender& sender, std::time_t now) const;

    std::size_t m_limit;
    std::time_t m_window;
    std::size_t m_maxSenders;
    std::unordered_map<std::string, Sender> m_senders;
};

} // namespace lirbo::app
