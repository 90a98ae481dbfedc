#include "UdpProbe.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

} // namespace

UdpProbe::UdpProbe(int port) {
    m_fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address = loopback(port);
    if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        throw std::runtime_error("cannot bind the probe");
    }
    socklen_t length = sizeof address;
    ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
}

UdpProbe::~UdpProbe() {
    ::close(m_fd);
}

void UdpProbe::sendTo(int port, const QByteArray& bytes) const {
    const sockaddr_in address = loopback(port);
    ::sendto(m_fd, bytes.constData(), static_cast<std::size_t>(bytes.size()), 0,
             reinterpret_cast<const sockaddr*>(&address), sizeof address);
}

std::optional<QByteArray> UdpProbe::receive(int timeoutMs) const {
    pollfd ready{m_fd, POLLIN, 0};
    if (::poll(&ready, 1, timeoutMs) <= 0) {
        return std::nullopt;
    }
    QByteArray buffer(65536, '\0');
    const ssize_t n = ::recv(m_fd, buffer.data(), static_cast<std::size_t>(buffer.size()), 0);
    if (n < 0) {
        return std::nullopt;
    }
    buffer.resize(n);
    return buffer;
}
