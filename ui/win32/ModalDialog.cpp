#include "ui/win32/ModalDialog.h"

#include "ui/win32/DialogGeometry.h"
#include "ui/win32/DialogKeys.h"
#include "ui/win32/DialogTemplate.h"

namespace lirbo::win32 {

namespace {
constexpr INT_PTR kResultOk = 1;
constexpr INT_PTR kResultCancel = 2;
} // namespace

bool ModalDialog::run(HINSTANCE instance, HWND owner) {
    return showDialog(instance, owner, m_form, &ModalDialog::procedure, reinterpret_cast<LPARAM>(this)) == kResultOk;
}

INT_PTR ModalDialog::opened(HWND dialog) {
    beforeLayout(dialog);
    applyFormGeometry(dialog, m_form);
    fill(dialog);
    if (m_keys.firstFocus == 0) {
        return TRUE; // the dialog manager focuses the first tab stop
    }
    SetFocus(GetDlgItem(dialog, m_keys.firstFocus));
    return FALSE; // the focus is set
}

// IDOK comes from Enter, IDCANCEL from Esc, which does nothing.
void ModalDialog::command(HWND dialog, int id) {
    const int pressed = id == IDOK ? enterTarget(dialog, m_keys.enterDefault) : id;
    if (pressed == 0) {
        return; // Enter with no push button focused, where it presses none
    }
    if (pressed == m_keys.ok) {
        if (accept(dialog)) {
            EndDialog(dialog, kResultOk);
        }
    } else if (pressed == m_keys.cancel) {
        EndDialog(dialog, kResultCancel);
    } else {
        otherCommand(dialog, pressed);
    }
}

INT_PTR CALLBACK ModalDialog::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        return reinterpret_cast<ModalDialog*>(lParam)->opened(dialog);
    case WM_COMMAND:
        if (self != nullptr) {
            self->command(dialog, LOWORD(wParam));
        }
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, kResultCancel);
        return TRUE;
    default: {
        INT_PTR result = FALSE;
        return self != nullptr && self->handle(dialog, message, wParam, lParam, result) ? result : FALSE;
    }
    }
}

} // namespace lirbo::win32
