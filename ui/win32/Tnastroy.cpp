#include "ui/win32/Tnastroy.h"

#include "core/NickPalette.h"
#include "ui/common/DialogForms.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

namespace lirbo::win32 {

namespace {
constexpr int kItemHeight = 13;
constexpr int kFieldHeight = 21;
} // namespace

bool Tnastroy::execute(HINSTANCE instance, HWND owner, std::string& nick, int& colour,
                       const app::IFrontEnd::TextCheck& checkNick) {
    Tnastroy dialog(nick, colour, checkNick);
    return dialog.run(instance, owner);
}

// Enter presses a focused button and nothing else; the focus goes to nik, its text selected.
Tnastroy::Tnastroy(std::string& nick, int& colour, const app::IFrontEnd::TextCheck& checkNick)
    : ModalDialog(ui::nastroyForm(), {IDC_BITBTN1, IDC_BITBTN2, 0, 0}), m_nick(nick), m_colour(colour),
      m_checkNick(checkNick) {}

// The colour list's rows and their height, which the drop-down's placing depends on.
void Tnastroy::beforeLayout(HWND dialog) {
    HWND combo = GetDlgItem(dialog, IDC_COMBOBOX1);
    for (int i = 0; i < core::TNickPalette::nameCount(); ++i) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(core::TNickPalette::name(i)).c_str()));
    }
    const Dpi dpi = Dpi::of(dialog);
    SendMessageW(combo, CB_SETITEMHEIGHT, 0, dpi(kItemHeight));
    // The selection field: the item height plus the two 3-pixel edges.
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), dpi(kFieldHeight - 6));
}

void Tnastroy::fill(HWND dialog) {
    SendDlgItemMessageW(dialog, IDC_COMBOBOX1, CB_SETCURSEL, static_cast<WPARAM>(m_colour), 0);
    setWindowText(GetDlgItem(dialog, IDC_NIK), m_nick);
}

bool Tnastroy::accept(HWND dialog) {
    const app::TypedText nick = typedText(GetDlgItem(dialog, IDC_NIK));
    const std::string refused = m_checkNick ? m_checkNick(nick) : std::string();
    if (!refused.empty()) {
        MessageBoxes::showError(refused);
        return false;
    }
    m_nick = nick.text;
    m_colour = static_cast<int>(SendDlgItemMessageW(dialog, IDC_COMBOBOX1, CB_GETCURSEL, 0, 0));
    return true;
}

} // namespace lirbo::win32
