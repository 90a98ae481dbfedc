#pragma once

#include "ui/win32/ModalDialog.h"

#include <string>

namespace lirbo::win32 {

// The address editor. Enter in the address field presses OK; Esc does nothing.
class Tipedit : ModalDialog {
public:
    // Shows it modally with `address` in the field; on OK (result 1) `address` holds the field's
    // text and it returns true.
    static bool execute(HINSTANCE instance, HWND owner, std::string& address);

private:
    explicit Tipedit(std::string& address);
    void fill(HWND dialog) override;
    bool accept(HWND dialog) override; // Button1Click

    std::string& m_address;
};

} // namespace lirbo::win32
