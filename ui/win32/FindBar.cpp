#include "ui/win32/FindBar.h"

#include "ui/win32/FileChooser.h"

namespace lirbo::win32 {

FindBar::FindBar(Find find) : m_find(std::move(find)), m_message(RegisterWindowMessageA(FINDMSGSTRINGA)) {}

void FindBar::open(HWND owner) {
    if (m_dialog != nullptr) {
        SetForegroundWindow(m_dialog);
        return;
    }
    m_request = FINDREPLACEA{};
    m_request.lStructSize = sizeof m_request;
    m_request.hwndOwner = owner;
    m_request.Flags = FR_DOWN | FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD;
    m_request.lpstrFindWhat = m_text;
    m_request.wFindWhatLen = sizeof m_text;
    if (const auto findText = commonDialogFunction<HWND(WINAPI*)(FINDREPLACEA*)>("FindTextA")) {
        m_dialog = findText(&m_request);
    }
}

bool FindBar::handle(UINT message, LPARAM lParam) {
    if (message != m_message || m_message == 0) {
        return false;
    }
    const auto* request = reinterpret_cast<const FINDREPLACEA*>(lParam);
    if ((request->Flags & FR_DIALOGTERM) != 0) {
        m_dialog = nullptr;
    } else if ((request->Flags & FR_FINDNEXT) != 0 && m_text[0] != '\0') {
        if (!m_find(m_text, (request->Flags & FR_DOWN) == 0)) {
            MessageBoxA(m_dialog, "Не найдено", "Lirbo", MB_OK | MB_ICONINFORMATION);
        }
    }
    return true;
}

} // namespace lirbo::win32
