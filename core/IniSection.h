#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lirbo::core {

// One section of a settings file as a reader sees it, built in one pass: its entries in file
// order (a repeated key at each of its occurrences). Looking a key up gives the value of its
// first occurrence, compared without regard to letter case; the index behind the look-up is
// built once, at the first look-up, so reading many keys costs no rescans.
class IniSection {
public:
    struct Entry {
        std::string key;
        std::string rawValue; // as it stands in the file, without the blanks around it
    };

    // Records an entry as it stands in the file: key and value already stripped of blanks.
    void addEntry(std::string_view key, std::string_view value);
    void reserve(std::size_t entries) { m_entries.reserve(entries); }

    const std::vector<Entry>& entries() const { return m_entries; }
    std::vector<std::string> keys() const;
    bool empty() const { return m_entries.empty(); }

    // The value of the key's first entry as a reader returns it (see valueAsRead); nothing when
    // the section has no such key.
    std::optional<std::string> value(std::string_view key) const;

    // A raw value as a reader returns it: without one pair of enclosing like quotes (double or
    // single), cut to its first 2,047 characters.
    static std::string valueAsRead(std::string_view rawValue);

    static constexpr std::size_t maxValueLength = 2047;

private:
    std::vector<Entry> m_entries;
    mutable std::unordered_map<std::string, std::size_t> m_index; // lower-cased key -> first entry
    mutable bool m_indexed = false;
};

} // namespace lirbo::core
