#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lirbo::core {

// One section of a settings file as a reader sees it, built in one pass so that reading many
// keys costs no rescans: the keys in file order (a repeated key at each of its occurrences) and,
// for every key, the value of its first occurrence. Keys compare without regard to letter case.
class IniSection {
public:
    // Records an entry as it stands in the file: key and value already stripped of blanks.
    void addEntry(std::string_view key, std::string_view value);

    const std::vector<std::string>& keys() const { return m_keys; }
    bool empty() const { return m_keys.empty(); }

    // The value of the key's first entry without one pair of enclosing like quotes and cut to
    // 2,047 characters; nothing when the section has no such key.
    std::optional<std::string> value(std::string_view key) const;

    static constexpr std::size_t maxValueLength = 2047;

private:
    std::vector<std::string> m_keys;
    std::unordered_map<std::string, std::string> m_values; // lower-cased key -> raw value
};

} // namespace lirbo::core
