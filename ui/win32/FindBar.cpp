#include "ui/win32/FindBar.h"

#include "core/CodePage1251.h"
#include "core/Texts.h"
#include "ui/win32/FileChooser.h"
#include "ui/win32/WindowText.h"

#include <iterator>

namespace lirbo::win32 {

namespace {
constexpr int kFindWhat = 0x480; // the find dialog's edit (edt1)
constexpr int kDown = 0x421;     // its "Down" direction button (rad2)
} // namespace

FindBar::FindBar(Find find) : m_find(std::move(find)), m_message(RegisterWindowMessageW(FINDMSGSTRINGW)) {}

void FindBar::open(HWND owner) {
    if (m_dialog != nullptr) {
        SetForegroundWindow(m_dialog);
        return;
    }
    m_request = FINDREPLACEW{};
    m_request.lStructSize = sizeof m_request;
    m_request.hwndOwner = owner;
    m_request.Flags = FR_DOWN | FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD;
    m_request.lpstrFindWhat = m_text;
    m_request.wFindWhatLen = sizeof m_text; // in bytes
    if (const auto findText = commonDialogFunction<HWND(WINAPI*)(FINDREPLACEW*)>("FindTextW")) {
        m_dialog = findText(&m_request);
    }
}

bool FindBar::handle(UINT message, LPARAM lParam) {
    if (message != m_message || m_message == 0) {
        return false;
    }
    const auto* request = reinterpret_cast<const FINDREPLACEW*>(lParam);
    if ((request->Flags & FR_DIALOGTERM) != 0) {
        m_dialog = nullptr;
    } else if ((request->Flags & FR_FINDNEXT) != 0) {
        // Read from the dialog's own edit: some systems hand the text over through the ANSI code
        // page, which loses Cyrillic on a non-Russian system.
        GetDlgItemTextW(m_dialog, kFindWhat, m_text, static_cast<int>(std::size(m_text)));
        findNext((request->Flags & FR_DOWN) == 0);
    }
    return true;
}

bool FindBar::takeKey(const MSG& message) {
    if (m_dialog == nullptr || message.message != WM_KEYDOWN || message.wParam != VK_RETURN ||
        GetKeyState(VK_SHIFT) >= 0 || (message.hwnd != m_dialog && !IsChild(m_dialog, message.hwnd))) {
        return false;
    }
    GetDlgItemTextW(m_dialog, kFindWhat, m_text, static_cast<int>(std::size(m_text)));
    findNext(IsDlgButtonChecked(m_dialog, kDown) == BST_CHECKED);
    return true;
}

// Text with characters Windows-1251 lacks cannot be in the transcript.
void FindBar::findNext(bool backward) {
    if (m_text[0] == L'\0') {
        return;
    }
    const core::cp1251::Encoded text = core::cp1251::fromUtf16(reinterpret_cast<const char16_t*>(m_text));
    if (!text.lacking.empty() || !m_find(text.bytes, backward)) {
        MessageBoxW(m_dialog, uiText(text::kNotFound).c_str(), uiText(text::kProgramTitle).c_str(),
                    MB_OK | MB_ICONINFORMATION);
    }
}

} // namespace lirbo::win32
