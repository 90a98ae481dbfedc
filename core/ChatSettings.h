#pragma once

#include "core/PeerList.h"

#include <cstdint>
#include <string>

namespace lirbo::core {

struct TUserSettings {
    int colourIndex = 0;
    std::string nick = "nik";
    // Section "history", key "enabled": 0 turns the conversation's log off. Copies that do not
    // know the section leave it as it is.
    bool historyEnabled = true;
    // Section "history", key "max_day_mb": the largest size of a day's log file in MiB, 1 to 4095;
    // 64 when the key is missing or holds anything else.
    std::uint64_t historyDayLimit = 64ull << 20;
};

// Reads and writes lirbo.ini in the directory that was current when it was created; the path is
// fixed for the whole run, whatever the file choosers later do to the current directory.
class TChatSettings {
public:
    // Forms the path from the current directory; touches no file.
    TChatSettings();
    // For tests and tools: a settings file at an explicit path.
    explicit TChatSettings(std::string path);

    const std::string& path() const { return m_path; }

    // Never fails: a missing or unreadable file gives the defaults and appends nothing.
    TUserSettings load(TPeerList& peers) const;
    // Writes nik_color, nik and start=0 in this order; throws EIniFileException at the first
    // refused write, leaving the later keys unwritten.
    void storeUserSettings(int colourIndex, const std::string& nick) const;
    // Erases section "ip", then writes ip0..ipN-1; throws EIniFileException.
    void storePeerList(const TPeerList& peers) const;

private:
    std::string m_path;
};

} // namespace lirbo::core
