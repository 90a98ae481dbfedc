#include "ui/win32/TMainChat.h"

#include "ui/win32/MainMenu.h"
#include "ui/win32/StartupShortcut.h"
#include "ui/win32/WindowClass.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

#include <commctrl.h>
#include <windowsx.h>

namespace lirbo::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"TMainChat";
constexpr int kHintDelay = 500;
constexpr int kHintDuration = 2500;

const ui::FormDescription& form() {
    return ui::mainWindowForm();
}

} // namespace

TMainChat::TMainChat(HINSTANCE instance, net::IChatTransport& transport, net::IHandOverQueue& handOver)
    : m_instance(instance), m_title(uiText(form().caption)) {
    registerTopLevelClass(m_instance, &TMainChat::windowProc, kWindowClass);
    // Made at the top-left corner first: its size follows the scaling of the monitor there.
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    m_window = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, m_title.c_str(), style, 0, 0, form().client.width,
                               form().client.height, nullptr, MainMenu::build(form()), instance, this);
    m_dpi = Dpi::of(m_window);
    buildControls(); // applyDpi gives them their font
    applyDpi();
    m_controls.fitClientArea(m_dpi);

    try {
        m_frontEnd = std::make_unique<FrontEndAdapter>(FrontEndAdapter::Views{m_instance, m_window,
                                                                              m_application.handle(), m_input, m_peers,
                                                                              m_memoChat, m_tray, m_programActive},
                                                       m_session);
        m_session = std::make_unique<app::ChatSession>(*m_frontEnd, transport, handOver);
        m_memoChat.attach(*m_session);
        m_session->setStartupEntry(std::make_unique<StartupShortcut>());
        m_session->setSoundPlayer(&m_sound);
    } catch (...) {
        DestroyWindow(m_window);
        m_window = nullptr;
        throw;
    }
}

TMainChat::~TMainChat() {
    // The listener goes first: hand-overs still queued run now, while every view is alive.
    m_session.reset();
    m_tray.remove();
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
    DeleteObject(m_font);
}

