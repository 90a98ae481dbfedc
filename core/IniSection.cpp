#include "core/IniSection.h"

#include "core/IniText.h"

namespace lirbo::core {

void IniSection::addEntry(std::string_view key, std::string_view value) {
    m_entries.push_back({std::string(key), std::string(value)});
    m_indexed = false;
}

std::vector<std::string> IniSection::keys() const {
    std::vector<std::string> keys;
    keys.reserve(m_entries.size());
    for (const Entry& entry : m_entries) {
        keys.push_back(entry.key);
    }
    return keys;
}

std::optional<std::string> IniSection::value(std::string_view key) const {
    if (!m_indexed) {
        m_index.clear();
        m_index.reserve(m_entries.size());
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            // emplace keeps the first occurrence.
            m_index.emplace(ini::lowerCase(m_entries[i].key), i);
        }
        m_indexed = true;
    }
    const auto found = m_index.find(ini::lowerCase(key));
    if (found == m_index.end()) {
        return std::nullopt;
    }
    return valueAsRead(m_entries[found->second].rawValue);
}

std::string IniSection::valueAsRead(std::string_view rawValue) {
    std::string_view text = rawValue;
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()) {
        text = text.substr(1, text.size() - 2);
    }
    return std::string(text.substr(0, maxValueLength));
}

} // namespace lirbo::core
