#include "ui/win32/ConnectionCheckWindow.h"

#include "ui/common/DialogForms.h"
#include "ui/win32/DialogGeometry.h"
#include "ui/win32/DialogTemplate.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

#include <cstring>

namespace lirbo::win32 {

namespace {
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 1000;
constexpr int kClipboardAttempts = 20;
constexpr DWORD kClipboardRetryMs = 5;
} // namespace

ConnectionCheckWindow::ConnectionCheckWindow(Source source, std::function<void()> addRule)
    : m_source(std::move(source)), m_addRule(std::move(addRule)) {}

void ConnectionCheckWindow::open(HINSTANCE instance, HWND owner) {
    if (m_dialog == nullptr) {
        m_dialog = createModelessDialog(instance, owner, ui::connectionCheckForm(), &ConnectionCheckWindow::dialogProc,
                                        reinterpret_cast<LPARAM>(this));
        if (m_dialog == nullptr) {
            return;
        }
        SetTimer(m_dialog, kRefreshTimer, kRefreshMs, nullptr);
    }
    refresh();
    ShowWindow(m_dialog, SW_SHOWNORMAL);
    SetForegroundWindow(m_dialog);
}

// Only a changed report replaces the text, so the reader's place and selection stay.
void ConnectionCheckWindow::refresh() {
    if (m_dialog == nullptr) {
        return;
    }
    const Shown shown = m_source();
    // The edit control breaks lines at CR LF.
    std::wstring report;
    for (const wchar_t c : wide(shown.report)) {
        report += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    }
    if (report != m_shown) {
        m_shown = report;
        SetDlgItemTextW(m_dialog, IDC_CHECK_REPORT, m_shown.c_str());
    }
    ShowWindow(GetDlgItem(m_dialog, IDC_CHECK_ALLOW), shown.canAddRule ? SW_SHOWNA : SW_HIDE);
}

// Another program may hold the clipboard for a moment (a clipboard viewer reading it): the copy
// tries again for up to a tenth of a second before it gives up.
void ConnectionCheckWindow::copyReport() const {
    bool opened = false;
    for (int attempt = 0; attempt < kClipboardAttempts && !opened; ++attempt) {
        opened = OpenClipboard(m_dialog) != FALSE;
        if (!opened) {
            Sleep(kClipboardRetryMs);
        }
    }
    if (!opened) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    EmptyClipboard();
    const std::size_t bytes = (m_shown.size() + 1) * sizeof(wchar_t);
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
    void* chars = data != nullptr ? GlobalLock(data) : nullptr;
    if (chars != nullptr) {
        std::memcpy(chars, m_shown.c_str(), bytes);
        GlobalUnlock(data);
        if (SetClipboardData(CF_UNICODETEXT, data) == nullptr) {
            GlobalFree(data);
        }
    } else if (data != nullptr) {
        GlobalFree(data);
    }
    CloseClipboard();
}

INT_PTR ConnectionCheckWindow::handle(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_TIMER:
        refresh();
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_CHECK_COPY:
            copyReport();
            return TRUE;
        case IDC_CHECK_ALLOW:
            m_addRule();
            refresh(); // the button hides while the helper runs
            return TRUE;
        case IDC_CHECK_CLOSE:
        case IDCANCEL: // Esc and the close box
            DestroyWindow(m_dialog);
            return TRUE;
        default:
            return FALSE;
        }
    case WM_CLOSE:
        DestroyWindow(m_dialog);
        return TRUE;
    case WM_DESTROY:
        KillTimer(m_dialog, kRefreshTimer);
        m_dialog = nullptr;
        m_shown.clear();
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK ConnectionCheckWindow::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
        reinterpret_cast<ConnectionCheckWindow*>(lParam)->m_dialog = dialog;
        applyFormGeometry(dialog, ui::connectionCheckForm());
        // The focus on the copy button: the report is read, not typed into.
        SetFocus(GetDlgItem(dialog, IDC_CHECK_COPY));
        return FALSE;
    }
    auto* self = reinterpret_cast<ConnectionCheckWindow*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    return self != nullptr && self->m_dialog == dialog ? self->handle(message, wParam) : FALSE;
}

} // namespace lirbo::win32
