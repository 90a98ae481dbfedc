#pragma once

#include "ui/common/FormDescription.h"

#include <windows.h>

namespace lirbo::app {
class ChatSession;
} // namespace lirbo::app

namespace lirbo::win32 {

// The main window's menu bar, built from its description (MainMenu.cpp), and the commands of its
// items that go straight to the session (MainMenuCommands.cpp, apart so that the bar is built
// without the session).
class MainMenu {
public:
    // The menu bar: each top-level menu a popup of the entries after it, every entry with its
    // number (popups and separators too, as the window's menus always had), no access keys. The
    // window it is given to destroys it.
    static HMENU build(const ui::FormDescription& form);
    // Marks the check item `id` of the window's menu.
    static void check(HWND window, int id, bool checked);
    // Carries out a chosen item that is one of the session's commands; false for any other.
    static bool forward(int id, app::ChatSession& session);
};

} // namespace lirbo::win32
