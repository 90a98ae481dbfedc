#pragma once

#include <string>

namespace lirbo::app {

// The messages the user has not seen yet: those that arrived while the program was not the
// active window. They are counted until the user comes back to the window; a message shown while
// the user is at the program is seen at once. Departure notices are not messages to read and
// are not counted.
class Attention {
public:
    // A received message was shown. Returns whether to ask for the user's attention: only when
    // the user is not at the program (`active` false).
    bool messageShown(const std::string& nick, bool isPrivate, bool active);
    // The user came back to the window. Returns whether anything was unread.
    bool activated();

    int unread() const { return m_unread; }
    bool privateAmong() const { return m_private; }
    // The hint for the notification icon, Windows-1251: "3 новых, последнее от Ann", with
    // " (есть личное)" when a private message is among them; "Lirbo" when nothing is unread. A nick
    // of more than 40 characters is cut to 39 and "…".
    std::string hint() const;

private:
    int m_unread = 0;
    bool m_private = false;
    std::string m_lastNick;
};

} // namespace lirbo::app
