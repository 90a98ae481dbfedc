#pragma once

#include <windows.h>

namespace lirbo::win32 {

// The About window: banner, contact links that the shell opens, notices; "ОК" closes it.
class TAboutForm {
public:
    static void execute(HINSTANCE instance, HWND owner);

private:
    explicit TAboutForm(HINSTANCE instance) : m_instance(instance) {}
    ~TAboutForm();
    TAboutForm(const TAboutForm&) = delete;
    TAboutForm& operator=(const TAboutForm&) = delete;

    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void FormCreate(HWND dialog);
    void openLink(HWND dialog, int label, const wchar_t* scheme);
    static bool isLink(HWND dialog, HWND control);

    HINSTANCE m_instance;
    HBITMAP m_banner = nullptr;
    HFONT m_linkFont = nullptr;
    HBRUSH m_white = nullptr;
};

} // namespace lirbo::win32
