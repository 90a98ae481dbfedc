#pragma once

#include <functional>

namespace lirbo::net {

// Runs calls from the listener thread on the main thread. The listener thread queues a call and
// waits until it has run; an exception the call throws is carried back to it. The owner of the
// main thread installs a wake callback (the window posts an event) and runs the queue from there.
class THandOver {
public:
    static THandOver& instance();

    // Called from any thread after a call was queued; must not block. May be empty.
    void setWakeCallback(std::function<void()> wake);

    // Listener thread: queue `call`, wake the main thread, wait until it ran; rethrows its error.
    void runOnMainThread(const std::function<void()>& call);

    // Main thread: run every queued call, first to last. Returns how many ran.
    int runPending();

    // Main thread: serve the queue until `finished()` turns true (used while a thread ends).
    void serveUntil(const std::function<bool()>& finished);
};

} // namespace lirbo::net
