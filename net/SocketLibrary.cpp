#include "net/SocketLibrary.h"

#include "net/IdExceptions.h"
#include "net/SocketErrors.h"

#include <cstring>
#include <mutex>

#ifdef _WIN32
#include <cstdlib>
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace lirbo::net {

namespace {

std::mutex g_usersLock;
int g_users = 0;

#ifdef _WIN32
using PlatformSocket = SOCKET;
using AddressLength = int;
using IoSize = int;
#else
using PlatformSocket = int;
using AddressLength = socklen_t;
using IoSize = std::size_t;
#endif

PlatformSocket platformSocket(SocketHandle socket) {
    return static_cast<PlatformSocket>(socket);
}

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

#ifdef _WIN32

bool g_started = false;

int lastError() {
    return WSAGetLastError();
}

void cleanUpAtExit() {
    if (g_started) {
        WSACleanup();
        g_started = false;
    }
}

#else

int lastError() {
    return SocketLibrary::errorFromPlatform(errno);
}

struct ErrnoMapping {
    int platform;
    int wsa;
};

// Each error maps onto the Windows Sockets number of the same name (10000 plus the classic BSD
// number); EPERM and ENOMEM have no such name and take the nearest.
const ErrnoMapping kErrnoMappings[] = {
    {EINTR, 10004},
    {EBADF, 10009},
    {EACCES, 10013},
    {EFAULT, 10014},
    {EINVAL, 10022},
    {EMFILE, 10024},
    {EWOULDBLOCK, 10035},
    {EAGAIN, 10035},
    {EINPROGRESS, 10036},
    {EALREADY, 10037},
    {ENOTSOCK, 10038},
    {EDESTADDRREQ, 10039},
    {EMSGSIZE, 10040},
    {EPROTOTYPE, 10041},
    {ENOPROTOOPT, 10042},
    {EPROTONOSUPPORT, 10043},
    {ESOCKTNOSUPPORT, 10044},
    {EOPNOTSUPP, 10045},
    {EPFNOSUPPORT, 10046},
    {EAFNOSUPPORT, 10047},
    {EADDRINUSE, 10048},
    {EADDRNOTAVAIL, 10049},
    {ENETDOWN, 10050},
    {ENETUNREACH, 10051},
    {ENETRESET, 10052},
    {ECONNABORTED, 10053},
    {ECONNRESET, 10054},
    {ENOBUFS, 10055},
    {EISCONN, 10056},
    {ENOTCONN, 10057},
    {ESHUTDOWN, 10058},
    {ETOOMANYREFS, 10059},
    {ETIMEDOUT, 10060},
    {ECONNREFUSED, 10061},
    {ELOOP, 10062},
    {ENAMETOOLONG, 10063},
    {EHOSTDOWN, 10064},
    {EHOSTUNREACH, 10065},
    {ENOTEMPTY, 10066},
    {EPERM, wsa::AccessDenied},
    {ENOMEM, wsa::NoBufferSpace},
};

#endif

} // namespace

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

int SocketLibrary::createDatagramSocket(SocketHandle& socket) {
    const PlatformSocket s = ::socket(AF_INET, SOCK_DGRAM, 0);
#ifdef _WIN32
    if (s == INVALID_SOCKET) {
        socket = InvalidSocketHandle;
        return lastError();
    }
#else
    if (s < 0) {
        socket = InvalidSocketHandle;
        return lastError();
    }
    // Keep the socket out of programs this process starts.
    ::fcntl(s, F_SETFD, FD_CLOEXEC);
#endif
    socket = static_cast<SocketHandle>(s);
    return 0;
}

int SocketLibrary::setBroadcast(SocketHandle socket, bool enabled) {
    // A true value is written with all bits set.
    const int value = enabled ? -1 : 0;
    if (::setsockopt(platformSocket(socket), SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&value),
                     sizeof value) != 0) {
        return lastError();
    }
    return 0;
}

