#include "ui/win32/NoticeBar.h"

#include "ui/win32/resource.h"

#include <commctrl.h>

namespace lirbo::win32 {

namespace {

constexpr wchar_t kBarClass[] = L"TLirboNoticeBar";
constexpr int kLinkWidth = 90;
constexpr int kCloseWidth = 20;

HMENU controlId(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

} // namespace

NoticeBar::NoticeBar(std::function<void()> openLink, std::function<void()> changed)
    : m_openLink(std::move(openLink)), m_changed(std::move(changed)) {}

void NoticeBar::show(HWND parent, HINSTANCE instance, HFONT font, const std::wstring& text, const std::wstring& link) {
    if (m_bar != nullptr) {
        return;
    }
    WNDCLASSEXW bar{};
    bar.cbSize = sizeof bar;
    bar.lpfnWndProc = &NoticeBar::barProc;
    bar.hInstance = instance;
    bar.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    bar.hbrBackground = GetSysColorBrush(COLOR_INFOBK);
    bar.lpszClassName = kBarClass;
    RegisterClassExW(&bar); // fails harmlessly when already registered
    m_dpi = Dpi::of(parent);
    m_bar = CreateWindowExW(WS_EX_CONTROLPARENT, kBarClass, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                            controlId(IDC_NOTICEBAR), instance, this);
    m_text = CreateWindowExW(0, WC_STATICW, text.c_str(),
                             WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE | SS_ENDELLIPSIS, 0, 0, 0,
                             0, m_bar, controlId(IDC_NOTICE_TEXT), instance, nullptr);
    const std::wstring markup = L"<a>" + link + L"</a>";
    m_link = CreateWindowExW(0, WC_LINK, markup.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | LWS_TRANSPARENT, 0, 0, 0,
                             0, m_bar, controlId(IDC_NOTICE_LINK), instance, nullptr);
    m_close = CreateWindowExW(0, WC_BUTTONW, L"\u00D7", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_FLAT, 0,
                              0, 0, 0, m_bar, controlId(IDC_NOTICE_CLOSE), instance, nullptr);
    setFont(font, m_dpi);
    ShowWindow(m_bar, SW_SHOWNA);
    m_changed();
}

void NoticeBar::close() {
    if (m_bar != nullptr) {
        PostMessageW(m_bar, WM_CLOSE, 0, 0);
    }
}

void NoticeBar::setFont(HFONT font, const Dpi& dpi) {
    m_dpi = dpi;
    for (HWND control : {m_text, m_link, m_close}) {
        if (control != nullptr) {
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        }
    }
    layout();
}

void NoticeBar::layout() {
    if (m_bar == nullptr) {
        return;
    }
    RECT client;
    GetClientRect(m_bar, &client);
    const int w = client.right;
    const int h = client.bottom;
    const int close = m_dpi(kCloseWidth);
    const int link = m_dpi(kLinkWidth);
    MoveWindow(m_close, w - close - m_dpi(2), m_dpi(2), close, h - m_dpi(4), TRUE);
    MoveWindow(m_link, w - close - link - m_dpi(6), m_dpi(3), link, h - m_dpi(6), TRUE);
    MoveWindow(m_text, m_dpi(6), 0, w - close - link - m_dpi(16) > 0 ? w - close - link - m_dpi(16) : 0, h, TRUE);
}

LRESULT NoticeBar::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        layout();
        return 0;
    case WM_CTLCOLORSTATIC: { // the text and the link on the bar's colours
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        SetBkColor(dc, GetSysColor(COLOR_INFOBK));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
    }
    case WM_NOTIFY: {
        const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
        if (notice->hwndFrom == m_link && (notice->code == NM_CLICK || notice->code == NM_RETURN)) {
            m_openLink();
        }
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_NOTICE_CLOSE) {
            close(); // posted: not while the button is inside its own click
        }
        return 0;
    case WM_CLOSE:
        DestroyWindow(m_bar);
        return 0;
    case WM_DESTROY:
        // Not while the main window itself goes: it has been hidden by then.
        if (IsWindowVisible(GetParent(m_bar))) {
            m_bar = m_text = m_link = m_close = nullptr;
            m_changed();
        }
        m_bar = m_text = m_link = m_close = nullptr;
        return 0;
    default:
        return DefWindowProcW(m_bar, message, wParam, lParam);
    }
}

LRESULT CALLBACK NoticeBar::barProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<NoticeBar*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_bar = bar;
        SetWindowLongPtrW(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<NoticeBar*>(GetWindowLongPtrW(bar, GWLP_USERDATA));
    if (self == nullptr || self->m_bar != bar) {
        return DefWindowProcW(bar, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

} // namespace lirbo::win32
