#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace lirbo::test {

// A bare IPv4 datagram socket on 127.0.0.1 (port 0: one of the system's choosing), with nothing
// of the program's own code in it: the peer that tests send from and listen with, and the raw
// baseline the benchmarks measure the endpoint against. Throws std::runtime_error when it cannot
// bind.
class UdpProbe {
public:
    explicit UdpProbe(int port = 0);
    ~UdpProbe();
    UdpProbe(const UdpProbe&) = delete;
    UdpProbe& operator=(const UdpProbe&) = delete;

    int port() const { return m_port; }
    // A full socket buffer drops the datagram, as a network would.
    void sendTo(int port, const std::string& bytes) const;
    // The next datagram, or nothing when none arrives within `timeoutMs`.
    std::optional<std::string> receive(int timeoutMs = 2000) const;
    // Waits at most `timeoutMs` (negative: blocks in the receive alone) for a datagram; returns its
    // length, or -1 when none came.
    long receive(char* buffer, std::size_t size, int timeoutMs) const;
    // The sender port of the latest datagram received.
    int lastSenderPort() const { return m_lastSenderPort; }

private:
    std::uintptr_t m_socket;
    int m_port = 0;
    mutable int m_lastSenderPort = 0;
};

} // namespace lirbo::test
