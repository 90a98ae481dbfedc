#include "app/SentLines.h"

namespace lirbo::app {

void SentLines::add(const std::string& line) {
    if (m_lines.empty() || m_lines.back() != line) {
        m_lines.push_back(line);
        if (m_lines.size() > kKept) {
            m_lines.pop_front();
        }
    }
    m_position = m_lines.size();
    m_draft.clear();
}

std::string SentLines::older(const std::string& current) {
    if (m_position == 0) {
        return current;
    }
    if (m_position == m_lines.size()) {
        m_draft = current;
    }
    return m_lines[--m_position];
}

std::string SentLines::newer(const std::string& current) {
    if (m_position >= m_lines.size()) {
        return current;
    }
    ++m_position;
    return m_position == m_lines.size() ? m_draft : m_lines[m_position];
}

} // namespace lirbo::app
