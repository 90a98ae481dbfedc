#include "support/UdpProbe.h"

#include <stdexcept>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace lirbo::test {

namespace {

#ifdef _WIN32
using Length = int;
using Native = SOCKET;
constexpr Native kInvalid = INVALID_SOCKET;

void startSockets() {
    // Once per process; the system cleans up at exit.
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started) {
        throw std::runtime_error("cannot start the socket library");
    }
}
int waitReadable(Native socket, int timeoutMs) {
    WSAPOLLFD ready{socket, POLLRDNORM, 0};
    return WSAPoll(&ready, 1, timeoutMs);
}
void closeNative(Native socket) {
    ::closesocket(socket);
}
#else
using Length = socklen_t;
using Native = int;
constexpr Native kInvalid = -1;

void startSockets() {}
int waitReadable(Native socket, int timeoutMs) {
    pollfd ready{socket, POLLIN, 0};
    return ::poll(&ready, 1, timeoutMs);
}
void closeNative(Native socket) {
    ::close(socket);
}
#endif

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

Native native(std::uintptr_t socket) {
    return static_cast<Native>(socket);
}

} // namespace

UdpProbe::UdpProbe(int port) {
    startSockets();
    const Native socket = ::socket(AF_INET, SOCK_DGRAM, 0);
    m_socket = static_cast<std::uintptr_t>(socket);
    sockaddr_in address = loopback(port);
    if (socket == kInvalid || ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (socket != kInvalid) {
            closeNative(socket);
        }
        throw std::runtime_error("cannot bind the probe");
    }
    Length length = sizeof address;
    ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
}

UdpProbe::~UdpProbe() {
    closeNative(native(m_socket));
}

void UdpProbe::sendTo(int port, const std::string& bytes) const {
    const sockaddr_in address = loopback(port);
    ::sendto(native(m_socket), bytes.data(), static_cast<Length>(bytes.size()), 0,
             reinterpret_cast<const sockaddr*>(&address), sizeof address);
}

std::optional<std::string> UdpProbe::receive(int timeoutMs) const {
    std::string buffer(65536, '\0');
    const long got = receive(buffer.data(), buffer.size(), timeoutMs);
    if (got < 0) {
        return std::nullopt;
    }
    buffer.resize(static_cast<std::size_t>(got));
    return buffer;
}

long UdpProbe::receive(char* buffer, std::size_t size, int timeoutMs) const {
    if (timeoutMs >= 0 && waitReadable(native(m_socket), timeoutMs) <= 0) {
        return -1;
    }
    sockaddr_in from{};
    Length length = sizeof from;
    const auto got =
        ::recvfrom(native(m_socket), buffer, static_cast<Length>(size), 0, reinterpret_cast<sockaddr*>(&from), &length);
    if (got >= 0) {
        m_lastSenderPort = ntohs(from.sin_port);
    }
    return static_cast<long>(got);
}

} // namespace lirbo::test
