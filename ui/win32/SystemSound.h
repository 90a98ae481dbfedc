#pragma once

#include "app/SoundPlayer.h"

#include <windows.h>

namespace lirbo::win32 {

// Plays the user's sound scheme for a message that arrived: the scheme's instant-message event
// "Notification.IM", else its "SystemNotification", else the asterisk sound of MessageBeep.
// winmm.dll is loaded from the system folder at the first sound; the sound plays asynchronously.
class SystemSound : public app::ISoundPlayer {
public:
    SystemSound() = default;
    ~SystemSound() override;
    SystemSound(const SystemSound&) = delete;
    SystemSound& operator=(const SystemSound&) = delete;

    void playArrival() override;

private:
    using PlaySoundFunction = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
    bool m_loaded = false;
    HMODULE m_winmm = nullptr;
    PlaySoundFunction m_playSound = nullptr;
};

} // namespace lirbo::win32
