#include "net/SocketLibrary.h"

#include "net/SocketErrors.h"
#include "net/SocketPlatform.h"

#include <cstring>
#include <mutex>

namespace lirbo::net {

namespace {

std::mutex g_usersLock;
int g_users = 0;

} // namespace

namespace platform {

sockaddr_in toSockaddr(const IPv4Address& address, std::uint16_t port) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    std::uint32_t networkOrder = 0;
    auto* raw = reinterpret_cast<std::uint8_t*>(&networkOrder);
    for (int i = 0; i < 4; ++i) {
        raw[i] = address.bytes()[static_cast<std::size_t>(i)];
    }
    sa.sin_addr.s_addr = networkOrder;
    return sa;
}

IPv4Address fromSockaddr(const sockaddr_in& sa, std::uint16_t& port) {
    port = ntohs(sa.sin_port);
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&sa.sin_addr.s_addr);
    return IPv4Address(raw[0], raw[1], raw[2], raw[3]);
}

} // namespace platform

using platform::lastError;
using platform::native;

void SocketLibrary::acquire() {
    std::lock_guard<std::mutex> lock(g_usersLock);
    if (g_users == 0) {
        startPlatform();
    }
    ++g_users;
}

void SocketLibrary::release() {
    std::lock_guard<std::mutex> lock(g_usersLock);
    if (g_users > 0) {
        --g_users;
    }
}

int SocketLibrary::users() {
    std::lock_guard<std::mutex> lock(g_usersLock);
    return g_users;
}

int SocketLibrary::setBroadcast(SocketHandle socket, bool enabled) {
    // A true value is written with all bits set.
    const int value = enabled ? -1 : 0;
    if (::setsockopt(native(socket), SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&value), sizeof value) !=
        0) {
        return lastError();
    }
    return 0;
}

int SocketLibrary::setReceiveQueueSize(SocketHandle socket, int bytes) {
    if (::setsockopt(native(socket), SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&bytes), sizeof bytes) != 0) {
        return lastError();
    }
    return 0;
}

int SocketLibrary::bind(SocketHandle socket, const IPv4Address& address, std::uint16_t port) {
    const sockaddr_in sa = platform::toSockaddr(address, port);
    if (::bind(native(socket), reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0) {
        return lastError();
    }
    return 0;
}

int SocketLibrary::localAddress(SocketHandle socket, IPv4Address& address, std::uint16_t& port) {
    sockaddr_in sa{};
    platform::AddressLength length = sizeof sa;
    if (::getsockname(native(socket), reinterpret_cast<sockaddr*>(&sa), &length) != 0) {
        return lastError();
    }
    address = platform::fromSockaddr(sa, port);
    return 0;
}

int SocketLibrary::routeFrom(const IPv4Address& address, std::uint16_t port, IPv4Address& local) {
    SocketHandle socket = InvalidSocketHandle;
    if (const int error = createDatagramSocket(socket); error != 0) {
        return error;
    }
    // Connecting a datagram socket only picks its route and local address: nothing is sent.
    const sockaddr_in sa = platform::toSockaddr(address, port);
    int error = 0;
    if (::connect(native(socket), reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0) {
        error = lastError();
    } else {
        std::uint16_t localPort = 0;
        error = localAddress(socket, local, localPort);
    }
    close(socket);
    return error;
}

int SocketLibrary::sendTo(SocketHandle socket, const char* data, std::size_t size, const IPv4Address& address,
                          std::uint16_t port, std::size_t& sent) {
    const sockaddr_in sa = platform::toSockaddr(address, port);
    for (;;) {
        const auto n = ::sendto(native(socket), data, static_cast<platform::IoSize>(size), 0,
                                reinterpret_cast<const sockaddr*>(&sa), sizeof sa);
        if (n >= 0) {
            sent = static_cast<std::size_t>(n);
            return 0;
        }
        const int error = lastError();
        if (error != wsa::Interrupted) {
            sent = 0;
            return error;
        }
    }
}

int SocketLibrary::lookupHost(const std::string& name, IPv4Address& address) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* result = nullptr;
    const int status = ::getaddrinfo(name.c_str(), nullptr, &hints, &result);
    if (status != 0) {
        return platform::lookupError(status);
    }
    int error = wsa::HostNotFound;
    for (const addrinfo* entry = result; entry != nullptr; entry = entry->ai_next) {
        if (entry->ai_family == AF_INET && entry->ai_addr != nullptr) {
            sockaddr_in sa{};
            std::memcpy(&sa, entry->ai_addr, sizeof sa);
            std::uint16_t ignored = 0;
            address = platform::fromSockaddr(sa, ignored);
            error = 0;
            break;
        }
    }
    ::freeaddrinfo(result);
    return error;
}

int SocketLibrary::hostName(std::string& name) {
    char buffer[256] = {};
    if (::gethostname(buffer, sizeof buffer - 1) != 0) {
        return lastError();
    }
    name = buffer;
    return 0;
}

} // namespace lirbo::net
