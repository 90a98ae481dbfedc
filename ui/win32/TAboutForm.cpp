#include "ui/win32/TAboutForm.h"

#include "ui/common/DialogForms.h"
#include "ui/win32/DialogGeometry.h"
#include "ui/win32/DialogKeys.h"
#include "ui/win32/DialogTemplate.h"
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
    showDialog(instance, owner, ui::aboutForm(), &TAboutForm::dialogProc, reinterpret_cast<LPARAM>(&about));
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
    applyFormGeometry(dialog, ui::aboutForm());
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

INT_PTR CALLBACK TAboutForm::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TAboutForm*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        self = reinterpret_cast<TAboutForm*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
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
            SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649))); // IDC_HAND
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        return FALSE;
    case WM_COMMAND:
        // Enter presses the focused button (IDOK from the dialog manager); Esc does nothing.
        switch (LOWORD(wParam) == IDOK ? enterTarget(dialog, 0) : LOWORD(wParam)) {
        case IDC_LABEL3:
            self->openLink(dialog, IDC_LABEL3, L"mailto:");
            break;
        case IDC_LABEL4:
            self->openLink(dialog, IDC_LABEL4, L"http://");
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
