#include "app/HiddenMessages.h"

#include "core/HistoryLine.h"

namespace lirbo::app {

void HiddenMessages::add(const core::TShownMessage& message) {
    ++m_count;
    std::string line = message.stamp;
    line += "  ";
    core::history::appendEscaped(line, message.address);
    line += "  ";
    core::history::appendEscaped(line, message.nick);
    line += ": ";
    core::history::appendEscaped(line, message.body);
    if (m_lines.size() == kKept) {
        m_lines.pop_front();
    }
    m_lines.push_back(std::move(line));
}

std::string HiddenMessages::countText() const {
    return "\xF1\xEA\xF0\xFB\xF2\xEE: " + std::to_string(m_count); // скрыто: N
}

} // namespace lirbo::app
