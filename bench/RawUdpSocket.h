#pragma once

#include <cstddef>
#include <string>

namespace lirbo::bench {

// A bare blocking IPv4 datagram socket bound to 127.0.0.1 on an ephemeral port: the raw baseline
// the endpoint is measured against, with nothing between the program and the system calls.
class RawUdpSocket {
public:
    RawUdpSocket();
    ~RawUdpSocket();
    RawUdpSocket(const RawUdpSocket&) = delete;
    RawUdpSocket& operator=(const RawUdpSocket&) = delete;

    int port() const { return m_port; }
    void sendTo(int port, const std::string& bytes) const;
    // Waits at most `timeoutMs` (negative: blocks in the receive alone) for a datagram; returns its
    // length, or -1 when none came.
    long receive(char* buffer, std::size_t size, int timeoutMs) const;
    // The sender port of the latest datagram received.
    int lastSenderPort() const { return m_lastSenderPort; }

private:
    int m_fd = -1;
    int m_port = 0;
    mutable int m_lastSenderPort = 0;
};

} // namespace lirbo::bench
