#pragma once

#include "app/IFrontEnd.h"

#include <string>
#include <windows.h>

namespace lirbo::win32 {

// The settings dialog: nick and nick colour. Enter and Esc do nothing; the buttons end it.
class Tnastroy {
public:
    // Shows it modally with `nick` and the colour `colour` preselected; on OK (result 1) both
    // hold what the user chose and it returns true. A nick that `checkNick` refuses shows its
    // error and the dialog stays open.
    static bool execute(HINSTANCE instance, HWND owner, std::string& nick, int& colour,
                        const app::IFrontEnd::TextCheck& checkNick);

private:
    Tnastroy(std::string& nick, int& colour, const app::IFrontEnd::TextCheck& checkNick)
        : m_nick(nick), m_colour(colour), m_checkNick(checkNick) {}
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void FormCreate(HWND dialog);
    void BitBtn1Click(HWND dialog);

    std::string& m_nick;
    int& m_colour;
    const app::IFrontEnd::TextCheck& m_checkNick;
};

} // namespace lirbo::win32
