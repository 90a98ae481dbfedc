#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>

namespace lirbo::net {

// The main thread's side of a hand-over: what the owner of the main thread installs and runs.
class IHandOverQueue {
public:
    virtual ~IHandOverQueue() = default;
    // Called from any thread after a call was queued; must not block. May be empty.
    virtual void setWakeCallback(std::function<void()> wake) = 0;
    // Main thread: run every queued call, first to last. Returns how many ran.
    virtual int runPending() = 0;
};

// Runs calls from the listener thread on the main thread. The listener thread queues a call and
// waits until it has run; an exception the call throws is carried back to it. The owner of the
// main thread installs a wake callback (the window posts an event) and runs the queue from there.
// The program makes one, in main, and gives it to the listener and to the session.
class THandOver : public IHandOverQueue {
public:
    THandOver() = default;
    THandOver(const THandOver&) = delete;
    THandOver& operator=(const THandOver&) = delete;

    void setWakeCallback(std::function<void()> wake) override;

    // A call for the main thread. Whoever starts it keeps it alive until wait() has returned.
    struct Call {
        std::function<void()> function;
        std::exception_ptr error;
        bool done = false;
    };

    // Listener thread: queue `call` and wake the main thread, without waiting for it.
    void start(Call& call);
    // Listener thread: wait until a started call has run; rethrows its error. Virtual so that a
    // test can see the listener thread waiting for the main thread, which nothing else shows.
    virtual void wait(Call& call);

    int runPending() override;

    // Main thread: serve the queue until `finished()` turns true (used while a thread ends).
    // `finished` is checked after every served batch and whenever wakeServing is called.
    void serveUntil(const std::function<bool()>& finished);

    // Any thread: make a serveUntil in progress check its condition now.
    void wakeServing();

private:
    std::mutex m_lock;
    std::condition_variable m_queueChanged; // a call was queued, or wakeServing
    std::condition_variable m_callDone;
    std::deque<Call*> m_queue;
    std::function<void()> m_wake;
    unsigned m_wakeups = 0;
};

} // namespace lirbo::net
