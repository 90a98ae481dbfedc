#include "ui/win32/TOptionsForm.h"

#include "ui/common/DialogForms.h"
#include "ui/win32/DialogGeometry.h"
#include "ui/win32/DialogKeys.h"
#include "ui/win32/DialogTemplate.h"
#include "ui/win32/resource.h"

namespace lirbo::win32 {

namespace {

constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;

// The check boxes and the option each stands for.
struct Switch {
    int id;
    bool core::TChatOptions::*option;
};
constexpr Switch kSwitches[] = {
    {IDC_OPTIONS_DND, &core::TChatOptions::doNotDisturb},
    {IDC_OPTIONS_ONLY_LISTED, &core::TChatOptions::onlyListed},
    {IDC_OPTIONS_START_MINIMISED, &core::TChatOptions::startMinimised},
    {IDC_OPTIONS_CLOSE_TO_TRAY, &core::TChatOptions::closeToTray},
    {IDC_OPTIONS_AUTOSTART, &core::TChatOptions::startWithSession},
};

void check(HWND dialog, int id, bool on) {
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

bool checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

} // namespace

bool TOptionsForm::execute(HINSTANCE instance, HWND owner, core::TChatOptions& options, bool& historyEnabled) {
    TOptionsForm dialog(options, historyEnabled);
    return showDialog(instance, owner, ui::optionsForm(), &TOptionsForm::dialogProc,
                      reinterpret_cast<LPARAM>(&dialog)) == kResultOk;
}

void TOptionsForm::FormCreate(HWND dialog) const {
    applyFormGeometry(dialog, ui::optionsForm());
    // The radio buttons' IDs follow the sound option's values 0, 1, 2.
    CheckRadioButton(dialog, IDC_OPTIONS_SOUND_NONE, IDC_OPTIONS_SOUND_EVERY,
                     IDC_OPTIONS_SOUND_NONE + static_cast<int>(m_options.sound));
    for (const Switch& item : kSwitches) {
        check(dialog, item.id, m_options.*item.option);
    }
    check(dialog, IDC_OPTIONS_HISTORY, m_historyEnabled);
}

void TOptionsForm::OkClick(HWND dialog) const {
    m_options.sound = checked(dialog, IDC_OPTIONS_SOUND_NONE)    ? core::TArrivalSound::None
                      : checked(dialog, IDC_OPTIONS_SOUND_EVERY) ? core::TArrivalSound::Every
                                                                 : core::TArrivalSound::PrivateOnly;
    for (const Switch& item : kSwitches) {
        m_options.*item.option = checked(dialog, item.id);
    }
    m_historyEnabled = checked(dialog, IDC_OPTIONS_HISTORY);
    EndDialog(dialog, kResultOk);
}

INT_PTR CALLBACK TOptionsForm::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TOptionsForm*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        self = reinterpret_cast<TOptionsForm*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        self->FormCreate(dialog);
        SetFocus(GetDlgItem(dialog, IDC_OPTIONS_OK));
        return FALSE; // the focus is set
    case WM_COMMAND: {
        // IDOK comes from Enter: it presses a focused button and nothing else; Esc does nothing.
        const int id = LOWORD(wParam) == IDOK ? enterTarget(dialog, 0) : LOWORD(wParam);
        if (id == IDC_OPTIONS_OK) {
            self->OkClick(dialog);
        } else if (id == IDC_OPTIONS_CANCEL) {
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
