#include "ui/win32/MessageBoxes.h"

#include "core/Texts.h"
#include "ui/win32/WindowText.h"

namespace lirbo::win32 {

namespace {

HHOOK confirmHook = nullptr;

// The system localises a box's button captions; this box keeps the English "OK" and "Cancel".
LRESULT CALLBACK nameConfirmButtons(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto* box = reinterpret_cast<HWND>(wParam);
        SetDlgItemTextW(box, IDOK, uiText(text::kOkLatin).c_str());
        SetDlgItemTextW(box, IDCANCEL, uiText(text::kCancelLatin).c_str());
        UnhookWindowsHookEx(confirmHook);
        confirmHook = nullptr;
        return 0;
    }
    return CallNextHookEx(confirmHook, code, wParam, lParam);
}

} // namespace

void MessageBoxes::showError(const std::string& text) {
    MessageBoxW(GetActiveWindow(), wide(text).c_str(), uiText(text::kProgramTitle).c_str(), MB_OK | MB_ICONERROR);
}

bool MessageBoxes::confirmClearChat() {
    MSGBOXPARAMSW box{};
    box.cbSize = sizeof box;
    const std::wstring question = uiText(text::kConfirmClearChat);
    const std::wstring caption = uiText(text::kWarningCaption);
    box.lpszText = question.c_str();
    box.lpszCaption = caption.c_str();
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
    MessageBoxW(nullptr, wide(text).c_str(), uiText(text::kStartupFailureCaption).c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

} // namespace lirbo::win32
