#include "ui/win32/PeerLabelDialog.h"

#include "ui/common/DialogForms.h"
#include "ui/win32/DialogGeometry.h"
#include "ui/win32/DialogKeys.h"
#include "ui/win32/DialogTemplate.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

namespace lirbo::win32 {

namespace {
constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;
} // namespace

bool PeerLabelDialog::execute(HINSTANCE instance, HWND owner, const std::string& address, std::string& label,
                              const app::IFrontEnd::TextCheck& checkLabel) {
    PeerLabelDialog dialog(address, label, checkLabel);
    return showDialog(instance, owner, ui::peerLabelForm(), &PeerLabelDialog::dialogProc,
                      reinterpret_cast<LPARAM>(&dialog)) == kResultOk;
}

void PeerLabelDialog::okClick(HWND dialog) {
    const app::TypedText label = typedText(GetDlgItem(dialog, IDC_PODPIS_EDIT));
    const std::string refused = m_checkLabel ? m_checkLabel(label) : std::string();
    if (!refused.empty()) {
        MessageBoxes::showError(refused);
        SetFocus(GetDlgItem(dialog, IDC_PODPIS_EDIT));
        return;
    }
    m_label = label.text;
    EndDialog(dialog, kResultOk);
}

INT_PTR CALLBACK PeerLabelDialog::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<PeerLabelDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        self = reinterpret_cast<PeerLabelDialog*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        setWindowText(GetDlgItem(dialog, IDC_PODPIS_LABEL2), self->m_address); // before the labels are fitted
        applyFormGeometry(dialog, ui::peerLabelForm());
        setWindowText(GetDlgItem(dialog, IDC_PODPIS_EDIT), self->m_label);
        return TRUE; // the focus goes to the field, its text selected
    case WM_COMMAND:
        // Enter presses a focused button; in the field it presses OK.
        switch (LOWORD(wParam) == IDOK ? enterTarget(dialog, IDC_PODPIS_BUTTON1) : LOWORD(wParam)) {
        case IDC_PODPIS_BUTTON1:
            self->okClick(dialog);
            break;
        case IDC_PODPIS_BUTTON2:
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
