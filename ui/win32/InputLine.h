#pragma once

#include "app/ChatSession.h"
#include "app/InputRules.h"

#include <memory>
#include <windows.h>

namespace lirbo::win32 {

// messaga and bsend: the line the user types into and the button that sends it. Enter and the
// button send to all, Ctrl+Up and Ctrl+Down bring back lines sent before, a pasted text comes in
// as one line; each goes to the session, which decides.
class InputLine {
public:
    // `session` is the window's: empty before it is made and after it ends.
    explicit InputLine(const std::unique_ptr<app::ChatSession>& session) : m_session(session) {}

    void attach(HWND edit);
    HWND edit() const { return m_edit; }
    // The window's command `id` when it is bsend's; false for any other.
    bool command(int id);

    app::TypedText text() const;
    // The text with the caret at its end.
    void setText(const app::TypedText& text);
    void clearAndFocus();
    void focus();

private:
    static LRESULT CALLBACK keysProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);

    const std::unique_ptr<app::ChatSession>& m_session;
    HWND m_edit = nullptr;
};

} // namespace lirbo::win32
