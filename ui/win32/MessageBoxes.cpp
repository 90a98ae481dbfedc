#include "ui/win32/MessageBoxes.h"

#include "ui/win32/WindowText.h"

namespace lirbo::win32 {

namespace {

HHOOK confirmHook = nullptr;

// The system localises a box's button captions; this box keeps the English "OK" and "Cancel".
LRESULT CALLBACK nameConfirmButtons(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto* box = reinterpret_cast<HWND>(wParam);
        SetDlgItemTextW(box, IDOK, L"OK");
        SetDlgItemTextW(box, IDCANCEL, L"Cancel");
        UnhookWindowsHookEx(confirmHook);
        confirmHook = nullptr;
        return 0;
    }
    return CallNextHookEx(confirmHook, code, wParam, lParam);
}

} // namespace

void MessageBoxes::showError(const std::string& text) {
    MessageBoxW(GetActiveWindow(), wide(text).c_str(), L"Lirbo", MB_OK | MB_ICONERROR);
}

bool MessageBoxes::confirmClearChat() {
    MSGBOXPARAMSW box{};
    box.cbSize = sizeof box;
    box.lpszText = L"Вы действительно хотите очистить чат?";
    box.lpszCaption = L"Warning";
    // A user icon with the system's exclamation mark: the icon without the warning sound.
    box.dwStyle = MB_OKCANCEL | MB_USERICON | MB_DEFBUTTON1 | MB_TASKMODAL;
    box.lpszIcon = MAKEINTRESOURCEW(32515); // IDI_EXCLAMATION
    confirmHook = SetWindowsHookExW(WH_CBT, nameConfirmButtons, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxIndirectW(&box);
    if (confirmHook != nullptr) {
        UnhookWindowsHookEx(confirmHook);
        confirmHook = nullptr;
    }
    return answer == IDOK;
}

void MessageBoxes::showStartupFailure(const std::string& text) {
    MessageBoxW(nullptr, wide(text).c_str(), L"Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

} // namespace lirbo::win32
