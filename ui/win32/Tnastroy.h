#pragma once

#include <string>
#include <windows.h>

namespace lirbo::win32 {

// The settings dialog: nick and nick colour. Enter and Esc do nothing; the buttons end it.
class Tnastroy {
public:
    // Shows it modally with `nick` and the colour `colour` preselected; on OK (result 1) both
    // hold what the user chose and it returns true.
    static bool execute(HINSTANCE instance, HWND owner, std::string& nick, int& colour);

private:
    Tnastroy(std::string& nick, int& colour) : m_nick(nick), m_colour(colour) {}
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void FormCreate(HWND dialog);
    void BitBtn1Click(HWND dialog);

    std::string& m_nick;
    int& m_colour;
};

} // namespace lirbo::win32