// Everything measured in pixels follows the window's scaling: the font of every control, the
// glyphs, the list's rows, then the layout.
void TMainChat::applyDpi() {
    HFONT oldFont = m_font;
    m_font = createTahoma(m_dpi);
    for (HWND control = GetWindow(m_window, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    }
    m_memoChat.setFont(m_font);
    m_check.setFont(m_font, m_dpi);
    SendMessageW(m_hints, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    if (oldFont != nullptr) {
        DeleteObject(oldFont);
    }
    m_controls.setGlyphs(m_instance, m_dpi);
    m_peers.setDpi(m_dpi);
    FormResize();
}

void TMainChat::buildControls() {
    m_controls.create(m_window, m_instance, [this](const ui::ControlDescription& control) {
        m_memoChat.create(m_window, m_instance, control.id, m_font);
        return m_memoChat.handle();
    });
    m_hints =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_window, nullptr, m_instance, nullptr);
    m_controls.addHints(m_hints);
    SendMessageW(m_hints, TTM_SETDELAYTIME, TTDT_INITIAL, kHintDelay);
    SendMessageW(m_hints, TTM_SETDELAYTIME, TTDT_AUTOPOP, kHintDuration);
    m_input.attach(GetDlgItem(m_window, IDC_MESSAGA));
    m_peers.attach(m_window, m_hints);
}

void TMainChat::show(int showCommand) {
    m_session->start(); // FormCreate
    m_check.start(m_window, *m_session);
    // The small icon at the system's size for this scaling, drawn from the icon's own pictures;
    // there before the window may start hidden behind it.
    m_tray.add(m_window, WM_LIRBO_TRAY,
               static_cast<HICON>(LoadImageW(m_instance, MAKEINTRESOURCEW(IDI_MAINICON), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED)));
    if (m_session->startsHidden()) {
        return;
    }
    int how = SW_SHOWNORMAL;
    if (showCommand == SW_SHOWMAXIMIZED || showCommand == SW_SHOWMINNOACTIVE) {
        how = showCommand;
    }
    ShowWindow(m_window, how);
    UpdateWindow(m_window);
    if (how != SW_SHOWMINNOACTIVE) {
        SetForegroundWindow(m_window); // dialogs and boxes hand the focus back to an active owner
    }
    m_input.focus();
}

int TMainChat::run() {
    ACCEL find{FCONTROL | FVIRTKEY, 'F', IDM_FIND};
    m_keys = CreateAcceleratorTableW(&find, 1);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (m_findBar.takeKey(message)) {
            continue;
        }
        if (m_findBar.dialog() != nullptr && IsDialogMessageW(m_findBar.dialog(), &message)) {
            continue;
        }
        if (m_historyViewer && m_historyViewer->handle() != nullptr &&
            IsDialogMessageW(m_historyViewer->handle(), &message)) {
            continue;
        }
        if (m_check.dialog() != nullptr && IsDialogMessageW(m_check.dialog(), &message)) {
            continue;
        }
        if (m_keys != nullptr && (message.hwnd == m_window || IsChild(m_window, message.hwnd)) &&
            TranslateAcceleratorW(m_window, m_keys, &message)) {
            continue;
        }
        // The keyboard interface of the main window: Tab order. Enter and Esc reach it as IDOK
        // and IDCANCEL, which it ignores; messaga asks for Enter itself.
        if (IsDialogMessageW(m_window, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DestroyAcceleratorTable(m_keys);
    m_keys = nullptr;
    return 0;
}

// FormResize: every control where the description places it at this size and scaling; the notice
// bar, when shown, takes the top of MemoChat's room.
void TMainChat::FormResize() {
    if (m_memoChat.handle() == nullptr) {
        return;
    }
    RECT client;
    GetClientRect(m_window, &client);
    const int barHeight = m_check.barHeight(m_dpi);
    m_controls.layout({client.right, client.bottom}, m_dpi.value(),
                      [&](const ui::ControlDescription& control, ui::Rect& at, HDWP& moves) {
                          if (control.kind != ui::ControlKind::Transcript || barHeight <= 0) {
                              return;
                          }
                          moves = DeferWindowPos(moves, m_check.bar(), nullptr, at.x, at.y, at.width, barHeight,
                                                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
                          at.y += barHeight;
                          at.height = at.height > barHeight ? at.height - barHeight : 0;
                      });
    InvalidateRect(GetDlgItem(m_window, IDC_BSEND), nullptr, TRUE);
}

void TMainChat::command(int id, int notification) {
    if (m_input.command(id) || m_peers.command(id, notification) || MainMenu::forward(id, *m_session)) {
        return;
    }
    switch (id) {
    case IDM_N12:
        openHistoryViewer();
        break;
    case IDM_FIND:
        m_findBar.open(m_window);
        break;
    case IDM_CHECK:
        m_check.openWindow();
        break;
    case IDM_TRAY_OPEN:
        m_tray.restoreOwner();
        break;
    case IDM_TRAY_EXIT:
        m_session->requestClose();
        break;
    default: // IDOK and IDCANCEL from Enter and Esc do nothing
        break;
    }
}

void TMainChat::openHistoryViewer() {
    if (!m_historyViewer && m_session->history() != nullptr) {
        m_historyViewer = std::make_unique<HistoryViewer>(m_instance, m_session->history()->folder());
    }
    if (m_historyViewer) {
        m_historyViewer->present(m_window);
    }
}

// The session ends: notices went out at the query; the process is ended right after this.
void TMainChat::endSession() {
    m_session.reset();
    m_tray.remove();
    ExitProcess(0);
}

LRESULT TMainChat::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_findBar.handle(message, lParam) || m_check.handle(message, wParam, lParam)) {
        return 0;
    }
    switch (message) {
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = POINT{m_dpi(form().minimumFrame.width), m_dpi(form().minimumFrame.height)};
        return 0;
    }
    case WM_DPICHANGED: { // moved to a monitor of another scaling, or the scaling changed
        if (HIWORD(wParam) == m_dpi.value()) {
            return 0; // the size the window has is already right for it
        }
        m_dpi = Dpi(HIWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(m_window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        applyDpi();
        return 0;
    }
    case WM_SIZE:
        FormResize();
        return 0;
    case WM_COMMAND:
        if (m_session) {
            command(LOWORD(wParam), HIWORD(wParam));
        }
        return 0;
    case WM_ACTIVATE:
        // Give the focus back to the control that had it when a dialog or box took it away.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(m_window, focus)) {
                m_lastFocus = focus;
            }
        } else if (HIWORD(wParam) == 0) {
            SetFocus(m_lastFocus != nullptr && IsWindow(m_lastFocus) ? m_lastFocus : m_input.edit());
            if (m_session) {
                m_session->windowActivated(); // what arrived meanwhile is seen now
            }
        }
        return 0;
    case WM_ACTIVATEAPP:
        m_programActive = wParam != FALSE;
        return 0;
    case WM_CLOSE: // the close button, Alt+F4, the system menu, the taskbar: hidden, or the close sequence
        if (m_session) {
            m_session->closeWindow();
        }
        return 0;
    case WM_QUERYENDSESSION: // log-off or shut-down: the close query only
        if (m_session) {
            m_session->logOff();
        }
        return TRUE;
    case WM_ENDSESSION:
        if (wParam != 0 && m_session) {
            endSession();
        }
        return 0;
    case WM_DRAWITEM:
        if (m_peers.draw(wParam, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
            return TRUE;
        }
        return DefWindowProcW(m_window, message, wParam, lParam);
    case WM_NOTIFY:
        if (m_peers.hintText(reinterpret_cast<NMHDR*>(lParam))) {
            return 0;
        }
        return DefWindowProcW(m_window, message, wParam, lParam);
    case WM_CONTEXTMENU: {
        const auto from = reinterpret_cast<HWND>(wParam);
        const POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (from == m_memoChat.handle() && m_session) {
            m_memoChat.contextMenu(screen);
            return 0;
        }
        if (m_peers.contextMenu(from, screen)) {
            return 0;
        }
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
    case WM_LIRBO_TRAY:
        if (m_session) {
            if (const UINT chosen = m_tray.mouse(static_cast<UINT>(lParam), m_session->options().doNotDisturb)) {
                command(static_cast<int>(chosen), 0);
            }
        }
        return 0;
    case WM_TIMER:
        if (wParam == FrontEndAdapter::kTipTimer) {
            if (m_frontEnd) {
                m_frontEnd->tipTimer();
            }
            return 0;
        }
        [[fallthrough]];
    case WM_LIRBO_DRAW_TRANSCRIPT:
        if (m_session) {
            m_memoChat.drawPending();
        }
        return 0;
    default:
        // The shell started again (Explorer restarted): its notification area holds no icon of ours.
        static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
        if (message == taskbarCreated && taskbarCreated != 0) {
            m_tray.readd();
            return 0;
        }
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

LRESULT CALLBACK TMainChat::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TMainChat*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TMainChat*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

} // namespace lirbo::win32
