#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>

namespace lirbo::net {

// Runs calls from the listener thread on the main thread. The listener thread queues a call and
// waits until it has run; an exception the call throws is carried back to it. The owner of the
// main thread installs a wake callback (the window posts an event) and runs the queue from there.
class THandOver {
public:
    static THandOver& instance();

    // Called from any thread after a call was queued; must not block. May be empty.
    void setWakeCallback(std::function<void()> wake);

    // A call for the main thread. Whoever starts it keeps it alive until wait() has returned.
    struct Call {
        std::function<void()> function;
        std::exception_ptr error;
        bool done = false;
    };

    // Listener thread: queue `call` and wake the main thread, without waiting for it.
    void start(Call& call);
    // Listener thread: wait until a started call has run; rethrows its error.
    void wait(Call& call);
    // Listener thread: start and wait.
    void runOnMainThread(const std::function<void()>& call);

    // Main thread: run every queued call, first to last. Returns how many ran.
    int runPending();

    // Main thread: serve the queue until `finished()` turns true (used while a thread ends).
    // `finished` is checked after every served batch and whenever wakeServing is called.
    void serveUntil(const std::function<bool()>& finished);

    // Any thread: make a serveUntil in progress check its condition now.
    void wakeServing();

    // Calls queued and not yet taken by the main thread.
    std::size_t pendingCount();

private:
    THandOver() = default;

    std::mutex m_lock;
    std::condition_variable m_queueChanged; // a call was queued, or wakeServing
    std::condition_variable m_callDone;
    std::deque<Call*> m_queue;
    std::function<void()> m_wake;
    unsigned m_wakeups = 0;
};

} // namespace lirbo::net
