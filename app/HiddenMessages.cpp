#include "app/HiddenMessages.h"

#include "core/CodePage1251.h"
#include "core/HistoryLine.h"
#include "core/Texts.h"

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
    return core::cp1251::fromUtf8Once<text::kHiddenCount>() + std::to_string(m_count);
}

} // namespace lirbo::app
