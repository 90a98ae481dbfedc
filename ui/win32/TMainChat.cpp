#include "ui/win32/TMainChat.h"

#include "ui/win32/FileChooser.h"
#include "ui/win32/Glyphs.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/OneLinePaste.h"
#include "ui/win32/TAboutForm.h"
#include "ui/win32/Tipedit.h"
#include "ui/win32/Tnastroy.h"
#include "ui/win32/TranscriptPositions.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

#include <algorithm>
#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>
#include <windowsx.h>

namespace lirbo::win32 {

namespace {

constexpr char kWindowClass[] = "TMainChat";
constexpr char kApplicationClass[] = "TLirboApplication";
constexpr int kClientWidth = 614;
constexpr int kClientHeight = 367;
constexpr int kMinimumFrameWidth = 400;
constexpr int kMinimumFrameHeight = 282;
constexpr int kPanel1Height = 34;
constexpr int kPanel2Width = 166;
constexpr int kListItemHeight = 13;
constexpr int kHintDelay = 500;
constexpr int kHintDuration = 2500;
// MemoChat catches up with the model at most this often, so a flood costs one redraw per batch;
// when a batch takes long to draw the period grows, so drawing keeps under a fifth of the time
// and the hand-over keeps up with the flood (up to draws of 400 ms, a full transcript rebuilt on
// a slow machine).
constexpr DWORD kDrawPeriodMs = 40;
constexpr DWORD kLongestDrawPeriodMs = 2000;
constexpr DWORD kDrawShare = 5;
constexpr UINT_PTR kDrawTimer = 1;

struct GlyphButton {
    int id;
    int glyph;
    int top;
    const char* hint;
};

// Panel2's buttons in keyboard order; editIP comes last although it is second from the top.
constexpr GlyphButton kPanel2Buttons[] = {
    {IDC_ADD, IDB_ADD, 8, "Добавить новый IP"},
    {IDC_DEL, IDB_DEL, 72, "Удалить выделенный IP"},
    {IDC_LOADLIST, IDB_LOADLIST, 104, "Загрузить список IP из файла"},
    {IDC_SAVELIST, IDB_SAVELIST, 136, "Сохранить список IP в файле"},
    {IDC_PRIVAT, IDB_PRIVAT, 168, "Отправить приватное сообщение"},
    {IDC_EDITIP, IDB_EDITIP, 40, "Редактировать выделенный"},
};

HMENU controlId(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

} // namespace

TMainChat::TMainChat(HINSTANCE instance) : m_instance(instance) {
    registerClasses();
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    m_font = CreateFontA(-MulDiv(8, pixelsPerInch, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma");

    m_application =
        CreateWindowExA(0, kApplicationClass, "Lirbo", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this);
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, TRUE, WS_EX_CONTROLPARENT);
    m_window = CreateWindowExA(WS_EX_CONTROLPARENT, kWindowClass, "Lirbo", style, 0, 0, frame.right - frame.left,
                               frame.bottom - frame.top, nullptr, LoadMenuA(instance, MAKEINTRESOURCEA(IDM_MAINMENU)),
                               instance, this);
    buildControls();
    buildHints();
    // The menu bar may wrap or differ in height from the estimate: fix the client size exactly.
    RECT client;
    GetClientRect(m_window, &client);
    RECT window;
    GetWindowRect(m_window, &window);
    SetWindowPos(m_window, nullptr, 0, 0, window.right - window.left + kClientWidth - client.right,
                 window.bottom - window.top + kClientHeight - client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    FormResize();

    try {
        m_session = std::make_unique<app::ChatSession>(*this);
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
    WNDCLASSEXA main{};
    main.cbSize = sizeof main;
    main.lpfnWndProc = &TMainChat::windowProc;
    main.hInstance = m_instance;
    main.hIcon = LoadIconA(m_instance, MAKEINTRESOURCEA(IDI_MAINICON));
    main.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = kWindowClass;
    RegisterClassExA(&main);

    WNDCLASSEXA application{};
    application.cbSize = sizeof application;
    application.lpfnWndProc = &TMainChat::applicationProc;
    application.hInstance = m_instance;
    application.lpszClassName = kApplicationClass;
    RegisterClassExA(&application);
}

HWND TMainChat::glyphButton(int id, int glyph, const char* caption, DWORD style) {
    HWND button = CreateWindowExA(0, WC_BUTTONA, caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | style, 0,
                                  0, 0, 0, m_window, controlId(id), m_instance, nullptr);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    HBITMAP bitmap = loadGlyph(m_instance, glyph);
    if (bitmap != nullptr) {
        m_glyphs.push_back(bitmap);
        SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
    return button;
}

// Created in keyboard order: messaga, bsend, iplist, the buttons of Panel2, MemoChat.
void TMainChat::buildControls() {
    m_messaga = CreateWindowExA(WS_EX_CLIENTEDGE, WC_EDITA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0,
                                0, 0, 0, m_window, controlId(IDC_MESSAGA), m_instance, nullptr);
    SendMessageA(m_messaga, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    SetWindowLongPtrA(m_messaga, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_messagaDefault = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_messaga, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TMainChat::messagaProc)));

    // The glyph left of the caption, the two centred together.
    m_bsend = glyphButton(IDC_BSEND, IDB_BSEND, "bsend", 0);

    m_iplist = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTBOXA, "",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                                   LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                               0, 0, 0, 0, m_window, controlId(IDC_IPLIST), m_instance, nullptr);
    SendMessageA(m_iplist, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    SendMessageA(m_iplist, LB_SETITEMHEIGHT, 0, kListItemHeight);

    for (const GlyphButton& button : kPanel2Buttons) {
        m_panel2Buttons.emplace_back(button.top, glyphButton(button.id, button.glyph, "", BS_BITMAP));
    }
    m_memoChat.create(m_window, m_instance, IDC_MEMOCHAT, m_font);
}

void TMainChat::buildHints() {
    m_hints =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_window, nullptr, m_instance, nullptr);
    SendMessageA(m_hints, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    for (const GlyphButton& button : kPanel2Buttons) {
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_window;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(m_window, button.id));
        tool.lpszText = const_cast<char*>(button.hint);
        SendMessageA(m_hints, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    m_peerRows.attach(m_iplist, m_hints,
                      [this](int index) { return m_session ? m_session->peerPresence(index) : app::Presence::Row{}; });
    SendMessageA(m_hints, TTM_SETDELAYTIME, TTDT_INITIAL, kHintDelay);
    SendMessageA(m_hints, TTM_SETDELAYTIME, TTDT_AUTOPOP, kHintDuration);
}

void TMainChat::show(int showCommand) {
    m_session->start(); // FormCreate
    int how = SW_SHOWNORMAL;
    if (showCommand == SW_SHOWMAXIMIZED || showCommand == SW_SHOWMINNOACTIVE) {
        how = showCommand;
    }
    ShowWindow(m_window, how);
    UpdateWindow(m_window);
    m_tray.add(m_window, WM_LIRBO_TRAY, LoadIconA(m_instance, MAKEINTRESOURCEA(IDI_MAINICON)));
    if (how != SW_SHOWMINNOACTIVE) {
        SetForegroundWindow(m_window); // dialogs and boxes hand the focus back to an active owner
    }
    SetFocus(m_messaga);
}

int TMainChat::run() {
    ACCEL find{FCONTROL | FVIRTKEY, 'F', IDM_FIND};
    m_keys = CreateAcceleratorTableA(&find, 1);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (m_findBar.dialog() != nullptr && IsDialogMessageA(m_findBar.dialog(), &message)) {
            continue;
        }
        if (m_keys != nullptr && (message.hwnd == m_window || IsChild(m_window, message.hwnd)) &&
            TranslateAcceleratorA(m_window, m_keys, &message)) {
            continue;
        }
        // The keyboard interface of the main window: Tab order. Enter and Esc reach it as IDOK
        // and IDCANCEL, which it ignores; messaga asks for Enter itself.
        if (IsDialogMessageA(m_window, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
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
    const int w = client.right;
    const int panel1Top = client.bottom - kPanel1Height;
    const int panel2Left = w - kPanel2Width;
    HDWP moves = BeginDeferWindowPos(10);
    auto place = [&](HWND control, int x, int y, int width, int height) {
        moves = DeferWindowPos(moves, control, nullptr, x, y, width > 0 ? width : 0, height > 0 ? height : 0,
                               SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(m_messaga, 8, panel1Top + 8, w - 143, 21);
    place(m_bsend, w - 128, panel1Top + 8, 121, 21);
    place(m_iplist, panel2Left + 40, 8, 121, 185);
    for (const auto& [top, button] : m_panel2Buttons) {
        place(button, panel2Left + 8, top, 25, 25);
    }
    place(m_memoChat.handle(), 0, 0, panel2Left, panel1Top);
    EndDeferWindowPos(moves);
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
            m_session->selectPeer(static_cast<int>(SendMessageA(m_iplist, LB_GETCURSEL, 0, 0)));
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
    case IDM_FIND:
        m_findBar.open(m_window);
        break;
    default: // IDOK and IDCANCEL from Enter and Esc do nothing
        break;
    }
}

void TMainChat::drawTranscript() {
    KillTimer(m_window, kDrawTimer);
    m_drawPending = false;
    m_lastDraw = GetTickCount();
    m_memoChat.draw(m_session->mirror());
    const DWORD took = GetTickCount() - m_lastDraw;
    m_drawPeriod = std::clamp<DWORD>(took * kDrawShare, kDrawPeriodMs, kLongestDrawPeriodMs);
}

// Also called between hand-overs: under a flood the queue is never empty, and a timer alone would
// wait for it to be.
void TMainChat::drawTranscriptIfDue() {
    if (m_drawPending && GetTickCount() - m_lastDraw >= m_drawPeriod) {
        drawTranscript();
    }
}

// The session ends: notices went out at the query; the process is ended right after this.
void TMainChat::endSession() {
    m_session.reset();
    m_tray.remove();
    ExitProcess(0);
}

LRESULT TMainChat::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_findBar.handle(message, lParam)) {
        return 0;
    }
    switch (message) {
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = POINT{kMinimumFrameWidth, kMinimumFrameHeight};
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
    case WM_CLOSE: // every way of closing: FormCloseQuery, then FormClose
        if (m_session) {
            m_session->requestClose();
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
        return DefWindowProcA(m_window, message, wParam, lParam);
    case WM_NOTIFY:
        if (m_peerRows.hintText(reinterpret_cast<NMHDR*>(lParam))) {
            return 0;
        }
        return DefWindowProcA(m_window, message, wParam, lParam);
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == m_memoChat.handle() && m_session) {
            MemoChatContextMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        }
        return DefWindowProcA(m_window, message, wParam, lParam);
    case WM_LIRBO_TRAY:
        if (lParam == WM_LBUTTONUP || lParam == WM_LBUTTONDBLCLK) {
            restoreFromTray();
        }
        return 0;
    case WM_LIRBO_DRAW_TRANSCRIPT:
    case WM_TIMER:
        if (m_session && m_drawPending) {
            drawTranscript();
        }
        return 0;
    default:
        return DefWindowProcA(m_window, message, wParam, lParam);
    }
}

LRESULT CALLBACK TMainChat::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TMainChat*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TMainChat*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

// The hidden application window: the listener's wake-up (an empty message) serves the hand-over,
// in the main loop and in every modal loop alike.
LRESULT CALLBACK TMainChat::applicationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<TMainChat*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NULL && self != nullptr && self->m_session) {
        self->m_session->serveHandOver();
        self->drawTranscriptIfDue();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// messaga asks the dialog manager for Enter, and its Enter (character 13) sends to all; the key
// goes on to the edit all the same.
LRESULT CALLBACK TMainChat::messagaProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TMainChat*>(GetWindowLongPtrA(edit, GWLP_USERDATA));
    if (message == WM_GETDLGCODE) {
        const LRESULT code = CallWindowProcA(self->m_messagaDefault, edit, message, wParam, lParam);
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
    return CallWindowProcA(self->m_messagaDefault, edit, message, wParam, lParam);
}

// --- app::IFrontEnd ---

bool TMainChat::askAddress(std::string& address) {
    return Tipedit::execute(m_instance, m_window, address);
}

bool TMainChat::askSettings(std::string& nick, int& colourIndex, const TextCheck& checkNick) {
    return Tnastroy::execute(m_instance, m_window, nick, colourIndex, checkNick);
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

void TMainChat::openFile(const std::string& path) {
    ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
}

void TMainChat::showError(const std::string& text) {
    MessageBoxes::showError(text);
}

void TMainChat::wake() {
    PostMessageA(m_application, WM_NULL, 0, 0);
}

void TMainChat::endApplication() {
    PostQuitMessage(0);
}

app::TypedText TMainChat::inputText() const {
    return typedText(m_messaga);
}

void TMainChat::setInputText(const app::TypedText& text) {
    setTypedText(m_messaga, text);
    const auto end = SendMessageA(m_messaga, WM_GETTEXTLENGTH, 0, 0);
    SendMessageA(m_messaga, EM_SETSEL, static_cast<WPARAM>(end), end);
}

void TMainChat::clearAndFocusInput() {
    SetWindowTextA(m_messaga, "");
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
    SendMessageA(m_iplist, WM_SETREDRAW, FALSE, 0);
    SendMessageA(m_iplist, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries) {
        SendMessageA(m_iplist, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    SendMessageA(m_iplist, LB_SETCURSEL, static_cast<WPARAM>(m_session->peers().selectedIndex()), 0);
    m_peerRows.refresh();
    SendMessageA(m_iplist, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_iplist, nullptr, TRUE);
}

void TMainChat::presenceChanged() {
    m_peerRows.refresh();
}

// Asked for every received message, so it reads what WM_ACTIVATEAPP last said (one of this
// program's windows is the foreground window: its own dialogs count) instead of asking the system.
// A minimised window is not looked at, even where the system leaves it the foreground window.
bool TMainChat::isActive() const {

    return m_programActive && !IsIconic(m_window);
}

void TMainChat::requestAttention() {
    FLASHWINFO flash{sizeof flash, m_window, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
    FlashWindowEx(&flash);
}

// The match selected in MemoChat and scrolled into view.
bool TMainChat::findInTranscript(const std::string& text, bool backward) {
    const auto match = m_session->find(text, backward);
    if (!match) {
        return false;
    }
    drawTranscript(); // the control's paragraphs are then the model's messages
    const auto [first, after] = TranscriptPositions(m_session->transcript()).range(*match);
    // The match stays marked while the find dialog has the focus.
    SendMessageA(m_memoChat.handle(), EM_SETOPTIONS, ECOOP_OR, ECO_NOHIDESEL);
    CHARRANGE selection{first, after};
    SendMessageA(m_memoChat.handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    SendMessageA(m_memoChat.handle(), EM_SCROLLCARET, 0, 0);
    return true;
}

void TMainChat::attentionChanged() {
    const app::Attention& attention = m_session->attention();
    m_tray.update(attention.unread() > 0, attention.hint());
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

// MemoChat's menu: "Добавить <адрес> в список" on the header line of a message from an address
// the peer list lacks. Each message is two paragraphs of the control, header first, once it has
// caught up with the model.
void TMainChat::MemoChatContextMenu(POINT screen) {
    if (m_drawPending) {
        drawTranscript();
    }
    POINT client = screen;
    ScreenToClient(m_memoChat.handle(), &client);
    const auto character =
        static_cast<LONG>(SendMessageA(m_memoChat.handle(), EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&client)));
    const long paragraph = TranscriptPositions(m_session->transcript()).paragraphAt(character);
    if (paragraph < 0 || paragraph % 2 != 0) {
        return;
    }
    const auto sender = m_session->unlistedSender(static_cast<std::size_t>(paragraph / 2));
    if (!sender) {
        return;
    }
    HMENU menu = CreatePopupMenu();
    const std::string caption = "Добавить " + *sender + " в список";
    constexpr UINT kAddSender = 1;
    AppendMenuA(menu, MF_STRING, kAddSender, caption.c_str());
    const BOOL chosen =
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0, m_window, nullptr);
    DestroyMenu(menu);
    if (chosen == kAddSender) {
        m_session->addSender(*sender);
    }
}

void TMainChat::transcriptChanged() {
    if (m_drawPending) {
        return;
    }
    m_drawPending = true;
    const DWORD since = GetTickCount() - m_lastDraw;
    if (since >= m_drawPeriod) {
        PostMessageA(m_window, WM_LIRBO_DRAW_TRANSCRIPT, 0, 0);
    } else {
        SetTimer(m_window, kDrawTimer, m_drawPeriod - since, nullptr);
    }
}

} // namespace lirbo::win32
