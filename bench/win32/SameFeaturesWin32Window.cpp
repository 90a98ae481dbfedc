// The same-feature floor of the Windows start-up figures: a window with lirbo.exe's manifest and
// imports (common controls 6, the rich edit, the shell, sockets), its controls, tray icon and a
// UDP socket on loopback with a listener thread, and none of its logic.
#include <winsock2.h>
// after winsock2.h, which must come first
#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>
#include <windows.h>

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND control(HWND parent, const wchar_t* className, DWORD style, int x, int y, int width, int height, HFONT font) {
    HWND made = CreateWindowExW(WS_EX_CLIENTEDGE, className, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y,
                                width, height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return made;
}

DWORD WINAPI takeDatagrams(void* socketHandle) {
    char buffer[65536];
    while (recv(reinterpret_cast<SOCKET>(socketHandle), buffer, sizeof buffer, 0) >= 0) {
    }
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    LoadLibraryW(L"riched20.dll");
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    const SOCKET socketHandle = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(socketHandle, reinterpret_cast<sockaddr*>(&address), sizeof address);
    CloseHandle(CreateThread(nullptr, 0, takeDatagrams, reinterpret_cast<void*>(socketHandle), 0, nullptr));

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"SameFeaturesWindow";
    RegisterClassExW(&windowClass);
    HWND window =
        CreateWindowExW(WS_EX_CONTROLPARENT, L"SameFeaturesWindow", L"Floor", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                        0, 630, 425, nullptr, LoadMenuW(instance, MAKEINTRESOURCEW(2)), instance, nullptr);
    HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
    control(window, WC_EDITW, ES_AUTOHSCROLL, 8, 341, 471, 21, font);
    control(window, WC_BUTTONW, BS_PUSHBUTTON, 486, 341, 121, 21, font);
    control(window, WC_LISTBOXW, WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
            488, 8, 121, 185, font);
    for (int i = 0; i < 6; ++i) {
        control(window, WC_BUTTONW, BS_PUSHBUTTON | BS_BITMAP, 456, 8 + 32 * i, 25, 25, font);
    }
    HWND transcript = control(window, RICHEDIT_CLASSW, WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
                              448, 334, font);
    SendMessageW(transcript, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);

    NOTIFYICONDATAW tray{};
    tray.cbSize = sizeof tray;
    tray.hWnd = window;
    tray.uID = 1;
    tray.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    tray.uCallbackMessage = kTrayMessage;
    tray.hIcon = windowClass.hIcon;
    lstrcpyW(tray.szTip, L"Floor");
    Shell_NotifyIconW(NIM_ADD, &tray);

    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    Shell_NotifyIconW(NIM_DELETE, &tray);
    closesocket(socketHandle);
    WSACleanup();
    return 0;
}
