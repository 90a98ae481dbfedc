#include "ui/win32/TrayIcon.h"

#include "core/Texts.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

#include <iterator>
#include <shellapi.h>

namespace lirbo::win32 {

namespace {

constexpr UINT kIconId = 1;

// A copy of `icon` with a red dot in its lower right quarter: the unread mark.
HICON markedCopy(HICON icon) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    HDC screen = GetDC(nullptr);
    HDC canvas = CreateCompatibleDC(screen);
    HBITMAP colour = CreateCompatibleBitmap(screen, size, size);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
    ReleaseDC(nullptr, screen);

    HGDIOBJ before = SelectObject(canvas, mask);
    PatBlt(canvas, 0, 0, size, size, WHITENESS);
    DrawIconEx(canvas, 0, 0, icon, size, size, 0, nullptr, DI_MASK);
    const int dot = size / 2;
    SelectObject(canvas, GetStockObject(BLACK_BRUSH));
    SelectObject(canvas, GetStockObject(BLACK_PEN));
    Ellipse(canvas, size - dot, size - dot, size, size);

    SelectObject(canvas, colour);
    PatBlt(canvas, 0, 0, size, size, BLACKNESS);
    DrawIconEx(canvas, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    HBRUSH red = CreateSolidBrush(RGB(220, 0, 0));
    HPEN white = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    SelectObject(canvas, red);
    SelectObject(canvas, white);
    Ellipse(canvas, size - dot, size - dot, size, size);
    SelectObject(canvas, before);

    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour;
    info.hbmMask = mask;
    HICON marked = CreateIconIndirect(&info);
    DeleteObject(red);
    DeleteObject(white);
    DeleteObject(colour);
    DeleteObject(mask);
    DeleteDC(canvas);
    return marked;
}

} // namespace

TrayIcon::~TrayIcon() {
    remove();
    if (m_marked != nullptr) {
        DestroyIcon(m_marked);
    }
}

NOTIFYICONDATAW TrayIcon::data() const {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = m_owner;
    icon.uID = kIconId;
    return icon;
}

bool TrayIcon::add(HWND owner, UINT callbackMessage, HICON icon) {
    m_owner = owner;
    m_message = callbackMessage;
    m_icon = icon;
    NOTIFYICONDATAW added = data();
    added.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    added.uCallbackMessage = m_message;
    added.hIcon = m_icon;
    lstrcpynW(added.szTip, uiText(text::kProgramTitle).c_str(), static_cast<int>(std::size(added.szTip)));
    m_added = Shell_NotifyIconW(NIM_ADD, &added) != FALSE;
    return m_added;
}

void TrayIcon::readd() {
    m_added = false;
    if (m_owner != nullptr && add(m_owner, m_message, m_icon)) {
        update(m_showsMark, m_tip);
    }
}

UINT TrayIcon::popUpMenu(bool doNotDisturb) const {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, IDM_TRAY_OPEN, uiText(text::kTrayOpen).c_str());
    AppendMenuW(menu, MF_STRING | (doNotDisturb ? MF_CHECKED : MF_UNCHECKED), IDM_DONOTDISTURB,
                uiText(text::kMenuDoNotDisturb).c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_TRAY_EXIT, uiText(text::kMenuExit).c_str());
    SetMenuDefaultItem(menu, IDM_TRAY_OPEN, FALSE);
    POINT at{};
    GetCursorPos(&at);
    // The owner in the foreground makes the menu close when the user clicks elsewhere; the
    // empty message after it lets a second click on the icon open the menu again.
    SetForegroundWindow(m_owner);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, m_owner, nullptr));
    PostMessageW(m_owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    return chosen;
}

UINT TrayIcon::mouse(UINT mouseMessage, bool doNotDisturb) const {
    if (mouseMessage == WM_LBUTTONUP || mouseMessage == WM_LBUTTONDBLCLK) {
        restoreOwner();
    } else if (mouseMessage == WM_RBUTTONUP) {
        return popUpMenu(doNotDisturb);
    }
    return 0;
}

void TrayIcon::restoreOwner() const {
    ShowWindow(m_owner, IsIconic(m_owner) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(m_owner);
}

void TrayIcon::update(bool marked, const std::string& tip) {
    m_showsMark = marked;
    m_tip = tip;
    if (!m_added) {
        return;
    }
    if (marked && m_marked == nullptr) {
        m_marked = markedCopy(m_icon);
    }
    NOTIFYICONDATAW changed = data();
    changed.uFlags = NIF_ICON | NIF_TIP;
    changed.hIcon = marked && m_marked != nullptr ? m_marked : m_icon;
    const std::wstring fitted = wide(fitTip(tip, std::size(changed.szTip)));
    lstrcpynW(changed.szTip, fitted.c_str(), static_cast<int>(std::size(changed.szTip)));
    Shell_NotifyIconW(NIM_MODIFY, &changed);
}

void TrayIcon::remove() {
    if (!m_added) {
        return;
    }
    NOTIFYICONDATAW removed = data();
    Shell_NotifyIconW(NIM_DELETE, &removed);
    m_added = false;
}

// The notification area's tooltip takes "&" as the mark of an access key (Wine's draws without
// TTS_NOPREFIX, and so do some versions of Windows): each "&" is doubled so that a nick shows as
// received. Each Windows-1251 byte is one character and one UTF-16 unit, so any cut is between
// characters, never inside a doubled "&"; a cut tip ends in "..." so it does not read as whole.
std::string TrayIcon::fitTip(const std::string& tip, std::size_t size) {
    std::string shown;
    shown.reserve(tip.size());
    for (const char c : tip) {
        shown += c;
        if (c == '&') {
            shown += '&';
        }
    }
    if (shown.size() < size) {
        return shown;
    }
    if (size == 0) {
        return {};
    }
    constexpr char kEllipsis[] = "...";
    const std::size_t room = size - 1;
    const bool ellipsis = room >= sizeof kEllipsis - 1;
    shown.resize(ellipsis ? room - (sizeof kEllipsis - 1) : room);
    const std::size_t lastOther = shown.find_last_not_of('&');
    const std::size_t trailing = shown.size() - (lastOther == std::string::npos ? 0 : lastOther + 1);
    if (trailing % 2 != 0) {
        shown.pop_back(); // half of a doubled "&"
    }
    return ellipsis ? shown + kEllipsis : shown;
}

} // namespace lirbo::win32
