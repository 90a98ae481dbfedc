#pragma once

namespace lirbo::core {

// When a message that arrives plays the desktop's sound.
enum class TArrivalSound { None = 0, PrivateOnly = 1, Every = 2 };

// The user's choices from the options dialog, kept in section "options" of lirbo.ini. Older copies
// never read or erase that section. Every key missing or holding anything else gives the default.
struct TChatOptions {
    // Key "sound": 0 none, 1 private messages only, 2 every message.
    TArrivalSound sound = TArrivalSound::PrivateOnly;
    // Key "dnd": no sound and no taskbar flash while on; unread counting goes on.
    bool doNotDisturb = false;
    // Key "only_listed": messages from addresses outside the peer list are hidden.
    bool onlyListed = false;
    // Key "start_minimised": the window starts hidden in the notification area.
    bool startMinimised = false;
    // Key "close_to_tray": the window's close button hides it to the notification area; when
    // off, closing runs the ordinary close sequence.
    bool closeToTray = false;
    // Key "autostart": the program starts with the user's session (a Startup shortcut on
    // Windows, an XDG autostart entry on Linux, both starting in the program's start folder).
    bool startWithSession = false;

    bool operator==(const TChatOptions& other) const {
        return sound == other.sound && doNotDisturb == other.doNotDisturb && onlyListed == other.onlyListed &&
               startMinimised == other.startMinimised && closeToTray == other.closeToTray &&
               startWithSession == other.startWithSession;
    }
    bool operator!=(const TChatOptions& other) const { return !(*this == other); }
};

} // namespace lirbo::core
