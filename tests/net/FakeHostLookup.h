#pragma once

#include "net/HostLookup.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace lirbo::test {

// A host-name lookup without DNS: every name gets `error` (0: `address`) after `delay`, or no
// answer at all while `hang` holds, until release(). Records the names asked, in order.
class FakeHostLookup : public net::IHostLookup {
public:
    struct Behaviour {
        int error = 0;
        net::IPv4Address address{127, 0, 0, 1};
        std::chrono::milliseconds delay{0};
        bool hang = false;
    };

    explicit FakeHostLookup(Behaviour behaviour) : m_behaviour(behaviour) {}
    int lookup(const std::string& name, net::IPv4Address& address) override {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_asked.push_back(name);
        if (m_onAsked) {
            m_onAsked();
        }
        m_released.wait(lock, [this] { return !m_behaviour.hang; });
        const Behaviour now = m_behaviour;
        lock.unlock();
        std::this_thread::sleep_for(now.delay);
        address = now.address;
        return now.error;
    }

    void set(Behaviour behaviour) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_behaviour = behaviour;
        m_released.notify_all();
    }
    // Called on the lookup's thread with each name asked, so that a waiting test wakes at once.
    void setAskedCallback(std::function<void()> asked) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_onAsked = std::move(asked);
    }
    // Lets a hanging lookup end (with host not found).
    void release() { set({11001, {}, {}, false}); }
    std::vector<std::string> asked() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_asked;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_released;
    Behaviour m_behaviour;
    std::vector<std::string> m_asked;
    std::function<void()> m_onAsked;
};

} // namespace lirbo::test
