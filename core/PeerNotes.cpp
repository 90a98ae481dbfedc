#include "core/PeerNotes.h"

#include "core/IniSection.h"
#include "core/IniText.h"

#include <algorithm>
#include <unordered_set>

namespace lirbo::core {

namespace {

constexpr const char* kLabelSection = "names";
constexpr const char* kSeenSection = "seen";
constexpr const char* kMuteSection = "mute";

bool hasControlByte(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The value as written: in double quotes when a reader would otherwise lose its blanks at either
// end or a pair of enclosing quotes, cut so that the reader's length limit keeps all of it.
std::string storedValue(std::string_view value) {
    std::string text(value.substr(0, IniSection::maxValueLength - 2));
    const bool quote =
        !text.empty() &&
        (isBlank(text.front()) || isBlank(text.back()) ||
         (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()));
    return quote ? '"' + text + '"' : text;
}

// The pairs the file can hold, each key once whatever its letter case.
IniDocument::Entries storable(const TPeerNotes::Pairs& pairs) {
    IniDocument::Entries entries;
    std::unordered_set<std::string> keys;
    for (const auto& [key, value] : pairs) {
        if (TPeerNotes::safeKey(key) && TPeerNotes::safeValue(value) && !value.empty() &&
            keys.insert(ini::lowerCase(key)).second) {
            entries.emplace_back(key, storedValue(value));
        }
    }
    return entries;
}

TPeerNotes::Pairs readPairs(const IniSection& section) {
    TPeerNotes::Pairs pairs;
    std::unordered_set<std::string> keys;
    for (const IniSection::Entry& entry : section.entries()) {
        std::string value = IniSection::valueAsRead(entry.rawValue);
        if (!value.empty() && keys.insert(ini::lowerCase(entry.key)).second) {
            pairs.emplace_back(entry.key, std::move(value));
        }
    }
    return pairs;
}

void replaceSection(IniDocument& document, const char* name, const IniDocument::Entries& entries) {
    document.eraseSection(name);
    if (!entries.empty()) {
        document.setValues(name, entries);
    }
}

} // namespace

bool TPeerNotes::safeKey(std::string_view key) {
    return !key.empty() && key.find('=') == std::string_view::npos && !hasControlByte(key) && key.front() != '[' &&
           key.front() != ';' && !isBlank(key.front()) && !isBlank(key.back());
}

bool TPeerNotes::safeValue(std::string_view value) {
    return !hasControlByte(value);
}

TPeerNotes TPeerNotes::load(const IniFile& file) {
    const IniDocument document = file.read();
    TPeerNotes notes;
    notes.labels = readPairs(document.section(kLabelSection));
    notes.seen = readPairs(document.section(kSeenSection));
    for (auto& [key, value] : readPairs(document.section(kMuteSection))) {
        if (value == "1") {
            notes.muted.push_back(std::move(key));
        }
    }
    return notes;
}

void TPeerNotes::store(const IniFile& file) const {
    Pairs mutePairs;
    mutePairs.reserve(muted.size());
    for (const std::string& address : muted) {
        mutePairs.emplace_back(address, "1");
    }
    const IniDocument::Entries labelEntries = storable(labels);
    const IniDocument::Entries seenEntries = storable(seen);
    const IniDocument::Entries muteEntries = storable(mutePairs);
    file.update([&](IniDocument& document) {
        const std::string before = document.bytes();
        replaceSection(document, kLabelSection, labelEntries);
        replaceSection(document, kSeenSection, seenEntries);
        replaceSection(document, kMuteSection, muteEntries);
        return document.bytes() != before;
    });
}

} // namespace lirbo::core
