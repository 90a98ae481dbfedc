#include "net/SocketErrors.h"
#include "net/SocketLibrary.h"
#include "net/SocketPlatform.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

// The POSIX half of the socket library: BSD sockets, errno mapped onto Windows Sockets numbers.
namespace lirbo::net {

namespace {

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

} // namespace

namespace platform {

int lastError() {
    return SocketLibrary::errorFromPlatform(errno);
}

int lookupError(int status) {
    return SocketLibrary::errorFromLookup(status, errno);
}

} // namespace platform

using platform::fromSockaddr;
using platform::lastError;
using platform::native;

int SocketLibrary::createDatagramSocket(SocketHandle& socket) {
    const platform::Socket s = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (s < 0) {
        socket = InvalidSocketHandle;
        return lastError();
    }
    // Keep the socket out of programs this process starts.
    ::fcntl(s, F_SETFD, FD_CLOEXEC);
    socket = static_cast<SocketHandle>(s);
    return 0;
}

int SocketLibrary::receiveFrom(SocketHandle socket, char* buffer, std::size_t capacity, std::size_t& received,
                               IPv4Address& from, std::uint16_t& fromPort) {
    sockaddr_in sa{};
    received = 0;
    // recvmsg sets MSG_TRUNC when the datagram did not fit: it is dropped whole.
    iovec io{buffer, capacity};
    msghdr message{};
    message.msg_name = &sa;
    message.msg_namelen = sizeof sa;
    message.msg_iov = &io;
    message.msg_iovlen = 1;
    const ssize_t n = ::recvmsg(native(socket), &message, 0);
    if (n < 0) {
        return lastError();
    }
    if ((message.msg_flags & MSG_TRUNC) != 0) {
        return wsa::MessageTooLong;
    }
    received = static_cast<std::size_t>(n);
    from = fromSockaddr(sa, fromPort);
    return 0;
}

int SocketLibrary::setNonBlocking(SocketHandle socket) {
    const int flags = ::fcntl(native(socket), F_GETFL);
    if (flags < 0 || ::fcntl(native(socket), F_SETFL, flags | O_NONBLOCK) < 0) {
        return lastError();
    }
    return 0;
}

void SocketLibrary::shutdownSend(SocketHandle socket) {
    ::shutdown(native(socket), SHUT_WR);
}

void SocketLibrary::wakeWaiters(SocketHandle socket) {
    // Shutting down the receiving side wakes a poll on it at once, also for an unconnected
    // datagram socket (the call itself reports "not connected", which does not matter).
    ::shutdown(native(socket), SHUT_RDWR);
}

void SocketLibrary::close(SocketHandle socket) {
    ::close(native(socket));
}

int SocketLibrary::waitReadable(const std::vector<SocketHandle>& sockets, int timeoutMs,
                                std::vector<SocketHandle>& ready) {
    ready.clear();
    std::vector<pollfd> fds;
    fds.reserve(sockets.size());
    for (SocketHandle s : sockets) {
        fds.push_back(pollfd{native(s), POLLIN, 0});
    }
    if (::poll(fds.data(), fds.size(), timeoutMs) < 0) {
        return lastError();
    }
    for (std::size_t i = 0; i < fds.size(); ++i) {
        if ((fds[i].revents & (POLLIN | POLLERR | POLLHUP | POLLNVAL)) != 0) {
            ready.push_back(sockets[i]);
        }
    }
    return 0;
}

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

} // namespace lirbo::net
