#include "core/ChatSettings.h"

#include "core/Exception.h"
#include "core/FileSystem.h"
#include "core/IniFile.h"
#include "core/IniText.h"
#include "core/IntegerText.h"
#include "core/StaleTemporaries.h"

#include <algorithm>
#include <optional>

namespace lirbo::core {

namespace {

constexpr const char* userSection = "user";
constexpr const char* peerSection = "ip";
constexpr const char* historySection = "history";
constexpr const char* optionsSection = "options";

// A switch's value: exactly 0 or 1; anything else leaves `fallback`.
bool switchOrDefault(const IniSection& section, const char* key, bool fallback) {
    const auto text = section.value(key);
    const std::int32_t value = text ? integerOrDefault(*text, -1) : -1;
    return value == 0 || value == 1 ? value == 1 : fallback;
}

TChatOptions optionsFrom(const IniSection& section) {
    TChatOptions options;
    if (const auto sound = section.value("sound")) {
        const std::int32_t value = integerOrDefault(*sound, -1);
        if (value >= 0 && value <= 2) {
            options.sound = static_cast<TArrivalSound>(value);
        }
    }
    options.doNotDisturb = switchOrDefault(section, "dnd", options.doNotDisturb);
    options.onlyListed = switchOrDefault(section, "only_listed", options.onlyListed);
    options.startMinimised = switchOrDefault(section, "start_minimised", options.startMinimised);
    options.closeToTray = switchOrDefault(section, "close_to_tray", options.closeToTray);
    options.startWithSession = switchOrDefault(section, "autostart", options.startWithSession);
    return options;
}

std::string switchText(bool on) {
    return on ? "1" : "0";
}

std::string peerKey(std::size_t index) {
    return "ip" + std::to_string(index);
}

// n when the key is "ip" (in any letter case) followed by n in decimal without leading zeros,
// and n is below `count`.
std::optional<std::size_t> peerNumber(std::string_view key, std::size_t count) {
    if (key.size() < 3 || !ini::equalsIgnoringCase(key.substr(0, 2), "ip")) {
        return std::nullopt;
    }
    const std::string_view digits = key.substr(2);
    if (digits.size() > 1 && digits.front() == '0') {
        return std::nullopt;
    }
    std::size_t n = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        n = n * 10 + static_cast<std::size_t>(c - '0');
        if (n >= count) {
            return std::nullopt;
        }
    }
    return n;
}

std::string settingsPathIn(std::string directory) {
    // A directory that cannot be determined (it was deleted) must not turn into the root folder.
    if (directory.empty()) {
        directory = ".";
    }
    return directory + fs::pathSeparator() + "lirbo.ini";
}

} // namespace

TChatSettings::TChatSettings() : m_file(settingsPathIn(fs::currentDirectory())) {}

TChatSettings::TChatSettings(std::string path) : m_file(std::move(path)) {}

TChatSettings::TChatSettings(IniFile file) : m_file(std::move(file)) {}

TUserSettings TChatSettings::load(TPeerList& peers) const {
    // One read of the file; each section is indexed once, so the cost is linear in its size.
    int error = 0;
    const IniDocument document = m_file.read(&error);

    TUserSettings settings;
    if (fs::isRefusal(error)) {
        settings.refusal = fileOpenError(fs::fullPath(path()), error).message();
    }
    const IniSection user = document.section(userSection);
    if (const auto colour = user.value("nik_color")) {
        settings.colourIndex = integerOrDefault(*colour, 0);
    }
    if (auto nick = user.value("nik")) {
        settings.nick = std::move(*nick);
    }
    const IniSection history = document.section(historySection);
    if (const auto enabled = history.value("enabled")) {
        settings.historyEnabled = integerOrDefault(*enabled, 1) != 0;
    }
    if (const auto limit = history.value("max_day_mb")) {
        const std::int32_t mib = integerOrDefault(*limit, 0);
        if (mib >= 1 && mib <= 4095) {
            settings.historyDayLimit = static_cast<std::uint64_t>(mib) << 20;
        }
    }

    settings.options = optionsFrom(document.section(optionsSection));

    // Every key of section "ip" counts, whatever its name; entry n is the value of the first key
    // "ip<n>", empty when there is no such key. One pass over the keys finds them all.
    const IniSection ip = document.section(peerSection);
    const std::size_t count = ip.entries().size();
    std::vector<std::string> entries(count);
    std::vector<bool> found(count, false);
    for (const IniSection::Entry& entry : ip.entries()) {
        const auto n = peerNumber(entry.key, count);
        if (n && !found[*n]) {
            found[*n] = true;
            entries[*n] = IniSection::valueAsRead(entry.rawValue);
        }
    }
    try {
        peers.addAll(entries);
    } catch (const Exception&) {
        // Loading never fails; the entries that fitted stay.
    }
    return settings;
}

void TChatSettings::storeUserSettings(int colourIndex, const std::string& nick) const {
    // Key by key, so that a refusal leaves the keys before it written and the later ones not.
    m_file.writeString(userSection, "nik_color", std::to_string(colourIndex));
    m_file.writeString(userSection, "nik", nick);
    m_file.writeString(userSection, "start", "0");
}

void TChatSettings::storePeerList(const TPeerList& peers) const {
    IniDocument::Entries entries;
    entries.reserve(peers.entries().size());
    for (std::size_t i = 0; i < peers.entries().size(); ++i) {
        entries.emplace_back(peerKey(i), peers.entries()[i]);
    }
    // Erase and all writes go to the file in one atomic write: a refusal leaves the old section
    // whole instead of a list cut short.
    m_file.update([&entries](IniDocument& document) {
        const bool erased = document.eraseSection(peerSection);
        document.setValues(peerSection, entries);
        return erased || !entries.empty();
    });
}

void TChatSettings::storeOptions(const TChatOptions& options, bool historyEnabled) const {
    const IniDocument::Entries entries{
        {"sound", std::to_string(static_cast<int>(options.sound))},
        {"dnd", switchText(options.doNotDisturb)},
        {"only_listed", switchText(options.onlyListed)},
        {"start_minimised", switchText(options.startMinimised)},
        {"close_to_tray", switchText(options.closeToTray)},
        {"autostart", switchText(options.startWithSession)},
    };
    m_file.update([&entries, historyEnabled](IniDocument& document) {
        document.setValues(optionsSection, entries);
        document.setValue(historySection, "enabled", switchText(historyEnabled));
        return true;
    });
}

void TChatSettings::removeStaleTemporaries() const {
    const std::size_t separator = path().find_last_of(fs::pathSeparator() == '/' ? "/" : "\\/:");
    if (separator == std::string::npos) {
        removeStaleSaveTemporaries(".");
    } else {
        removeStaleSaveTemporaries(path().substr(0, std::max<std::size_t>(separator, 1))); // "/" stays "/"
    }
}

} // namespace lirbo::core
