#include "ui/win32/TAboutForm.h"

#include "ui/common/DialogForms.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/Glyphs.h"
#include "ui/win32/JpegBanner.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

#include <shellapi.h>
#include <string>

namespace lirbo::win32 {

namespace {
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
} // namespace

void TAboutForm::execute(HINSTANCE instance, HWND owner) {
    TAboutForm about(instance);
    about.run(instance, owner);
}

// Enter presses the focused button and nothing else; the focus goes to Button1, the only
// focusable control. It has no cancel button: the close box ends it.
TAboutForm::TAboutForm(HINSTANCE instance)
    : ModalDialog(ui::aboutForm(), {IDC_ABOUT_BUTTON1, 0, 0, 0}), m_instance(instance) {}

TAboutForm::~TAboutForm() {
    if (m_banner != nullptr) {
        DeleteObject(m_banner);
    }
    if (m_linkFont != nullptr) {
        DeleteObject(m_linkFont);
    }
    if (m_white != nullptr) {
        DeleteObject(m_white);
    }
}

void TAboutForm::beforeLayout(HWND dialog) {
    m_white = CreateSolidBrush(RGB(255, 255, 255));
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfUnderline = TRUE;
    m_linkFont = CreateFontIndirectW(&font);
    SendDlgItemMessageW(dialog, IDC_LABEL3, WM_SETFONT, reinterpret_cast<WPARAM>(m_linkFont), FALSE);
    SendDlgItemMessageW(dialog, IDC_LABEL4, WM_SETFONT, reinterpret_cast<WPARAM>(m_linkFont), FALSE);
    // The picture at its own size, then scaled with the rest of the window.
    const ui::Rect banner = ui::aboutForm().find("Image1")->rect;
    m_banner = loadJpegBanner(m_instance, IDJ_BANNER, banner.width, banner.height);
    const Dpi dpi = Dpi::of(dialog);
    if (m_banner != nullptr && dpi.value() != Dpi::kDefault) {
        HBITMAP scaled = scaledBitmap(m_banner, dpi(banner.width), dpi(banner.height));
        DeleteObject(m_banner);
        m_banner = scaled;
    }
    if (m_banner != nullptr) {
        SendDlgItemMessageW(dialog, IDC_IMAGE1, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_banner));
    }
}

void TAboutForm::fill(HWND dialog) {
    // Label6 reaches into the banner's lower edge and is drawn over it.
    SetWindowPos(GetDlgItem(dialog, IDC_LABEL6), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Label3Click and Label4Click: the shell opens the link; its answer is not looked at.
void TAboutForm::openLink(HWND dialog, int label, const wchar_t* scheme) {
    const std::wstring target = scheme + wide(windowText(GetDlgItem(dialog, label)));
    ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
}

bool TAboutForm::isLink(HWND dialog, HWND control) {
    return control == GetDlgItem(dialog, IDC_LABEL3) || control == GetDlgItem(dialog, IDC_LABEL4);
}

bool TAboutForm::accept(HWND /*dialog*/) {
    return true;
}

void TAboutForm::otherCommand(HWND dialog, int id) {
    if (id == IDC_LABEL3) {
        openLink(dialog, IDC_LABEL3, L"mailto:");
    } else if (id == IDC_LABEL4) {
        openLink(dialog, IDC_LABEL4, L"http://");
    }
}

// White behind every label, the links in blue, the hand over them.
bool TAboutForm::handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
    case WM_CTLCOLORDLG:
        result = reinterpret_cast<INT_PTR>(m_white);
        return true;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, RGB(255, 255, 255));
        SetTextColor(dc, isLink(dialog, reinterpret_cast<HWND>(lParam)) ? kLinkColour : GetSysColor(COLOR_WINDOWTEXT));
        result = reinterpret_cast<INT_PTR>(m_white);
        return true;
    }
    case WM_SETCURSOR:
        if (!isLink(dialog, reinterpret_cast<HWND>(wParam))) {
            return false;
        }
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649))); // IDC_HAND
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
        result = TRUE;
        return true;
    default:
        return false;
    }
}

} // namespace lirbo::win32
