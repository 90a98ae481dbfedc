#pragma once

#include "core/IniFile.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lirbo::core {

// What the user and the network have told about the peer list's addresses, kept in lirbo.ini
// beside section "ip", in sections that copies without these features never read or erase:
//     [names]  address=label the user gave
//     [seen]   address=last nick heard from it
//     [mute]   address=1 for an address whose messages are hidden
// Keys are addresses as typed in the list; values Windows-1251. A key that the file could not
// hold as it is (empty, holding "=" or a control byte, starting with "[" or ";", with blanks at
// either end, or the same letters in another case as one already written) is skipped, and so is a
// value with a control byte, so nothing stored can open a section or an entry of its own.
struct TPeerNotes {
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    Pairs labels;
    Pairs seen;
    std::vector<std::string> muted;

    // Reads the three sections in one read; a missing or unreadable file gives none.
    static TPeerNotes load(const IniFile& file);
    // Replaces the three sections in one atomic write; the other sections keep their bytes.
    // Throws EIniFileException when the file cannot be read or written.
    void store(const IniFile& file) const;

    // Whether the file can hold `key` as a key and read it back unchanged.
    static bool safeKey(std::string_view key);
    // Whether the file can hold `value` on one line (a value is quoted when it must be).
    static bool safeValue(std::string_view value);
};

} // namespace lirbo::core