int SocketLibrary::bind(SocketHandle socket, const IPv4Address& address, std::uint16_t port) {
    const sockaddr_in sa = toSockaddr(address, port);
    if (::bind(platformSocket(socket), reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0) {
        return lastError();
    }
    return 0;
}

int SocketLibrary::localAddress(SocketHandle socket, IPv4Address& address, std::uint16_t& port) {
    sockaddr_in sa{};
    AddressLength length = sizeof sa;
    if (::getsockname(platformSocket(socket), reinterpret_cast<sockaddr*>(&sa), &length) != 0) {
        return lastError();
    }
    address = fromSockaddr(sa, port);
    return 0;
}

int SocketLibrary::sendTo(SocketHandle socket, const char* data, std::size_t size, const IPv4Address& address,
                          std::uint16_t port, std::size_t& sent) {
    const sockaddr_in sa = toSockaddr(address, port);
    for (;;) {
        const auto n = ::sendto(platformSocket(socket), data, static_cast<IoSize>(size), 0,
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

int SocketLibrary::receiveFrom(SocketHandle socket, char* buffer, std::size_t capacity, std::size_t& received,
                               IPv4Address& from, std::uint16_t& fromPort) {
    sockaddr_in sa{};
    received = 0;
#ifdef _WIN32
    // Winsock reports a datagram longer than the buffer as WSAEMSGSIZE by itself.
    int length = sizeof sa;
    const int n = ::recvfrom(platformSocket(socket), buffer, static_cast<int>(capacity), 0,
                             reinterpret_cast<sockaddr*>(&sa), &length);
    if (n == SOCKET_ERROR) {
        return lastError();
    }
#else
    // recvmsg sets MSG_TRUNC when the datagram did not fit: it is dropped whole.
    iovec io{buffer, capacity};
    msghdr message{};
    message.msg_name = &sa;
    message.msg_namelen = sizeof sa;
    message.msg_iov = &io;
    message.msg_iovlen = 1;
    const ssize_t n = ::recvmsg(platformSocket(socket), &message, 0);
    if (n < 0) {
        return lastError();
    }
    if ((message.msg_flags & MSG_TRUNC) != 0) {
        return wsa::MessageTooLong;
    }
#endif
    received = static_cast<std::size_t>(n);
    from = fromSockaddr(sa, fromPort);
    return 0;
}

void SocketLibrary::shutdownSend(SocketHandle socket) {
#ifdef _WIN32
    ::shutdown(platformSocket(socket), SD_SEND);
#else
    ::shutdown(platformSocket(socket), SHUT_WR);
#endif
}

void SocketLibrary::wakeWaiters(SocketHandle socket) {
#ifdef _WIN32
    // select on Windows does not notice a shutdown of an unconnected datagram socket, so an empty
    // datagram to the socket's own address makes it readable.
    IPv4Address address;
    std::uint16_t port = 0;
    if (localAddress(socket, address, port) != 0) {
        return;
    }
    if (address == IPv4Address::any()) {
        address = IPv4Address::loopback();
    }
    SocketHandle waker = InvalidSocketHandle;
    if (createDatagramSocket(waker) != 0) {
        return;
    }
    std::size_t sent = 0;
    sendTo(waker, "", 0, address, port, sent);
    close(waker);
#else
    // Shutting down the receiving side wakes a poll on it at once, also for an unconnected
    // datagram socket (the call itself reports "not connected", which does not matter).
    ::shutdown(platformSocket(socket), SHUT_RDWR);
#endif
}

void SocketLibrary::close(SocketHandle socket) {
#ifdef _WIN32
    ::closesocket(platformSocket(socket));
#else
    ::close(platformSocket(socket));
#endif
}

int SocketLibrary::waitReadable(const std::vector<SocketHandle>& sockets, int timeoutMs,
                                std::vector<SocketHandle>& ready) {
    ready.clear();
#ifdef _WIN32
    fd_set readSet;
    FD_ZERO(&readSet);
    for (SocketHandle s : sockets) {
        FD_SET(platformSocket(s), &readSet);
    }
    timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    if (::select(0, &readSet, nullptr, nullptr, &timeout) == SOCKET_ERROR) {
        return lastError();
    }
    for (SocketHandle s : sockets) {
        if (FD_ISSET(platformSocket(s), &readSet)) {
            ready.push_back(s);
        }
    }
#else
    std::vector<pollfd> fds;
    fds.reserve(sockets.size());
    for (SocketHandle s : sockets) {
        fds.push_back(pollfd{platformSocket(s), POLLIN, 0});
    }
    if (::poll(fds.data(), fds.size(), timeoutMs) < 0) {
        return lastError();
    }
    for (std::size_t i = 0; i < fds.size(); ++i) {
        if ((fds[i].revents & (POLLIN | POLLERR | POLLHUP | POLLNVAL)) != 0) {
            ready.push_back(sockets[i]);
        }
    }
#endif
    return 0;
}

int SocketLibrary::lookupHost(const std::string& name, IPv4Address& address) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* result = nullptr;
    const int status = ::getaddrinfo(name.c_str(), nullptr, &hints, &result);
    if (status != 0) {
#ifdef _WIN32
        return errorFromLookup(status, status);
#else
        return errorFromLookup(status, errno);
#endif
    }
    int error = wsa::HostNotFound;
    for (const addrinfo* entry = result; entry != nullptr; entry = entry->ai_next) {
        if (entry->ai_family == AF_INET && entry->ai_addr != nullptr) {
            sockaddr_in sa{};
            std::memcpy(&sa, entry->ai_addr, sizeof sa);
            std::uint16_t ignored = 0;
            address = fromSockaddr(sa, ignored);
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

#ifdef _WIN32

int SocketLibrary::errorFromPlatform(int platformError) {
    return platformError;
}

// getaddrinfo reports Windows Sockets numbers already (host not found is WSAHOST_NOT_FOUND).
int SocketLibrary::errorFromLookup(int lookupError, int /*platformError*/) {
    return lookupError;
}

void SocketLibrary::startPlatform() {
    if (g_started) {
        return;
    }
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        throw stackInitializationError();
    }
    g_started = true;
    std::atexit(cleanUpAtExit);
}

#else

int SocketLibrary::errorFromPlatform(int platformError) {
    for (const ErrnoMapping& mapping : kErrnoMappings) {
        if (mapping.platform == platformError) {
            return mapping.wsa;
        }
    }
    return platformError;
}

int SocketLibrary::errorFromLookup(int lookupError, int platformError) {
    switch (lookupError) {
    case EAI_NONAME:
#ifdef EAI_NODATA
    case EAI_NODATA:
#endif
#ifdef EAI_ADDRFAMILY
    case EAI_ADDRFAMILY:
#endif
        return wsa::HostNotFound;
    case EAI_AGAIN:
        return wsa::TryAgain;
    case EAI_FAIL:
        return wsa::NoRecovery;
    case EAI_MEMORY:
        return wsa::NoBufferSpace;
    case EAI_FAMILY:
        return wsa::AddressFamilyNotSupported;
    case EAI_SOCKTYPE:
        return wsa::SocketTypeNotSupported;
    case EAI_SERVICE:
        return wsa::TypeNotFound;
    case EAI_BADFLAGS:
        return wsa::InvalidArgument;
    case EAI_SYSTEM:
        return errorFromPlatform(platformError);
    default:
        return wsa::NoRecovery;
    }
}

// Nothing to start on POSIX.
void SocketLibrary::startPlatform() {}

#endif

} // namespace lirbo::net
