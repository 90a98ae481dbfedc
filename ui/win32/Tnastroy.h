#pragma once

#include "app/IFrontEnd.h"
#include "ui/win32/ModalDialog.h"

#include <string>
#include <windows.h>

namespace lirbo::win32 {

// The settings dialog: nick and nick colour. Enter and Esc do nothing; the buttons end it.
class Tnastroy : ModalDialog {
public:
    // Shows it modally with `nick` and the colour `colour` preselected; on OK (result 1) both
    // hold what the user chose and it returns true. A nick that `checkNick` refuses shows its
    // error and the dialog stays open.
    static bool execute(HINSTANCE instance, HWND owner, std::string& nick, int& colour,
                        const app::IFrontEnd::TextCheck& checkNick);

private:
    Tnastroy(std::string& nick, int& colour, const app::IFrontEnd::TextCheck& checkNick);
    void beforeLayout(HWND dialog) override; // FormCreate
    void fill(HWND dialog) override;
    bool accept(HWND dialog) override; // BitBtn1Click

    std::string& m_nick;
    int& m_colour;
    const app::IFrontEnd::TextCheck& m_checkNick;
};

} // namespace lirbo::win32
