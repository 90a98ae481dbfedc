#pragma once

#include <string>
#include <windows.h>

namespace lirbo::win32 {

// The address editor. Enter in the address field presses OK; Esc does nothing.
class Tipedit {
public:
    // Shows it modally with `address` in the field; on OK (result 1) `address` holds the field's
    // text and it returns true.
    static bool execute(HINSTANCE instance, HWND owner, std::string& address);

private:
    explicit Tipedit(std::string& address) : m_address(address) {}
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void Button1Click(HWND dialog);

    std::string& m_address;
};

} // namespace lirbo::win32
