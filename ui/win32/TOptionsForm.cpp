#include "ui/win32/TOptionsForm.h"

#include "ui/common/DialogForms.h"
#include "ui/win32/resource.h"

namespace lirbo::win32 {

namespace {

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
    return dialog.run(instance, owner);
}

// Enter presses a focused button and nothing else; it opens with the focus on OK.
TOptionsForm::TOptionsForm(core::TChatOptions& options, bool& historyEnabled)
    : ModalDialog(ui::optionsForm(), {IDC_OPTIONS_OK, IDC_OPTIONS_CANCEL, 0, IDC_OPTIONS_OK}), m_options(options),
      m_historyEnabled(historyEnabled) {}

void TOptionsForm::fill(HWND dialog) {
    // The radio buttons' IDs follow the sound option's values 0, 1, 2.
    CheckRadioButton(dialog, IDC_OPTIONS_SOUND_NONE, IDC_OPTIONS_SOUND_EVERY,
                     IDC_OPTIONS_SOUND_NONE + static_cast<int>(m_options.sound));
    for (const Switch& item : kSwitches) {
        check(dialog, item.id, m_options.*item.option);
    }
    check(dialog, IDC_OPTIONS_HISTORY, m_historyEnabled);
}

bool TOptionsForm::accept(HWND dialog) {
    m_options.sound = checked(dialog, IDC_OPTIONS_SOUND_NONE)    ? core::TArrivalSound::None
                      : checked(dialog, IDC_OPTIONS_SOUND_EVERY) ? core::TArrivalSound::Every
                                                                 : core::TArrivalSound::PrivateOnly;
    for (const Switch& item : kSwitches) {
        m_options.*item.option = checked(dialog, item.id);
    }
    m_historyEnabled = checked(dialog, IDC_OPTIONS_HISTORY);
    return true;
}

} // namespace lirbo::win32
