#pragma once

#include <functional>
#include <string>
#include <windows.h>

namespace lirbo::win32 {

// "Проверка связи": a modeless window with the whole report as read-only text, kept up to date
// by a timer while it is open; "Копировать отчёт" puts the report on the clipboard, and
// "Разрешить в брандмауэре" shows while an allowing rule would help.
class ConnectionCheckWindow {
public:
    using Report = std::function<std::string()>; // Windows-1251, lines ending CR LF
    using Flag = std::function<bool()>;

    ConnectionCheckWindow(Report report, Flag allowHelps, std::function<void()> allow, std::function<void()> tick);
    // Opens the window, or brings it to the front when it is open.
    void open(HINSTANCE instance, HWND owner);
    HWND handle() const { return m_dialog; }
    // Shows what the report says now, and the allow button as the flag says.
    void refresh();
    // The allow button is disabled while the elevated helper runs.
    void setAllowBusy(bool busy);

private:
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam);
    void copyReport() const;

    Report m_report;
    Flag m_allowHelps;
    std::function<void()> m_allow;
    std::function<void()> m_tick;
    HWND m_dialog = nullptr;
    std::wstring m_shown;
};

} // namespace lirbo::win32
