#include "net/HandOver.h"

#include <chrono>
#include <utility>

namespace lirbo::net {

void THandOver::setWakeCallback(std::function<void()> wake) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_wake = std::move(wake);
}

void THandOver::start(Call& call) {
    std::function<void()> wake;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        call.error = nullptr;
        call.done = false;
        m_queue.push_back(&call);
        wake = m_wake;
    }
    m_queueChanged.notify_all();
    if (wake) {
        wake();
    }
}

void THandOver::wait(Call& call) {
    {
        std::unique_lock<std::mutex> lock(m_lock);
        m_callDone.wait(lock, [&] { return call.done; });
    }
    if (call.error) {
        std::rethrow_exception(std::exchange(call.error, nullptr));
    }
}

int THandOver::runPending() {
    int count = 0;
    for (;;) {
        Call* call = nullptr;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            if (m_queue.empty()) {
                break;
            }
            call = m_queue.front();
            m_queue.pop_front();
        }
        std::exception_ptr error;
        try {
            call->function();
        } catch (...) {
            error = std::current_exception();
        }
        {
            // The waiting thread may return (and drop the request) as soon as the lock is free.
            std::lock_guard<std::mutex> lock(m_lock);
            call->error = std::move(error); // the caller alone releases it
            call->done = true;
        }
        m_callDone.notify_all();
        ++count;
    }
    return count;
}

void THandOver::serveUntil(const std::function<bool()>& finished) {
    // The time-out only guards against a condition that changes without a wake-up.
    constexpr auto kRecheck = std::chrono::milliseconds(50);
    for (;;) {
        unsigned seen;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            seen = m_wakeups;
        }
        runPending();
        if (finished()) {
            return;
        }
        std::unique_lock<std::mutex> lock(m_lock);
        m_queueChanged.wait_for(lock, kRecheck, [&] { return !m_queue.empty() || m_wakeups != seen; });
    }
}

void THandOver::wakeServing() {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        ++m_wakeups;
    }
    m_queueChanged.notify_all();
}

} // namespace lirbo::net
