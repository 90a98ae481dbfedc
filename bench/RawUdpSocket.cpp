#include "RawUdpSocket.h"

#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lirbo::bench {

namespace {

[[noreturn]] void fail(const char* what) {
    std::perror(what);
    std::abort();
}

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

} // namespace

RawUdpSocket::RawUdpSocket() {
    m_fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (m_fd < 0) {
        fail("socket");
    }
    sockaddr_in address = loopback(0);
    if (::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        fail("bind");
    }
    socklen_t length = sizeof address;
    ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
}

RawUdpSocket::~RawUdpSocket() {
    ::close(m_fd);
}

void RawUdpSocket::sendTo(int port, const std::string& bytes) const {
    const sockaddr_in address = loopback(port);
    // A full socket buffer on loopback drops the datagram, as a network would; that is measured.
    ::sendto(m_fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&address), sizeof address);
}

long RawUdpSocket::receive(char* buffer, std::size_t size, int timeoutMs) const {
    pollfd ready{m_fd, POLLIN, 0};
    if (timeoutMs >= 0 && ::poll(&ready, 1, timeoutMs) <= 0) {
        return -1;
    }
    sockaddr_in from{};
    socklen_t length = sizeof from;
    const ssize_t got = ::recvfrom(m_fd, buffer, size, 0, reinterpret_cast<sockaddr*>(&from), &length);
    if (got >= 0) {
        m_lastSenderPort = ntohs(from.sin_port);
    }
    return static_cast<long>(got);
}

} // namespace lirbo::bench
