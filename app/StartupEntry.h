#pragma once

#include <optional>
#include <string>

namespace lirbo::app {

// What an entry that starts with the user's session runs: the program file and the folder it
// starts in, whose lirbo.ini it then uses. Paths as the program keeps them (UTF-8 on Windows).
struct StartupTarget {
    std::string program;
    std::string folder;
};

// The platform's one place for the entry that starts Lirbo with the user's session: the shortcut
// Lirbo.lnk in the Startup folder on Windows, lirbo.desktop among the XDG autostart entries on
// Linux. Errors leave as core::Exception with the error box's text.
class IStartupEntry {
public:
    virtual ~IStartupEntry() = default;

    // The running program's file.
    virtual std::string program() const = 0;
    // Where the entry lives, for messages.
    virtual std::string location() const = 0;
    // What the entry there runs; nothing when there is none. An entry that cannot be understood
    // gives an empty target: it is someone else's.
    virtual std::optional<StartupTarget> read() const = 0;
    // Makes the entry, or replaces the one there.
    virtual void write(const StartupTarget& target) = 0;
    virtual void remove() = 0;
    // Whether two paths name the same file (on Windows letter case aside).
    virtual bool samePath(const std::string& a, const std::string& b) const { return a == b; }
};

} // namespace lirbo::app
