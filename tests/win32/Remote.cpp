#include "Remote.h"

namespace lirbo::driver {

namespace {
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

std::string utf8(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr, nullptr);
    return text;
}

std::wstring wide(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
    return text;
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
        if (utf8(caption) != search->caption) {
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
    return utf8(wideText(window));
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
    const std::wstring shown = wide(text);
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shown.c_str()));
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
        items.push_back(utf8(item));
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

void postChar(HWND window, char ascii) {
    PostMessageW(window, WM_CHAR, static_cast<unsigned char>(ascii), 1);
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
