#pragma once

#include "net/ChatTransport.h"
#include "net/HandOver.h"

#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace lirbo::test {

// The network as a session's tests see it, without sockets or threads: records every datagram
// sent, fails the sends to the addresses it is told to with exactly the error given, and queues
// each datagram that arrives for the main thread, waking it, as the listener thread does.
class FakeTransport : public net::IChatTransport, public net::IHandOverQueue {
public:
    using Datagram = std::pair<std::string, std::string>; // address, bytes
    std::vector<Datagram> sent;
    std::map<std::string, std::exception_ptr> failing; // address: what a send there throws
    std::exception_ptr openFails;
    ListenerStatus listener{false, "0.0.0.0", 8800, 0, 0}; // what listenerStatus tells while open

    void arrive(const std::string& bytes, const std::string& sender) {
        ++listener.received;
        m_queue.push_back([this, bytes, sender] { m_receive(bytes, sender); });
        if (m_wake) {
            m_wake();
        }
    }
    bool isOpen() const { return static_cast<bool>(m_receive); }
    bool hooked() const { return static_cast<bool>(m_wake); }

    void open(Receiver receive) override {
        if (openFails) {
            std::rethrow_exception(openFails);
        }
        m_receive = std::move(receive);
    }
    void close() override {
        runPending();
        m_receive = nullptr;
    }
    void send(const std::string& address, const std::string& bytes) override {
        if (failing.count(address) != 0) {
            std::rethrow_exception(failing[address]);
        }
        sent.emplace_back(address, bytes);
    }
    int listenPort() const override { return isOpen() ? listener.port : 0; }
    ListenerStatus listenerStatus() const override {
        ListenerStatus status = listener;
        status.open = isOpen();
        return status;
    }
    void setWakeCallback(std::function<void()> wake) override { m_wake = std::move(wake); }
    int runPending() override {
        int count = 0;
        for (; !m_queue.empty(); ++count) {
            const std::function<void()> call = std::move(m_queue.front());
            m_queue.pop_front();
            call(); // the session's handler throws nothing: the listener would drop it
        }
        return count;
    }

private:
    Receiver m_receive;
    std::function<void()> m_wake;
    std::deque<std::function<void()>> m_queue;
};

} // namespace lirbo::test
