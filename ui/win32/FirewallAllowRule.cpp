#include "ui/win32/FirewallAllowRule.h"

#include "core/Texts.h"
#include "ui/win32/FirewallComReader.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/WindowText.h"

#include <shellapi.h>
#include <string>
#include <thread>

namespace lirbo::win32 {

namespace {

// The same rule as the installer's, under the same name, for the program running now.
std::wstring netshArguments() {
    const std::wstring program = programPath();
    // A Windows path never holds a quotation mark, so the quoted path stays one argument.
    return L"advfirewall firewall add rule name=\"Lirbo (UDP 8800)\" dir=in action=allow protocol=UDP "
           L"localport=8800 program=\"" +
           program + L"\"";
}

// netsh.exe from the system folder, never one found along the search path.
std::wstring netshPath() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length < MAX_PATH ? length : 0) + L"\\netsh.exe";
}

std::wstring systemReason(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = length > 0 ? std::wstring(text, length) : uiText(text::kErrorCode) + std::to_wstring(error);
    LocalFree(text);
    while (!reason.empty() &&
           (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' ' || reason.back() == L'.')) {
        reason.pop_back();
    }
    return reason;
}

} // namespace

void addAllowRuleElevated(HWND window, UINT message) {
    std::thread([window, message] {
        // The shell's verbs want a single-threaded apartment on the calling thread.
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        const std::wstring file = netshPath();
        const std::wstring arguments = netshArguments();
        SHELLEXECUTEINFOW run{};
        run.cbSize = sizeof run;
        run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
        run.hwnd = window;
        run.lpVerb = L"runas";
        run.lpFile = file.c_str();
        run.lpParameters = arguments.c_str();
        run.nShow = SW_HIDE;
        AllowOutcome outcome = AllowOutcome::Added;
        DWORD detail = 0;
        if (!ShellExecuteExW(&run)) {
            detail = GetLastError();
            outcome = detail == ERROR_CANCELLED ? AllowOutcome::Cancelled : AllowOutcome::NotStarted;
        } else if (run.hProcess != nullptr) {
            WaitForSingleObject(run.hProcess, INFINITE);
            GetExitCodeProcess(run.hProcess, &detail);
            CloseHandle(run.hProcess);
            outcome = detail == 0 ? AllowOutcome::Added : AllowOutcome::Failed;
        }
        if (SUCCEEDED(com)) {
            CoUninitialize();
        }
        PostMessageW(window, message, static_cast<WPARAM>(outcome), static_cast<LPARAM>(detail));
    }).detach();
}

void showAllowFailure(AllowOutcome outcome, DWORD detail) {
    std::wstring text;
    switch (outcome) {
    case AllowOutcome::Added:
        return;
    case AllowOutcome::Cancelled:
        text = uiText(text::kAllowRuleCancelled);
        break;
    case AllowOutcome::NotStarted:
        text = uiText(text::kAllowRuleNotStarted) + systemReason(detail) + L".";
        break;
    case AllowOutcome::Failed:
        text = uiText(text::kAllowRuleFailedBefore) + std::to_wstring(detail) + uiText(text::kAllowRuleFailedAfter);
        break;
    }
    MessageBoxes::showError(cp1251(text));
}

} // namespace lirbo::win32
