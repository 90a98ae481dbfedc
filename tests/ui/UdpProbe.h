#pragma once

#include <QByteArray>
#include <optional>

// A plain UDP socket on 127.0.0.1 with a port of the system's choosing: a peer the tests send
// from and listen with.
class UdpProbe {
public:
    // `port` 0: any free port.
    explicit UdpProbe(int port = 0);
    ~UdpProbe();
    UdpProbe(const UdpProbe&) = delete;
    UdpProbe& operator=(const UdpProbe&) = delete;

    int port() const { return m_port; }
    void sendTo(int port, const QByteArray& bytes) const;
    // The next datagram, or nothing when none arrives within `timeoutMs`.
    std::optional<QByteArray> receive(int timeoutMs = 2000) const;

private:
    int m_fd = -1;
    int m_port = 0;
};
