#include "core/IniSection.h"

#include "core/IniText.h"

namespace lirbo::core {

void IniSection::addEntry(std::string_view key, std::string_view value) {
    m_keys.emplace_back(key);
    // emplace keeps the first occurrence's value.
    m_values.emplace(ini::lowerCase(key), std::string(value));
}

std::optional<std::string> IniSection::value(std::string_view key) const {
    const auto found = m_values.find(ini::lowerCase(key));
    if (found == m_values.end()) {
        return std::nullopt;
    }
    std::string_view text = found->second;
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()) {
        text = text.substr(1, text.size() - 2);
    }
    return std::string(text.substr(0, maxValueLength));
}

} // namespace lirbo::core
