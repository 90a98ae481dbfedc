#include "ui/win32/Tipedit.h"

#include "ui/common/DialogForms.h"
#include "ui/win32/DialogGeometry.h"
#include "ui/win32/DialogKeys.h"
#include "ui/win32/DialogTemplate.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

namespace lirbo::win32 {

namespace {
constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;
} // namespace

bool Tipedit::execute(HINSTANCE instance, HWND owner, std::string& address) {
    Tipedit editor(address);
    return showDialog(instance, owner, ui::ipEditForm(), &Tipedit::dialogProc, reinterpret_cast<LPARAM>(&editor)) ==
           kResultOk;
}

void Tipedit::Button1Click(HWND dialog) {
    m_address = windowText(GetDlgItem(dialog, IDC_NEWIP));
    EndDialog(dialog, kResultOk);
}

INT_PTR CALLBACK Tipedit::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Tipedit*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        self = reinterpret_cast<Tipedit*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        applyFormGeometry(dialog, ui::ipEditForm());
        setWindowText(GetDlgItem(dialog, IDC_NEWIP), self->m_address);
        return TRUE; // the focus goes to newip, its text selected
    case WM_COMMAND:
        // Enter presses a focused button; in newip it presses OK (newipKeyPress).
        switch (LOWORD(wParam) == IDOK ? enterTarget(dialog, IDC_IPEDIT_BUTTON1) : LOWORD(wParam)) {
        case IDC_IPEDIT_BUTTON1:
            self->Button1Click(dialog);
            break;
        case IDC_IPEDIT_BUTTON2:
            EndDialog(dialog, kResultCancel);
            break;
        default: // IDCANCEL from Esc does nothing
            break;
        }
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, kResultCancel);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace lirbo::win32
