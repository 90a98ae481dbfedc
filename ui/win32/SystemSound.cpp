#include "ui/win32/SystemSound.h"

#include <mmsystem.h>
#include <string>

namespace lirbo::win32 {

SystemSound::~SystemSound() {
    if (m_winmm != nullptr) {
        FreeLibrary(m_winmm);
    }
}

void SystemSound::playArrival() {
    if (!m_loaded) {
        m_loaded = true;
        // By its full path: a winmm.dll in the start folder, beside lirbo.ini, is never loaded.
        wchar_t folder[MAX_PATH] = {};
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            m_winmm = LoadLibraryW((std::wstring(folder, length) + L"\\winmm.dll").c_str());
        }
        if (m_winmm != nullptr) {
            m_playSound =
                reinterpret_cast<PlaySoundFunction>(reinterpret_cast<void*>(GetProcAddress(m_winmm, "PlaySoundW")));
        }
    }
    // SND_NODEFAULT: an event the scheme lacks fails instead of sounding the default beep, so that
    // the next one is tried.
    const DWORD flags = SND_ALIAS | SND_ASYNC | SND_NODEFAULT;
    if (m_playSound != nullptr &&
        (m_playSound(L"Notification.IM", nullptr, flags) || m_playSound(L"SystemNotification", nullptr, flags))) {
        return;
    }
    MessageBeep(MB_ICONASTERISK);
}

} // namespace lirbo::win32
