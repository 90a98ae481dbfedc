#pragma once

#include "core/ChatOptions.h"
#include "core/IniFile.h"
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
    // Section "options": the choices of the options dialog.
    TChatOptions options;
    // The error box's message when the file was refused (a folder, a FIFO, a device, a file too
    // large) and the defaults stand instead; empty when it was read, missing or plainly unreadable.
    std::string refusal;
};

// Reads and writes lirbo.ini in the directory that was current when it was created; the path is
// fixed for the whole run, whatever the file choosers later do to the current directory.
class TChatSettings {
public:
    // Forms the path from the current directory; touches no file.
    TChatSettings();
    // For tests and tools: a settings file at an explicit path, or in memory.
    explicit TChatSettings(std::string path);
    explicit TChatSettings(IniFile file);

    const std::string& path() const { return m_file.path(); }

    // Never fails: a missing, unreadable or refused file gives the defaults and appends nothing.
    TUserSettings load(TPeerList& peers) const;
    // Writes nik_color, nik and start=0 in this order; throws EIniFileException at the first
    // refused write, leaving the later keys unwritten.
    void storeUserSettings(int colourIndex, const std::string& nick) const;
    // Erases section "ip", then writes ip0..ipN-1; throws EIniFileException.
    void storePeerList(const TPeerList& peers) const;
    // Writes every key of section "options" and key "enabled" of section "history" in one atomic
    // write; throws EIniFileException, leaving the file as it was.
    void storeOptions(const TChatOptions& options, bool historyEnabled) const;

    // Removes what interrupted saves left in the file's folder (see removeStaleSaveTemporaries).
    void removeStaleTemporaries() const;

private:
    IniFile m_file;
};

} // namespace lirbo::core
