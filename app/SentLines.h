#pragma once

#include <cstddef>
#include <deque>
#include <string>

namespace lirbo::app {

// The lines the user sent last, to call back into the input line (Ctrl+Up older, Ctrl+Down newer).
// Stepping away from the line being typed keeps it, and stepping past the newest sent line brings
// it back.
class SentLines {
public:
    static constexpr std::size_t kKept = 50;

    void add(const std::string& line);
    // The line to show after one step back or forward from `current`, the input line's text; the
    // text unchanged when there is nothing further that way.
    std::string older(const std::string& current);
    std::string newer(const std::string& current);

private:
    std::deque<std::string> m_lines; // oldest first
    std::size_t m_position = 0;      // m_lines.size(): at the line being typed
    std::string m_draft;
};

} // namespace lirbo::app
