#pragma once

namespace lirbo::app {

// Plays the desktop's sound for a message that arrived. The session calls it at most once per
// batch of datagrams; an implementation returns at once (the sound plays on its own) and fails
// silently: a machine without sound, or without a sound server, simply stays quiet.
class ISoundPlayer {
public:
    virtual ~ISoundPlayer() = default;
    virtual void playArrival() = 0;
};

} // namespace lirbo::app
