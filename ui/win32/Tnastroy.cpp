#include "ui/win32/Tnastroy.h"

#include "core/NickPalette.h"
#include "ui/win32/DialogGeometry.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

namespace lirbo::win32 {

namespace {
constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;
constexpr int kItemHeight = 13;
constexpr int kFieldHeight = 21;
} // namespace

bool Tnastroy::execute(HINSTANCE instance, HWND owner, std::string& nick, int& colour,
                       const app::IFrontEnd::TextCheck& checkNick) {
    Tnastroy dialog(nick, colour, checkNick);
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_NASTROY), owner, &Tnastroy::dialogProc,
                           reinterpret_cast<LPARAM>(&dialog)) == kResultOk;
}

void Tnastroy::FormCreate(HWND dialog) {
    HWND combo = GetDlgItem(dialog, IDC_COMBOBOX1);
    for (int i = 0; i < core::TNickPalette::nameCount(); ++i) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(core::TNickPalette::name(i).c_str()));
    }
    SendMessageA(combo, CB_SETITEMHEIGHT, 0, kItemHeight);
    // The selection field: the item height plus the two 3-pixel edges.
    SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kFieldHeight - 6);
    applyPixelGeometry(dialog);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(m_colour), 0);
    setWindowText(GetDlgItem(dialog, IDC_NIK), m_nick);
}

void Tnastroy::BitBtn1Click(HWND dialog) {
    const app::TypedText nick = typedText(GetDlgItem(dialog, IDC_NIK));
    const std::string refused = m_checkNick ? m_checkNick(nick) : std::string();
    if (!refused.empty()) {
        MessageBoxes::showError(refused);
        return;
    }
    m_nick = nick.text;
    m_colour = static_cast<int>(SendDlgItemMessageA(dialog, IDC_COMBOBOX1, CB_GETCURSEL, 0, 0));
    EndDialog(dialog, kResultOk);
}

INT_PTR CALLBACK Tnastroy::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Tnastroy*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        self = reinterpret_cast<Tnastroy*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        self->FormCreate(dialog);
        return TRUE; // the focus goes to nik, its text selected
    case WM_COMMAND:
        // IDOK and IDCANCEL come from Enter and Esc: neither does anything here.
        if (LOWORD(wParam) == IDC_BITBTN1) {
            self->BitBtn1Click(dialog);
        } else if (LOWORD(wParam) == IDC_BITBTN2) {
            EndDialog(dialog, kResultCancel);
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
