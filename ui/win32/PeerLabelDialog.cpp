#include "ui/win32/PeerLabelDialog.h"

#include "ui/common/DialogForms.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

namespace lirbo::win32 {

bool PeerLabelDialog::execute(HINSTANCE instance, HWND owner, const std::string& address, std::string& label,
                              const app::IFrontEnd::TextCheck& checkLabel) {
    PeerLabelDialog dialog(address, label, checkLabel);
    return dialog.run(instance, owner);
}

// Enter in the field presses OK; the focus goes to it, its text selected.
PeerLabelDialog::PeerLabelDialog(const std::string& address, std::string& label,
                                 const app::IFrontEnd::TextCheck& checkLabel)
    : ModalDialog(ui::peerLabelForm(), {IDC_PODPIS_BUTTON1, IDC_PODPIS_BUTTON2, IDC_PODPIS_BUTTON1, 0}),
      m_address(address), m_label(label), m_checkLabel(checkLabel) {}

// The address label is fitted to its text.
void PeerLabelDialog::beforeLayout(HWND dialog) {
    setWindowText(GetDlgItem(dialog, IDC_PODPIS_LABEL2), m_address);
}

void PeerLabelDialog::fill(HWND dialog) {
    setWindowText(GetDlgItem(dialog, IDC_PODPIS_EDIT), m_label);
}

bool PeerLabelDialog::accept(HWND dialog) {
    const app::TypedText label = typedText(GetDlgItem(dialog, IDC_PODPIS_EDIT));
    const std::string refused = m_checkLabel ? m_checkLabel(label) : std::string();
    if (!refused.empty()) {
        MessageBoxes::showError(refused);
        SetFocus(GetDlgItem(dialog, IDC_PODPIS_EDIT));
        return false;
    }
    m_label = label.text;
    return true;
}

} // namespace lirbo::win32
