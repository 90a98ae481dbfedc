#include "ui/win32/Tipedit.h"

#include "ui/common/DialogForms.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

namespace lirbo::win32 {

bool Tipedit::execute(HINSTANCE instance, HWND owner, std::string& address) {
    Tipedit editor(address);
    return editor.run(instance, owner);
}

// Enter in newip presses OK (newipKeyPress); the focus goes to it, its text selected.
Tipedit::Tipedit(std::string& address)
    : ModalDialog(ui::ipEditForm(), {IDC_IPEDIT_BUTTON1, IDC_IPEDIT_BUTTON2, IDC_IPEDIT_BUTTON1, 0}),
      m_address(address) {}

void Tipedit::fill(HWND dialog) {
    setWindowText(GetDlgItem(dialog, IDC_NEWIP), m_address);
}

bool Tipedit::accept(HWND dialog) {
    m_address = windowText(GetDlgItem(dialog, IDC_NEWIP));
    return true;
}

} // namespace lirbo::win32
