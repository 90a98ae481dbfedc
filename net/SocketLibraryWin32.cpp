#include "net/IdExceptions.h"
#include "net/SocketErrors.h"
#include "net/SocketLibrary.h"
#include "net/SocketPlatform.h"

#include <cstdlib>

// The Windows half of the socket library: Winsock 2, whose error numbers are already the ones used.
namespace lirbo::net {

namespace {

bool g_started = false;

void cleanUpAtExit() {
    if (g_started) {
        WSACleanup();
        g_started = false;
    }
}

} // namespace

namespace platform {

int lastError() {
    return WSAGetLastError();
}

int lookupError(int status) {
    return SocketLibrary::errorFromLookup(status, status);
}

} // namespace platform

using platform::fromSockaddr;
using platform::lastError;
using platform::native;

int SocketLibrary::createDatagramSocket(SocketHandle& socket) {
    const platform::Socket s = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (s == INVALID_SOCKET) {
        socket = InvalidSocketHandle;
        return lastError();
    }
    socket = static_cast<SocketHandle>(s);
    return 0;
}

int SocketLibrary::receiveFrom(SocketHandle socket, char* buffer, std::size_t capacity, std::size_t& received,
                               IPv4Address& from, std::uint16_t& fromPort) {
    sockaddr_in sa{};
    received = 0;
    // Winsock reports a datagram longer than the buffer as WSAEMSGSIZE by itself.
    int length = sizeof sa;
    const int n =
        ::recvfrom(native(socket), buffer, static_cast<int>(capacity), 0, reinterpret_cast<sockaddr*>(&sa), &length);
    if (n == SOCKET_ERROR) {
        return lastError();
    }
    received = static_cast<std::size_t>(n);
    from = fromSockaddr(sa, fromPort);
    return 0;
}

int SocketLibrary::setNonBlocking(SocketHandle socket) {
    u_long enabled = 1;
    if (::ioctlsocket(native(socket), FIONBIO, &enabled) == SOCKET_ERROR) {
        return lastError();
    }
    return 0;
}

void SocketLibrary::shutdownSend(SocketHandle socket) {
    ::shutdown(native(socket), SD_SEND);
}

void SocketLibrary::wakeWaiters(SocketHandle socket) {
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
}

void SocketLibrary::close(SocketHandle socket) {
    ::closesocket(native(socket));
}

int SocketLibrary::waitReadable(const std::vector<SocketHandle>& sockets, int timeoutMs,
                                std::vector<SocketHandle>& ready) {
    ready.clear();
    fd_set readSet;
    FD_ZERO(&readSet);
    for (SocketHandle s : sockets) {
        FD_SET(native(s), &readSet);
    }
    timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    if (::select(0, &readSet, nullptr, nullptr, &timeout) == SOCKET_ERROR) {
        return lastError();
    }
    for (SocketHandle s : sockets) {
        if (FD_ISSET(native(s), &readSet)) {
            ready.push_back(s);
        }
    }
    return 0;
}

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

} // namespace lirbo::net
