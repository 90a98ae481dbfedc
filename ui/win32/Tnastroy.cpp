#include "ui/win32/Tnastroy.h"

#include "core/NickPalette.h"
#include "ui/common/DialogForms.h"
#include "ui/win32/DialogGeometry.h"
#include "ui/win32/DialogKeys.h"
#include "ui/win32/DialogTemplate.h"
#include "ui/win32/Dpi.h"
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
    return showDialog(instance, owner, ui::nastroyForm(), &Tnastroy::dialogProc, reinterpret_cast<LPARAM>(&dialog)) ==
           kResultOk;
}

void Tnastroy::FormCreate(HWND dialog) {
    HWND combo = GetDlgItem(dialog, IDC_COMBOBOX1);
    for (int i = 0; i < core::TNickPalette::nameCount(); ++i) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(core::TNickPalette::name(i)).c_str()));
    }
    const Dpi dpi = Dpi::of(dialog);
    SendMessageW(combo, CB_SETITEMHEIGHT, 0, dpi(kItemHeight));
    // The selection field: the item height plus the two 3-pixel edges.
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), dpi(kFieldHeight - 6));
    applyFormGeometry(dialog, ui::nastroyForm());
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(m_colour), 0);
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
    m_colour = static_cast<int>(SendDlgItemMessageW(dialog, IDC_COMBOBOX1, CB_GETCURSEL, 0, 0));
    EndDialog(dialog, kResultOk);
}

INT_PTR CALLBACK Tnastroy::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Tnastroy*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        self = reinterpret_cast<Tnastroy*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        self->FormCreate(dialog);
        return TRUE; // the focus goes to nik, its text selected
    case WM_COMMAND: {
        // IDOK comes from Enter: it presses a focused button and nothing else; Esc does nothing.
        const int id = LOWORD(wParam) == IDOK ? enterTarget(dialog, 0) : LOWORD(wParam);
        if (id == IDC_BITBTN1) {
            self->BitBtn1Click(dialog);
        } else if (id == IDC_BITBTN2) {
            EndDialog(dialog, kResultCancel);
        }
        return TRUE;
    }
    case WM_CLOSE:
        EndDialog(dialog, kResultCancel);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace lirbo::win32
