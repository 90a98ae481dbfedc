#pragma once

#include "app/StartupEntry.h"

#include <optional>
#include <string>

namespace lirbo::app {

// The XDG autostart entry lirbo.desktop in the user's configuration folder: Exec names the program,
// Path the folder it starts in.
class XdgAutostartEntry : public IStartupEntry {
public:
    // `configHome` holds the folder "autostart".
    XdgAutostartEntry(std::string program, std::string configHome);

    // $XDG_CONFIG_HOME when it is an absolute path, else ~/.config; empty without either.
    static std::string configHomeFromEnvironment();

    std::string program() const override { return m_program; }
    std::string location() const override;
    std::optional<StartupTarget> read() const override;
    void write(const StartupTarget& target) override;
    void remove() override;

    // The file's text for `target`, and what a file's text runs (the program is Exec's first
    // argument). Exec's argument is quoted and escaped so that any path survives the desktop's
    // reading of it.
    static std::string text(const StartupTarget& target);
    static StartupTarget parse(const std::string& text);

private:
    std::string m_program;
    std::string m_configHome;
};

} // namespace lirbo::app
