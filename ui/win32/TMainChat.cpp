#include "ui/win32/TMainChat.h"

#include "core/WidePath.h"
#include "ui/win32/FileChooser.h"
#include "ui/win32/Glyphs.h"
#include "ui/win32/HistoryViewer.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/OneLinePaste.h"
#include "ui/win32/PeerLabelDialog.h"
#include "ui/win32/PeerMenus.h"
#include "ui/win32/StartupShortcut.h"
#include "ui/win32/TAboutForm.h"
#include "ui/win32/TOptionsForm.h"
#include "ui/win32/Tipedit.h"
#include "ui/win32/Tnastroy.h"
#include "ui/win32/WindowClass.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

#include <algorithm>
#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>
#include <windowsx.h>

namespace lirbo::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"TMainChat";
constexpr wchar_t kApplicationClass[] = L"TLirboApplication";
constexpr int kClientWidth = 614;
constexpr int kClientHeight = 367;
constexpr int kMinimumFrameWidth = 400;
constexpr int kMinimumFrameHeight = 282;
constexpr int kPanel1Height = 34;
constexpr int kPanel2Width = 166;
constexpr int kListItemHeight = 13;
constexpr int kHintDelay = 500;
constexpr int kHintDuration = 2500;
// The notification icon's tip and mark follow the unread count at most this often: a flood asks
// for every datagram, and each change makes the shell redraw the icon.
constexpr UINT_PTR kTipTimer = 2;
constexpr UINT kTipPeriodMs = 250;

struct GlyphButton {
    int id;
    int glyph;
    int top;
    const wchar_t* hint; // also the button's accessible name: its window text, not drawn
};

// Panel2's buttons in keyboard order; editIP comes last although it is second from the top.
constexpr GlyphButton kPanel2Buttons[] = {
    {IDC_ADD, IDB_ADD, 8, L"Добавить новый IP"},
    {IDC_DEL, IDB_DEL, 72, L"Удалить выделенный IP"},
    {IDC_LOADLIST, IDB_LOADLIST, 104, L"Загрузить список IP из файла"},
    {IDC_SAVELIST, IDB_SAVELIST, 136, L"Сохранить список IP в файле"},
    {IDC_PRIVAT, IDB_PRIVAT, 168, L"Отправить приватное сообщение"},
    {IDC_EDITIP, IDB_EDITIP, 40, L"Редактировать выделенный"},
};

HMENU controlId(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

} // namespace

TMainChat::TMainChat(HINSTANCE instance, net::IChatTransport& transport, net::IHandOverQueue& handOver)
    : m_instance(instance) {
    registerClasses();
    m_application =
        CreateWindowExW(0, kApplicationClass, L"Lirbo", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this);
    // Made at the top-left corner first: its size follows the scaling of the monitor there.
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    m_window = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, L"Lirbo", style, 0, 0, kClientWidth, kClientHeight,
                               nullptr, LoadMenuW(instance, MAKEINTRESOURCEW(IDM_MAINMENU)), instance, this);
    m_dpi = Dpi::of(m_window);
    buildControls(); // applyDpi gives them their font

    buildHints();
    applyDpi();
    sizeClientArea();

    try {
        m_session = std::make_unique<app::ChatSession>(*this, transport, handOver);
        m_memoChat.attach(*m_session);
        m_session->setStartupEntry(std::make_unique<StartupShortcut>());
        m_session->setSoundPlayer(&m_sound);
    } catch (...) {
        DestroyWindow(m_window);
        DestroyWindow(m_application);
        m_window = nullptr;
        m_application = nullptr;
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
    if (m_application != nullptr) {
        DestroyWindow(m_application);
    }
    for (HBITMAP glyph : m_glyphs) {
        DeleteObject(glyph);
    }
    DeleteObject(m_font);
}

void TMainChat::registerClasses() {
    registerTopLevelClass(m_instance, &TMainChat::windowProc, kWindowClass);

    WNDCLASSEXW application{};
    application.cbSize = sizeof application;
    application.lpfnWndProc = &TMainChat::applicationProc;
    application.hInstance = m_instance;
    application.lpszClassName = kApplicationClass;
    RegisterClassExW(&application);
}

