#include "ui/win32/InputLine.h"

#include "ui/win32/OneLinePaste.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

#include <commctrl.h>

namespace lirbo::win32 {

void InputLine::attach(HWND edit) {
    m_edit = edit;
    SetWindowSubclass(edit, &InputLine::keysProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

bool InputLine::command(int id) {
    if (id != IDC_BSEND) {
        return false;
    }
    m_session->sendToAll(); // bsendClick
    return true;
}

// messaga asks the dialog manager for Enter, and its Enter (character 13) sends to all; the key
// goes on to the edit all the same.
LRESULT CALLBACK InputLine::keysProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    const auto& session = reinterpret_cast<InputLine*>(self)->m_session;
    if (message == WM_GETDLGCODE) {
        const LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
            return code | DLGC_WANTALLKEYS;
        }
        return code;
    }
    if (message == WM_PASTE && pasteAsOneLine(edit)) {
        return 0;
    }
    if (message == WM_CHAR && wParam == '\r' && session) {
        session->sendToAll(); // messagaKeyPress
    }
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN) && GetKeyState(VK_CONTROL) < 0 && session) {
        if (wParam == VK_UP) {
            session->recallOlder();
        } else {
            session->recallNewer();
        }
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, &InputLine::keysProc, 0);
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

app::TypedText InputLine::text() const {
    return typedText(m_edit);
}

void InputLine::setText(const app::TypedText& text) {
    setTypedText(m_edit, text);
    const auto end = SendMessageW(m_edit, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(m_edit, EM_SETSEL, static_cast<WPARAM>(end), end);
}

void InputLine::clearAndFocus() {
    SetWindowTextW(m_edit, L"");
    SetFocus(m_edit);
}

void InputLine::focus() {
    SetFocus(m_edit);
}

} // namespace lirbo::win32
