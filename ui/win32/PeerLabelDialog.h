#pragma once

#include "app/IFrontEnd.h"
#include "ui/win32/ModalDialog.h"

#include <string>
#include <windows.h>

namespace lirbo::win32 {

// "Подписать...": the label shown beside one peer address. Enter in the field presses OK; OK
// first asks the check (characters Windows-1251 lacks are refused with the error box and the
// dialog stays open); Esc does nothing. An empty field removes the label.
class PeerLabelDialog : ModalDialog {
public:
    // Shows it modally for `address` with `label` in the field; on OK (result 1) `label` holds the
    // field's text and it returns true.
    static bool execute(HINSTANCE instance, HWND owner, const std::string& address, std::string& label,
                        const app::IFrontEnd::TextCheck& checkLabel);

private:
    PeerLabelDialog(const std::string& address, std::string& label, const app::IFrontEnd::TextCheck& checkLabel);
    void beforeLayout(HWND dialog) override;
    void fill(HWND dialog) override;
    bool accept(HWND dialog) override;

    const std::string& m_address;
    std::string& m_label;
    const app::IFrontEnd::TextCheck& m_checkLabel;
};

} // namespace lirbo::win32
