#include "Remote.h"

namespace lirbo::driver {

namespace {
constexpr UINT kCodePage = 1251;
constexpr DWORD kPollMs = 10;
} // namespace

bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(kPollMs); // the poll period of the condition
    }
}

std::string toAnsi(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int size =
        WideCharToMultiByte(kCodePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(kCodePage, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), size, nullptr, nullptr);
    return ansi;
}

std::wstring toWide(const std::string& ansi) {
    if (ansi.empty()) {
        return {};
    }
    const int size = MultiByteToWideChar(kCodePage, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(kCodePage, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), size);
    return wide;
}

namespace {
struct Search {
    DWORD process;
    const char* className;
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner != search->process || !IsWindowVisible(window) || lstrcmpiA(className, search->className) != 0) {
        return TRUE;
    }
    if (!search->caption.empty()) {
        wchar_t caption[256] = {};
        GetWindowTextW(window, caption, 256);
        if (toAnsi(caption) != search->caption) {
            return TRUE;
        }
    }
    search->found = window;
    return FALSE;
}
} // namespace

HWND findTopLevel(DWORD process, const char* className, const std::string& caption) {
    Search search{process, className, caption};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitTopLevel(DWORD process, const char* className, const std::string& caption) {
    HWND found = nullptr;
    waitFor([&] { return (found = findTopLevel(process, className, caption)) != nullptr; });
    return found;
}

std::string text(HWND window) {
    return toAnsi(wideText(window));
}

std::wstring wideText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &length)) {
        return L"<no answer>";
    }
    std::wstring buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                        kWaitMs, &copied);
    buffer.resize(copied);
    return buffer;
}

void setText(HWND window, const std::string& text) {
    const std::wstring wide = toWide(text);
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::vector<std::string> listItems(HWND listBox) {
    std::vector<std::string> items;
    const auto count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
        const auto copied =
            SendMessageW(listBox, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
        item.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
        items.push_back(toAnsi(item));
    }
    return items;
}

// The notification a click makes, posted to the button's parent: the answer is the button's own
// ID whatever has the focus. (A posted BM_CLICK goes through the focus and the mouse capture, which
// Wine hands out differently from run to run without a window manager.) A user's click also
// brings its window to the front.
void click(HWND button) {
    HWND top = GetAncestor(button, GA_ROOT);
    SetForegroundWindow(top);
    waitFor([&] { return GetForegroundWindow() == top; }, 2000);
    PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void postKey(HWND window, UINT key) {
    const UINT scan = MapVirtualKeyW(key, 0);
    PostMessageW(window, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
    PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
}

void postChar(HWND window, char ch) {
    const std::wstring wide = toWide(std::string(1, ch));
    PostMessageW(window, WM_CHAR, wide[0], 1);
}

void type(HWND window, const std::wstring& text) {
    for (const wchar_t unit : text) {
        PostMessageW(window, WM_CHAR, unit, 1);
    }
}

HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

void menu(HWND window, int id) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

RECT clientRectIn(HWND control, HWND parent) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace lirbo::driver
