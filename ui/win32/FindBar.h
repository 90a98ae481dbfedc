#pragma once

#include <functional>
#include <string>
#include <windows.h>
// after windows.h, which it needs
#include <commdlg.h>

namespace lirbo::win32 {

// Ctrl+F: the system's modeless find dialog over the transcript, with the direction buttons and
// without the case and whole-word options (the search ignores letter case itself). Each "Find
// next" asks `find`; a miss shows "Не найдено" in a box over the dialog.
class FindBar {
public:
    // Searches for Windows-1251 `text`; true when it found and showed a match.
    using Find = std::function<bool(const std::string& text, bool backward)>;

    explicit FindBar(Find find);
    FindBar(const FindBar&) = delete;
    FindBar& operator=(const FindBar&) = delete;

    // Opens the dialog, or brings it to the front when it is open.
    void open(HWND owner);
    // The open dialog, for the message loop's keyboard handling; null when closed.
    HWND dialog() const { return m_dialog; }
    // The owner's window procedure passes every message here first; true when it was the dialog's.
    bool handle(UINT message, LPARAM lParam);
    // The message loop passes every message here before the dialog's keyboard handling: Shift+Enter
    // in the dialog finds against its direction. True when it was taken.
    bool takeKey(const MSG& message);

private:
    Find m_find;
    UINT m_message;
    void findNext(bool backward);

    FINDREPLACEW m_request{};
    wchar_t m_text[256] = {};
    HWND m_dialog = nullptr;
};

} // namespace lirbo::win32
