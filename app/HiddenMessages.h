#pragma once

#include "core/ChatPorts.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

namespace lirbo::app {

// The messages kept out of the transcript (a muted address, or one outside the list while only
// listed addresses are shown): how many since the start, and the last ones as plain lines for the
// window's list of hidden messages.
class HiddenMessages {
public:
    static constexpr std::size_t kKept = 50;

    void add(const core::TShownMessage& message);
    std::uint64_t count() const { return m_count; }
    // Oldest first, one a line: "hh:nn  address  nick: text", Windows-1251, with the
    // log's escapes, so that a line break or a control code in a message stays visible text.
    const std::deque<std::string>& lines() const { return m_lines; }
    // "скрыто: N" (Windows-1251).
    std::string countText() const;

private:
    std::uint64_t m_count = 0;
    std::deque<std::string> m_lines;
};

} // namespace lirbo::app
