#pragma once

#include "ui/common/FormDescription.h"

#include <windows.h>

namespace lirbo::win32 {

// A modal dialog made from its form's description: it places the controls at the dialog's
// scaling when it opens, turns Enter into the press of the focused push button, lets Esc do
// nothing, and ends refused on its cancel button or the close box. A dialog says what it shows
// and what OK takes.
class ModalDialog {
public:
    struct Keys {
        int ok;           // ends it accepted, once accept() agrees
        int cancel;       // ends it refused; 0: it has no cancel button
        int enterDefault; // what Enter presses when no push button has the focus; 0: nothing
        int firstFocus;   // focused when it opens; 0: the first tab stop, its text selected
    };

    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

protected:
    ModalDialog(const ui::FormDescription& form, const Keys& keys) : m_form(form), m_keys(keys) {}
    virtual ~ModalDialog() = default;

    // Shows it modally over `owner`; true when it ended accepted.
    bool run(HINSTANCE instance, HWND owner);

    // Before the controls are placed: what their size depends on (a label's text, a list's rows).
    virtual void beforeLayout(HWND /*dialog*/) {}
    // Once they are placed: the values shown.
    virtual void fill(HWND /*dialog*/) {}
    // OK was pressed: takes the values, or refuses them and keeps the dialog open (false).
    virtual bool accept(HWND dialog) = 0;
    // Any other command: a link clicked.
    virtual void otherCommand(HWND /*dialog*/, int /*id*/) {}
    // A message the dialog handles itself (colours, the cursor): true with its `result`.
    virtual bool handle(HWND /*dialog*/, UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR& /*result*/) {
        return false;
    }

private:
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR opened(HWND dialog);
    void command(HWND dialog, int id);

    const ui::FormDescription& m_form;
    const Keys m_keys;
};

} // namespace lirbo::win32
