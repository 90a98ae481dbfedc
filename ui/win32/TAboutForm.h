#pragma once

#include "ui/win32/ModalDialog.h"

namespace lirbo::win32 {

// The About window: banner, contact links that the shell opens, notices; "ОК" closes it.
class TAboutForm : ModalDialog {
public:
    static void execute(HINSTANCE instance, HWND owner);

private:
    explicit TAboutForm(HINSTANCE instance);
    ~TAboutForm() override;

    void beforeLayout(HWND dialog) override; // FormCreate
    void fill(HWND dialog) override;
    bool accept(HWND dialog) override; // Button1Click
    void otherCommand(HWND dialog, int id) override;
    bool handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void openLink(HWND dialog, int label, const wchar_t* scheme);
    static bool isLink(HWND dialog, HWND control);

    HINSTANCE m_instance;
    HBITMAP m_banner = nullptr;
    HFONT m_linkFont = nullptr;
    HBRUSH m_white = nullptr;
};

} // namespace lirbo::win32
