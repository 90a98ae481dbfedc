#pragma once

#include "core/IniSection.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lirbo::core {

// A settings (INI) file held as its lines, so that a change touches only the lines it names and
// every other byte of the file, line endings included, is written back as it was read.
//
// A line whose first non-blank byte is "[" opens a section (its name runs to the first "]");
// a line whose first non-blank byte is ";" is a comment; any other line with a non-empty key
// before its first "=" is an entry. Lines without "=" are kept but are not entries. Names
// compare without regard to letter case, and only the first of repeated sections is seen.
// Lines end in CR LF, LF or a lone CR; lines written here end in CR LF. A UTF-8 byte-order mark at
// the start (an editor's) is not part of the first line, and is written back.
class IniDocument {
public:
    using Entries = std::vector<std::pair<std::string, std::string>>;

    IniDocument() = default;
    explicit IniDocument(std::string_view bytes);

    // The file's bytes.
    std::string bytes() const;
    std::size_t lineCount() const { return m_lines.size(); }

    // The first section of that name; empty when there is none.
    IniSection section(std::string_view name) const;

    // Removes the section line and every line up to the next section; false when the section is
    // not there (nothing changes then).
    bool eraseSection(std::string_view name);

    // Writes key=value: an entry with that key is rewritten where it stands, a new entry goes after
    // the section's last non-blank line, and a missing section is added at the end of the file.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    // The same as setValue for each entry in turn, in one pass over the file.
    void setValues(std::string_view section, const Entries& entries);

private:
    enum class Ending : unsigned char { None, CrLf, Lf, Cr };
    struct Line {
        std::string text;
        Ending ending = Ending::CrLf;
    };

    // Index of the first section line with that name, or lineCount() when there is none.
    std::size_t findSection(std::string_view name) const;
    // Index of the next section line after `from`, or lineCount().
    std::size_t sectionEnd(std::size_t header) const;
    // Gives the last line a CR LF, so that a line can follow it.
    void terminateLastLine();

    std::vector<Line> m_lines;
    bool m_byteOrderMark = false;
};

} // namespace lirbo::core
