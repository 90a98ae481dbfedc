#pragma once

#include "app/SoundPlayer.h"

#include <memory>

namespace lirbo::ui {

// Plays the desktop sound theme's "message-new-instant" event through libcanberra, loaded at the
// first sound: without the library, or without a sound server, the program simply stays quiet.
// The library may wait for the sound server, so it is only ever called on a thread of its own;
// playArrival only wakes that thread and returns at once.
class DesktopSound : public app::ISoundPlayer {
public:
    DesktopSound();
    ~DesktopSound() override;
    DesktopSound(const DesktopSound&) = delete;
    DesktopSound& operator=(const DesktopSound&) = delete;

    void playArrival() override;

    struct Shared;

private:
    std::shared_ptr<Shared> m_shared;
};

} // namespace lirbo::ui
