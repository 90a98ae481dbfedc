#pragma once

#include "app/StartupEntry.h"

namespace lirbo::win32 {

// The shortcut Lirbo.lnk in the user's Startup folder, made and read through the shell's link
// object: its target is the program, its start-in folder the folder the program starts in.
class StartupShortcut : public app::IStartupEntry {
public:
    StartupShortcut();

    std::string program() const override { return m_program; }
    std::string location() const override { return m_location; }
    std::optional<app::StartupTarget> read() const override;
    void write(const app::StartupTarget& target) override;
    void remove() override;
    bool samePath(const std::string& a, const std::string& b) const override;

private:
    std::string m_program;
    std::string m_location; // empty when the shell names no Startup folder
};

} // namespace lirbo::win32
