#include "core/IniDocument.h"

#include "core/ByteOrderMark.h"
#include "core/IniText.h"

#include <algorithm>
#include <unordered_map>

namespace lirbo::core {

namespace {

enum class LineKind { Other, Section, Comment, Entry };

struct LineParts {
    LineKind kind = LineKind::Other;
    std::string_view name;  // the section name or the entry's key, without surrounding blanks
    std::string_view value; // the entry's value, without surrounding blanks
};

LineParts parseLine(std::string_view text) {
    const std::string_view content = ini::trimBlanks(text);
    if (content.empty()) {
        return {};
    }
    if (content.front() == '[') {
        const std::string_view inner = content.substr(1);
        return {LineKind::Section, ini::trimBlanks(inner.substr(0, inner.find(']'))), {}};
    }
    if (content.front() == ';') {
        return {LineKind::Comment, {}, {}};
    }
    const auto equals = content.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    const std::string_view key = ini::trimBlanks(content.substr(0, equals));
    if (key.empty()) {
        return {};
    }
    return {LineKind::Entry, key, ini::trimBlanks(content.substr(equals + 1))};
}

bool isSectionLine(std::string_view text) {
    return parseLine(text).kind == LineKind::Section;
}

std::string entryLine(std::string_view key, std::string_view value) {
    std::string line;
    line.reserve(key.size() + 1 + value.size());
    line.append(key).append(1, '=').append(value);
    return line;
}

std::string sectionLine(std::string_view name) {
    std::string line;
    line.reserve(name.size() + 2);
    line.append(1, '[').append(name).append(1, ']');
    return line;
}

} // namespace

IniDocument::IniDocument(std::string_view bytes) {
    if (startsWithByteOrderMark(bytes)) {
        m_byteOrderMark = true;
        bytes.remove_prefix(utf8ByteOrderMark.size());
    }
    m_lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            m_lines.push_back({std::string(bytes.substr(start)), Ending::None});
            break;
        }
        Line line{std::string(bytes.substr(start, end - start)), Ending::Lf};
        std::size_t next = end + 1;
        if (bytes[end] == '\r') {
            if (next < bytes.size() && bytes[next] == '\n') {
                line.ending = Ending::CrLf;
                ++next;
            } else {
                line.ending = Ending::Cr;
            }
        }
        m_lines.push_back(std::move(line));
        start = next;
    }
}

std::string IniDocument::bytes() const {
    std::size_t size = 0;
    for (const Line& line : m_lines) {
        size += line.text.size() + 2;
    }
    std::string out;
    out.reserve(size + utf8ByteOrderMark.size());
    if (m_byteOrderMark) {
        out += utf8ByteOrderMark;
    }
    for (const Line& line : m_lines) {
        out += line.text;
        switch (line.ending) {
        case Ending::CrLf:
            out += "\r\n";
            break;
        case Ending::Lf:
            out += '\n';
            break;
        case Ending::Cr:
            out += '\r';
            break;
        case Ending::None:
            break;
        }
    }
    return out;
}

std::size_t IniDocument::findSection(std::string_view name) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const LineParts parts = parseLine(m_lines[i].text);
        if (parts.kind == LineKind::Section && ini::equalsIgnoringCase(parts.name, name)) {
            return i;
        }
    }
    return m_lines.size();
}

std::size_t IniDocument::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < m_lines.size() && !isSectionLine(m_lines[i].text)) {
        ++i;
    }
    return i;
}

void IniDocument::terminateLastLine() {
    if (!m_lines.empty() && m_lines.back().ending == Ending::None) {
        m_lines.back().ending = Ending::CrLf;
    }
}

IniSection IniDocument::section(std::string_view name) const {
    IniSection result;
    const std::size_t header = findSection(name);
    if (header == m_lines.size()) {
        return result;
    }
    for (std::size_t i = header + 1; i < m_lines.size(); ++i) {
        const LineParts parts = parseLine(m_lines[i].text);
        if (parts.kind == LineKind::Section) {
            break;
        }
        if (parts.kind == LineKind::Entry) {
            result.addEntry(parts.name, parts.value);
        }
    }
    return result;
}

bool IniDocument::eraseSection(std::string_view name) {
    const std::size_t header = findSection(name);
    if (header == m_lines.size()) {
        return false;
    }
    const std::size_t end = sectionEnd(header);
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(header),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(end));
    return true;
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    setValues(section, {{std::string(key), std::string(value)}});
}

void IniDocument::setValues(std::string_view section, const Entries& entries) {
    if (entries.empty()) {
        return;
    }
    // New lines collect here; a key written twice in one call is rewritten, not added twice.
    std::vector<Line> added;
    std::unordered_map<std::string, std::size_t> addedIndex;
    const auto addEntry = [&](const std::string& key, const std::string& value) {
        const auto [found, isNew] = addedIndex.emplace(ini::lowerCase(key), added.size());
        if (isNew) {
            added.push_back({entryLine(key, value), Ending::CrLf});
        } else {
            Line& line = added[found->second];
            line.text = entryLine(parseLine(line.text).name, value);
        }
    };

    const std::size_t header = findSection(section);
    if (header == m_lines.size()) {
        added.push_back({sectionLine(section), Ending::CrLf});
        for (const auto& [key, value] : entries) {
            addEntry(key, value);
        }
        terminateLastLine();
        m_lines.insert(m_lines.end(), std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
        return;
    }

    // First entry line of each key in the section, and the line after which new entries go.
    std::unordered_map<std::string, std::size_t> existing;
    std::size_t insertAt = header + 1;
    for (std::size_t i = header + 1; i < m_lines.size(); ++i) {
        const LineParts parts = parseLine(m_lines[i].text);
        if (parts.kind == LineKind::Section) {
            break;
        }
        if (!ini::trimBlanks(m_lines[i].text).empty()) {
            insertAt = i + 1;
        }
        if (parts.kind == LineKind::Entry) {
            existing.emplace(ini::lowerCase(parts.name), i);
        }
    }

    for (const auto& [key, value] : entries) {
        const auto found = existing.find(ini::lowerCase(key));
        if (found == existing.end()) {
            addEntry(key, value);
            continue;
        }
        // The entry keeps its key as the file spells it; the line is rewritten in the program's form.
        Line& line = m_lines[found->second];
        line.text = entryLine(parseLine(line.text).name, value);
        line.ending = Ending::CrLf;
    }
    if (added.empty()) {
        return;
    }
    if (insertAt == m_lines.size()) {
        terminateLastLine();
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::make_move_iterator(added.begin()),
                   std::make_move_iterator(added.end()));
}

} // namespace lirbo::core
