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
    struct Shown {
        std::string report;      // Windows-1251, lines ending in "\n"
        bool canAddRule = false; // the allow button shows
    };
    using Source = std::function<Shown()>;

    ConnectionCheckWindow(Source source, std::function<void()> addRule);
    // Opens the window, or brings it to the front when it is open.
    void open(HINSTANCE instance, HWND owner);
    HWND handle() const { return m_dialog; }
    // Shows what the source says now.
    void refresh();

private:
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam);
    void copyReport() const;

    Source m_source;
    std::function<void()> m_addRule;
    HWND m_dialog = nullptr;
    std::wstring m_shown;
};

} // namespace lirbo::win32
