#include "ui/win32/HistoryViewer.h"

#include "app/TranscriptPositions.h"
#include "core/Exception.h"
#include "core/Texts.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/WindowClass.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

#include <commctrl.h>
#include <richedit.h>

namespace lirbo::win32 {

namespace {

const wchar_t* const kWindowClass = L"LirboHistoryViewer";
// Not the view's draw timer: every draw of the view kills that one on this window.
constexpr UINT_PTR kWorkTimer = TranscriptView::kDrawTimer + 1;
// The longest run of slices between two returns to the message loop, in milliseconds.
constexpr DWORD kSliceMilliseconds = 10;

// One result a line: control characters of the message would break the row.
std::wstring oneLine(const std::string& bytes) {
    std::wstring text = wide(bytes);
    for (wchar_t& c : text) {
        if (c < 0x20 || c == 0x7F) {
            c = L' ';
        }
    }
    return text;
}

HMENU controlId(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

} // namespace

HistoryViewer::HistoryViewer(HINSTANCE instance, std::string folder)
    : m_instance(instance), m_browser(std::move(folder), [] {}) {} // drawn after each slice

HistoryViewer::~HistoryViewer() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
    DeleteObject(m_font);
}

void HistoryViewer::present(HWND owner) {
    if (m_window == nullptr) {
        create(owner);
    }
    guarded([this] { m_browser.refresh(); });
    showDays();
    ShowWindow(m_window, IsIconic(m_window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(m_window);
}

HWND HistoryViewer::control(const wchar_t* type, const wchar_t* text, DWORD style, DWORD exStyle, int id) {
    return CreateWindowExW(exStyle, type, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, m_window, controlId(id),
                           m_instance, nullptr);
}

void HistoryViewer::create(HWND owner) {
    registerTopLevelClass(m_instance, &HistoryViewer::windowProc, kWindowClass);

    m_dpi = Dpi::of(owner);
    m_window =
        CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, uiText(text::kHistoryCaption).c_str(), WS_OVERLAPPEDWINDOW,
                        CW_USEDEFAULT, CW_USEDEFAULT, m_dpi(640), m_dpi(440), owner, nullptr, m_instance, this);
    m_dpi = Dpi::of(m_window);
    m_font = createTahoma(m_dpi);
    m_days = control(WC_LISTBOXW, L"", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE,
                     IDC_HISTORY_DAYS);
    m_view.create(m_window, m_instance, IDC_HISTORY_VIEW, m_font);
    m_view.attach(m_browser.mirror());
    m_pageNote = control(WC_STATICW, L"", SS_LEFT | SS_NOPREFIX, 0, IDC_HISTORY_PAGE_NOTE);
    m_earlier = control(WC_BUTTONW, uiText(text::kHistoryEarlier).c_str(), WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED, 0,
                        IDC_HISTORY_EARLIER);
    m_later = control(WC_BUTTONW, uiText(text::kHistoryLater).c_str(), WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED, 0,
                      IDC_HISTORY_LATER);
    m_searchText = control(WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, IDC_HISTORY_SEARCH);
    m_find = control(WC_BUTTONW, uiText(text::kHistoryFindEverywhere).c_str(), WS_TABSTOP | BS_PUSHBUTTON, 0,
                     IDC_HISTORY_FIND);
    m_searchNote = control(WC_STATICW, L"", SS_LEFT | SS_NOPREFIX, 0, IDC_HISTORY_SEARCH_NOTE);
    m_hits = control(WC_LISTBOXW, L"", WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                     WS_EX_CLIENTEDGE, IDC_HISTORY_HITS);
    applyDpi();
}

void HistoryViewer::applyDpi() {
    HFONT old = m_font;
    m_font = createTahoma(m_dpi);
    for (HWND child : {m_days, m_pageNote, m_earlier, m_later, m_searchText, m_find, m_searchNote, m_hits}) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    }
    m_view.setFont(m_font);
    if (old != nullptr) {
        DeleteObject(old);
    }
    layout();
}

// The days on the left; on the right the part's note and buttons, the day, the search row and
// its results, all at the window's scaling.
void HistoryViewer::layout() {
    RECT client;
    GetClientRect(m_window, &client);
    const Dpi& px = m_dpi;
    const int width = client.right;
    const int height = client.bottom;
    const int gap = px(6);
    const int row = px(23);
    const int left = px(8) + px(96) + gap;
    const int right = width - px(8);
    const int hitsHeight = px(120);
    MoveWindow(m_days, px(8), px(8), px(96), height - px(16), TRUE);
    MoveWindow(m_later, right - px(80), px(8), px(80), row, TRUE);
    MoveWindow(m_earlier, right - px(80) - gap - px(80), px(8), px(80), row, TRUE);
    MoveWindow(m_pageNote, left, px(12), right - px(172) - left - gap, row, TRUE);
    const int viewTop = px(8) + row + gap;
    const int searchTop = height - px(8) - hitsHeight - gap - row;
    MoveWindow(m_view.handle(), left, viewTop, right - left, searchTop - gap - viewTop, TRUE);
    MoveWindow(m_searchText, left, searchTop, px(160), row, TRUE);
    MoveWindow(m_find, left + px(160) + gap, searchTop, px(130), row, TRUE);
    MoveWindow(m_searchNote, left + px(296) + gap, searchTop + px(4), right - left - px(296) - gap, row, TRUE);
    MoveWindow(m_hits, left, height - px(8) - hitsHeight, right - left, hitsHeight, TRUE);
}

LRESULT CALLBACK HistoryViewer::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<HistoryViewer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_NCDESTROY) { // with its owner, the main window
        self->m_window = nullptr;
        self->m_working = false;
    }
    if (self == nullptr || self->m_window == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT HistoryViewer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kWorkTimer) {
            work();
        }
        return 0;
    case WM_SIZE:
        layout();
        return 0;
    case WM_DPICHANGED: {
        m_dpi = Dpi(HIWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(m_window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        applyDpi();
        return 0;
    }
    case WM_CLOSE: // hidden, not destroyed: what it shows stays for the next opening
        ShowWindow(m_window, SW_HIDE);
        return 0;
    default:
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void HistoryViewer::command(int id, int code) {
    switch (id) {
    case IDC_HISTORY_DAYS:
        if (code == LBN_SELCHANGE) {
            dayChosen();
        }
        break;
    case IDC_HISTORY_HITS:
        if (code == LBN_DBLCLK) {
            hitChosen();
        }
        break;
    case IDC_HISTORY_FIND:
        search();
        break;
    case IDC_HISTORY_EARLIER:
        guarded([this] { m_browser.earlier(); });
        break;
    case IDC_HISTORY_LATER:
        guarded([this] { m_browser.later(); });
        break;
    case IDOK: // Enter: the search in its field, the result in the list
        if (GetFocus() == m_hits) {
            hitChosen();
        } else if (GetFocus() == m_searchText) {
            search();
        }
        break;
    case IDCANCEL: // Esc
        ShowWindow(m_window, SW_HIDE);
        break;
    default:
        break;
    }
}

template <typename Run> void HistoryViewer::guarded(Run&& run) {
    try {
        run();
    } catch (const core::Exception& error) {
        MessageBoxes::showError(error.message());
    }
    if (m_browser.busy() && !m_working) {
        m_working = SetTimer(m_window, kWorkTimer, USER_TIMER_MINIMUM, nullptr) != 0;
    }
    showProgress();
}

void HistoryViewer::showDays() {
    SendMessageW(m_days, LB_RESETCONTENT, 0, 0);
    for (const app::HistoryDay& day : m_browser.days()) {
        SendMessageW(m_days, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(day.date).c_str()));
    }
    const auto opened = m_browser.openedDay();
    if (opened) {
        SendMessageW(m_days, LB_SETCURSEL, *opened, 0);
    } else if (!m_browser.days().empty()) {
        SendMessageW(m_days, LB_SETCURSEL, 0, 0); // the newest day at once
        dayChosen();
    }
}

void HistoryViewer::dayChosen() {
    const LRESULT row = SendMessageW(m_days, LB_GETCURSEL, 0, 0);
    if (row != LB_ERR) {
        guarded([&] { m_browser.openDay(static_cast<std::size_t>(row)); });
    }
}

void HistoryViewer::hitChosen() {
    const LRESULT row = SendMessageW(m_hits, LB_GETCURSEL, 0, 0);
    if (row == LB_ERR) {
        return;
    }
    guarded([&] { m_browser.openHit(static_cast<std::size_t>(row)); });
    const auto opened = m_browser.openedDay();
    SendMessageW(m_days, LB_SETCURSEL, opened ? static_cast<WPARAM>(*opened) : static_cast<WPARAM>(-1), 0);
}

void HistoryViewer::search() {
    SendMessageW(m_hits, LB_RESETCONTENT, 0, 0);
    guarded([&] { m_browser.startSearch(windowText(m_searchText)); });
    showDays();
}

void HistoryViewer::work() {
    const DWORD start = GetTickCount();
    // One slice of the day per tick, as the control takes what it read in one go; the search
    // goes on for the whole tick.
    bool more = true;
    do {
        more = m_browser.step();
    } while (more && !m_browser.reading() && GetTickCount() - start < kSliceMilliseconds);
    if (!more) {
        KillTimer(m_window, kWorkTimer);
        m_working = false;
    }
    showProgress();
}

void HistoryViewer::showProgress() {
    m_view.draw();
    const auto& hits = m_browser.hits();
    for (auto row = static_cast<std::size_t>(SendMessageW(m_hits, LB_GETCOUNT, 0, 0)); row < hits.size(); ++row) {
        const app::HistoryHit& hit = hits[row];
        const std::wstring text = wide(hit.date) + L' ' + oneLine(hit.header) + L": " + oneLine(hit.body);
        SendMessageW(m_hits, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    setWindowText(m_searchNote, m_browser.searchNote());
    setWindowText(m_pageNote, m_browser.pageNote());
    EnableWindow(m_earlier, m_browser.hasEarlier());
    EnableWindow(m_later, m_browser.hasLater());
    if (!m_browser.reading()) {
        if (const auto match = m_browser.takeMatch()) {
            // The control's paragraphs are the model's messages: it has drawn them all above.
            m_view.select(app::TranscriptPositions(m_browser.transcript()).range(*match));
        }
    }
}

} // namespace lirbo::win32
