#include "ui/win32/TAboutForm.h"

#include "ui/win32/DialogGeometry.h"
#include "ui/win32/JpegBanner.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

#include <shellapi.h>
#include <string>

namespace lirbo::win32 {

namespace {
constexpr int kBannerWidth = 417;
constexpr int kBannerHeight = 128;
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
} // namespace

void TAboutForm::execute(HINSTANCE instance, HWND owner) {
    TAboutForm about(instance);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, &TAboutForm::dialogProc,
                    reinterpret_cast<LPARAM>(&about));
}

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

void TAboutForm::FormCreate(HWND dialog) {
    m_white = CreateSolidBrush(RGB(255, 255, 255));
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfUnderline = TRUE;
    m_linkFont = CreateFontIndirectA(&font);
    SendDlgItemMessageA(dialog, IDC_LABEL3, WM_SETFONT, reinterpret_cast<WPARAM>(m_linkFont), FALSE);
    SendDlgItemMessageA(dialog, IDC_LABEL4, WM_SETFONT, reinterpret_cast<WPARAM>(m_linkFont), FALSE);
    m_banner = loadJpegBanner(m_instance, IDJ_BANNER, kBannerWidth, kBannerHeight);
    if (m_banner != nullptr) {
        SendDlgItemMessageA(dialog, IDC_IMAGE1, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_banner));
    }
    applyPixelGeometry(dialog);
    // Label6 reaches into the banner's lower edge and is drawn over it.
    SetWindowPos(GetDlgItem(dialog, IDC_LABEL6), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Label3Click and Label4Click: the shell opens the link; its answer is not looked at.
void TAboutForm::openLink(HWND dialog, int label, const char* scheme) {
    const std::string target = scheme + windowText(GetDlgItem(dialog, label));
    ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
}

bool TAboutForm::isLink(HWND dialog, HWND control) {
    return control == GetDlgItem(dialog, IDC_LABEL3) || control == GetDlgItem(dialog, IDC_LABEL4);
}

INT_PTR CALLBACK TAboutForm::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TAboutForm*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        self = reinterpret_cast<TAboutForm*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        self->FormCreate(dialog);
        return TRUE; // the focus goes to Button1, the only focusable control
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(self->m_white);
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, RGB(255, 255, 255));
        SetTextColor(dc, isLink(dialog, reinterpret_cast<HWND>(lParam)) ? kLinkColour : GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<INT_PTR>(self->m_white);
    }
    case WM_SETCURSOR:
        if (isLink(dialog, reinterpret_cast<HWND>(wParam))) {
            SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649))); // IDC_HAND
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_LABEL3:
            self->openLink(dialog, IDC_LABEL3, "mailto:");
            break;
        case IDC_LABEL4:
            self->openLink(dialog, IDC_LABEL4, "http://");
            break;
        case IDC_ABOUT_BUTTON1: // Button1Click
            EndDialog(dialog, 1);
            break;
        default: // Enter and Esc without a focused button do nothing
            break;
        }
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 2);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace lirbo::win32