// The client area 614 x 367 at the window's scaling; the menu bar may wrap or differ in height
// from the estimate, so the frame is corrected from the client size it gave.
void TMainChat::sizeClientArea() {
    const int width = m_dpi(kClientWidth);
    const int height = m_dpi(kClientHeight);
    const RECT frame = m_dpi.frameFor(width, height, static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE)), true,
                                      static_cast<DWORD>(GetWindowLongW(m_window, GWL_EXSTYLE)));
    SetWindowPos(m_window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    RECT client;
    GetClientRect(m_window, &client);
    RECT window;
    GetWindowRect(m_window, &window);
    SetWindowPos(m_window, nullptr, 0, 0, window.right - window.left + width - client.right,
                 window.bottom - window.top + height - client.bottom, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void TMainChat::setGlyph(HWND button, int glyph) {
    HBITMAP bitmap = loadGlyph(m_instance, glyph, m_dpi);
    if (bitmap != nullptr) {
        m_glyphs.push_back(bitmap);
        SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
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
    std::vector<HBITMAP> oldGlyphs;
    oldGlyphs.swap(m_glyphs);
    setGlyph(m_bsend, IDB_BSEND);
    for (const GlyphButton& button : kPanel2Buttons) {
        setGlyph(GetDlgItem(m_window, button.id), button.glyph);
    }
    for (HBITMAP glyph : oldGlyphs) {
        DeleteObject(glyph);
    }
    SendMessageW(m_iplist, LB_SETITEMHEIGHT, 0, m_dpi(kListItemHeight));
    FormResize();
}

HWND TMainChat::glyphButton(int id, const wchar_t* caption, DWORD style) {
    HWND button = CreateWindowExW(0, WC_BUTTONW, caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | style, 0,
                                  0, 0, 0, m_window, controlId(id), m_instance, nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    return button;
}

// A control without a caption of its own takes its accessible name from the static text just before
// it in z-order; this one has no size, so it is never drawn and takes no room.
void TMainChat::accessibleName(int id, const wchar_t* name) {
    CreateWindowExW(0, WC_STATICW, name, WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 0, 0, m_window, controlId(id),
                    m_instance, nullptr);
}

// Created in keyboard order: messaga, bsend, iplist, the buttons of Panel2, MemoChat.
void TMainChat::buildControls() {
    accessibleName(IDC_MESSAGA_NAME, L"Сообщение");
    m_messaga = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0,
                                0, 0, 0, m_window, controlId(IDC_MESSAGA), m_instance, nullptr);
    SendMessageW(m_messaga, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    SetWindowLongPtrW(m_messaga, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_messagaDefault = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(m_messaga, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TMainChat::messagaProc)));

    // The glyph left of the caption, the two centred together.
    m_bsend = glyphButton(IDC_BSEND, L"bsend", 0);

    accessibleName(IDC_IPLIST_NAME, L"Список адресов");
    m_iplist = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTBOXW, L"",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                                   LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                               0, 0, 0, 0, m_window, controlId(IDC_IPLIST), m_instance, nullptr);
    SendMessageW(m_iplist, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);

    for (const GlyphButton& button : kPanel2Buttons) {
        m_panel2Buttons.emplace_back(button.top, glyphButton(button.id, button.hint, BS_BITMAP));
    }
    m_hiddenCount = CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0, 0, 0, 0,
                                    m_window, controlId(IDC_HIDDENCOUNT), m_instance, nullptr);
    SendMessageW(m_hiddenCount, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    accessibleName(IDC_MEMOCHAT_NAME, L"Разговор");
    m_memoChat.create(m_window, m_instance, IDC_MEMOCHAT, m_font);
}

void TMainChat::buildHints() {
    m_hints =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_window, nullptr, m_instance, nullptr);
    SendMessageW(m_hints, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    for (const GlyphButton& button : kPanel2Buttons) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_window;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(m_window, button.id));
        tool.lpszText = const_cast<wchar_t*>(button.hint);
        SendMessageW(m_hints, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    m_peerRows.attach(m_iplist, m_hints,
                      [this](int index) { return m_session ? m_session->peerPresence(index) : app::Presence::Row{}; });
    m_peerRows.setNames([this](int index) { return m_session ? m_session->peerName(index) : app::PeerNames::Name{}; });
    SendMessageW(m_hints, TTM_SETDELAYTIME, TTDT_INITIAL, kHintDelay);
    SendMessageW(m_hints, TTM_SETDELAYTIME, TTDT_AUTOPOP, kHintDuration);
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
    SetFocus(m_messaga);
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

// FormResize: the input line is w - 143 wide and the send button starts at w - 128, with w the
// width of Panel1 (the client width). Panel1 is docked to the bottom, Panel2 to the right above
// it, and MemoChat fills the rest.
void TMainChat::FormResize() {
    if (m_memoChat.handle() == nullptr) {
        return;
    }
    RECT client;
    GetClientRect(m_window, &client);
    const Dpi& px = m_dpi;
    const int w = client.right;
    const int panel1Top = client.bottom - px(kPanel1Height);
    const int panel2Left = w - px(kPanel2Width);
    const int barHeight = m_check.barHeight(px); // the notice bar, when shown, above MemoChat
    HDWP moves = BeginDeferWindowPos(11);
    // Moved controls repaint whole: a copy of their old pixels left the send button half drawn.
    auto place = [&](HWND control, int x, int y, int width, int height) {
        moves = DeferWindowPos(moves, control, nullptr, x, y, width > 0 ? width : 0, height > 0 ? height : 0,
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    };
    place(m_messaga, px(8), panel1Top + px(8), w - px(143), px(21));
    place(m_bsend, w - px(128), panel1Top + px(8), px(121), px(21));
    place(m_iplist, panel2Left + px(40), px(8), px(121), px(185));
    place(m_hiddenCount, panel2Left + px(40), px(198), px(121), px(17));
    for (const auto& [top, button] : m_panel2Buttons) {
        place(button, panel2Left + px(8), px(top), px(25), px(25));
    }
    if (barHeight > 0) {
        place(m_check.bar(), 0, 0, panel2Left, barHeight);
    }
    place(m_memoChat.handle(), 0, barHeight, panel2Left, panel1Top - barHeight);
    EndDeferWindowPos(moves);
    InvalidateRect(m_bsend, nullptr, TRUE);
}

void TMainChat::command(int id, int notification) {
    switch (id) {
    case IDC_BSEND: // bsendClick
        m_session->sendToAll();
        break;
    case IDC_PRIVAT:
        m_session->sendPrivate();
        break;
    case IDC_ADD:
        m_session->addPeer();
        break;
    case IDC_EDITIP:
        m_session->editPeer();
        break;
    case IDC_DEL:
        m_session->deletePeer();
        break;
    case IDC_LOADLIST:
        m_session->loadPeerList();
        break;
    case IDC_SAVELIST:
        m_session->savePeerList();
        break;
    case IDC_IPLIST:
        if (notification == LBN_SELCHANGE) {
            m_session->selectPeer(static_cast<int>(SendMessageW(m_iplist, LB_GETCURSEL, 0, 0)));
        }
        break;
    case IDC_HIDDENCOUNT:
        if (notification == STN_CLICKED) {
            showHiddenMessages();
        }
        break;
    case IDM_N9:
        m_session->saveConversation();
        break;
    case IDM_N2:
        m_session->requestClose();
        break;
    case IDM_N6:
        m_session->openSettings();
        break;
    case IDM_N8:
        m_session->clearChat();
        break;
    case IDM_N4:
        m_session->showAbout();
        break;
    case IDM_N10:
        m_session->openHistory();
        break;
    case IDM_OPTIONS:
        m_session->showOptions();
        break;
    case IDM_DONOTDISTURB:
        m_session->toggleDoNotDisturb();
        break;
    case IDM_N12:
        if (!m_historyViewer && m_session->history() != nullptr) {
            m_historyViewer = std::make_unique<HistoryViewer>(m_instance, m_session->history()->folder());
        }
        if (m_historyViewer) {
            m_historyViewer->present(m_window);
        }
        break;
    case IDM_FIND:
        m_findBar.open(m_window);
        break;
    case IDM_CHECK:
        m_check.openWindow();
        break;
    case IDM_TRAY_OPEN:
        restoreFromTray();
        break;
    case IDM_TRAY_EXIT:
        m_session->requestClose();
        break;
    default: // IDOK and IDCANCEL from Enter and Esc do nothing
        break;
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
        limits->ptMinTrackSize = POINT{m_dpi(kMinimumFrameWidth), m_dpi(kMinimumFrameHeight)};
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
            SetFocus(m_lastFocus != nullptr && IsWindow(m_lastFocus) ? m_lastFocus : m_messaga);
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
        if (wParam == IDC_IPLIST) {
            m_peerRows.draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return DefWindowProcW(m_window, message, wParam, lParam);
    case WM_NOTIFY:
        if (m_peerRows.hintText(reinterpret_cast<NMHDR*>(lParam))) {
            return 0;
        }
        return DefWindowProcW(m_window, message, wParam, lParam);
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == m_memoChat.handle() && m_session) {
            m_memoChat.contextMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        }
        if (reinterpret_cast<HWND>(wParam) == m_iplist && m_session) {
            iplistContextMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        }
        return DefWindowProcW(m_window, message, wParam, lParam);
    case WM_LIRBO_TRAY:
        trayMouse(static_cast<UINT>(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == kTipTimer) {
            KillTimer(m_window, kTipTimer);
            m_tipPending = false;
            updateTray();
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

// The hidden application window: the listener's wake-up (an empty message) serves the hand-over,
// in the main loop and in every modal loop alike.
LRESULT CALLBACK TMainChat::applicationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<TMainChat*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NULL && self != nullptr && self->m_session) {
        self->m_session->serveHandOver();
        self->m_memoChat.drawIfDue();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// messaga asks the dialog manager for Enter, and its Enter (character 13) sends to all; the key
// goes on to the edit all the same.
LRESULT CALLBACK TMainChat::messagaProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TMainChat*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
    if (message == WM_GETDLGCODE) {
        const LRESULT code = CallWindowProcW(self->m_messagaDefault, edit, message, wParam, lParam);
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
            return code | DLGC_WANTALLKEYS;
        }
        return code;
    }
    if (message == WM_PASTE && pasteAsOneLine(edit)) {
        return 0;
    }
    if (message == WM_CHAR && wParam == '\r' && self->m_session) {
        self->m_session->sendToAll(); // messagaKeyPress
    }
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN) && GetKeyState(VK_CONTROL) < 0 &&
        self->m_session) {
        // Ctrl+Up and Ctrl+Down bring back the lines sent before.
        if (wParam == VK_UP) {
            self->m_session->recallOlder();
        } else {
            self->m_session->recallNewer();
        }
        return 0;
    }
    return CallWindowProcW(self->m_messagaDefault, edit, message, wParam, lParam);
}

// --- app::IFrontEnd ---

bool TMainChat::askAddress(std::string& address) {
    return Tipedit::execute(m_instance, m_window, address);
}

bool TMainChat::askSettings(std::string& nick, int& colourIndex, const TextCheck& checkNick) {
    return Tnastroy::execute(m_instance, m_window, nick, colourIndex, checkNick);
}

bool TMainChat::askOptions(core::TChatOptions& options, bool& historyEnabled) {
    return TOptionsForm::execute(m_instance, m_window, options, historyEnabled);
}

// Do-not-disturb shows in the title, where the taskbar shows it too, and as the menu item's check.
void TMainChat::optionsChanged() {
    const bool quiet = m_session->options().doNotDisturb;
    SetWindowTextW(m_window, quiet ? L"Lirbo (не беспокоить)" : L"Lirbo");
    CheckMenuItem(GetMenu(m_window), IDM_DONOTDISTURB, MF_BYCOMMAND | (quiet ? MF_CHECKED : MF_UNCHECKED));
}

bool TMainChat::confirmClear() {
    return MessageBoxes::confirmClearChat();
}

bool TMainChat::chooseFile(const app::FileChooser& chooser, std::string& path) {
    return win32::chooseFile(m_window, chooser, path);
}

void TMainChat::showAbout() {
    TAboutForm::execute(m_instance, m_window);
}

bool TMainChat::openFile(const std::string& path) {
    // Above 32: the shell started a program for it.
    const auto started = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", core::fs::widePath(path).c_str(), nullptr, nullptr, SW_SHOWDEFAULT));
    return started > 32;
}

void TMainChat::showError(const std::string& text) {
    MessageBoxes::showError(text);
}

void TMainChat::wake() {
    PostMessageW(m_application, WM_NULL, 0, 0);
}

void TMainChat::endApplication() {
    PostQuitMessage(0);
}

app::TypedText TMainChat::inputText() const {
    return typedText(m_messaga);
}

void TMainChat::setInputText(const app::TypedText& text) {
    setTypedText(m_messaga, text);
    const auto end = SendMessageW(m_messaga, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(m_messaga, EM_SETSEL, static_cast<WPARAM>(end), end);
}

void TMainChat::clearAndFocusInput() {
    SetWindowTextW(m_messaga, L"");
    SetFocus(m_messaga);
}

void TMainChat::focusInput() {
    SetFocus(m_messaga);
}

void TMainChat::beep() {
    MessageBeep(MB_OK);
}

void TMainChat::peersChanged() {
    const auto& entries = m_session->peers().entries();
    SendMessageW(m_iplist, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_iplist, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries) {
        SendMessageW(m_iplist, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(entry).c_str()));
    }
    SendMessageW(m_iplist, LB_SETCURSEL, static_cast<WPARAM>(m_session->peers().selectedIndex()), 0);
    m_peerRows.refresh();
    SendMessageW(m_iplist, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_iplist, nullptr, TRUE);
}

void TMainChat::presenceChanged() {
    m_peerRows.refresh();
}

// Asked for every received message, so it reads what WM_ACTIVATEAPP last said (one of this
// program's windows is the foreground window: its own dialogs count) instead of asking the system.
// A minimised or hidden window is not looked at, even where the system leaves it the foreground
// window.
bool TMainChat::isActive() const {
    return m_programActive && IsWindowVisible(m_window) && !IsIconic(m_window);
}

void TMainChat::requestAttention() {
    FLASHWINFO flash{sizeof flash, m_window, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
    FlashWindowEx(&flash);
}

void TMainChat::attentionChanged() {
    if (!m_tipPending) {
        m_tipPending = SetTimer(m_window, kTipTimer, kTipPeriodMs, nullptr) != 0;
        if (!m_tipPending) {
            updateTray();
        }
    }
}

void TMainChat::updateTray() {
    if (m_session) {
        const app::Attention& attention = m_session->attention();
        m_tray.update(attention.unread() > 0, attention.hint());
    }
}

// A click on the notification icon: the window comes back from the taskbar and to the front;
// activating it then clears the mark through the session.
void TMainChat::restoreFromTray() {
    if (IsIconic(m_window)) {
        ShowWindow(m_window, SW_RESTORE);
    } else {
        ShowWindow(m_window, SW_SHOW);
    }
    SetForegroundWindow(m_window);
}

void TMainChat::trayMouse(UINT mouseMessage) {
    if (mouseMessage == WM_LBUTTONUP || mouseMessage == WM_LBUTTONDBLCLK) {
        restoreFromTray();
    } else if (mouseMessage == WM_RBUTTONUP && m_session) {
        if (const UINT chosen = m_tray.popUpMenu(m_session->options().doNotDisturb)) {
            command(static_cast<int>(chosen), 0);
        }
    }
}

bool TMainChat::trayAvailable() const {
    return m_tray.added();
}

void TMainChat::hideToTray() {
    ShowWindow(m_window, SW_HIDE);
}

// A row's menu: its label and its muting. From the keyboard (no position), the selected row's.
void TMainChat::iplistContextMenu(POINT screen) {
    int row = static_cast<int>(SendMessageW(m_iplist, LB_GETCURSEL, 0, 0));
    if (screen.x == -1 && screen.y == -1) {
        RECT rect{};
        SendMessageW(m_iplist, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
        screen = POINT{rect.left, rect.bottom};
        ClientToScreen(m_iplist, &screen);
    } else {
        POINT client = screen;
        ScreenToClient(m_iplist, &client);
        const LRESULT hit = SendMessageW(m_iplist, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
        row = HIWORD(hit) != 0 ? -1 : static_cast<int>(LOWORD(hit));
    }
    if (row >= 0 && row < m_session->peers().count()) {
        PeerMenus::showForRow(m_window, *m_session, row, screen);
    }
}

// The last hidden messages as the plain text of a box, which copies them with Ctrl+C.
void TMainChat::showHiddenMessages() {
    std::wstring text;
    for (const std::string& line : m_session->hidden().lines()) {
        text += wide(line) + L"\r\n";
    }
    MessageBoxW(m_window, text.c_str(), L"Скрытые сообщения", MB_OK);
}

void TMainChat::hiddenChanged() {
    setWindowText(m_hiddenCount, m_session->hidden().countText());
    ShowWindow(m_hiddenCount, SW_SHOWNA);
}

bool TMainChat::askLabel(const std::string& address, std::string& label, const TextCheck& checkLabel) {
    return PeerLabelDialog::execute(m_instance, m_window, address, label, checkLabel);
}

void TMainChat::transcriptChanged() {
    m_memoChat.changed();
}

} // namespace lirbo::win32
