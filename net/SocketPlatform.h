#pragma once

#include "net/IPv4Address.h"
#include "net/SocketLibrary.h"

#include <cstddef>
#include <cstdint>

// The platform's socket headers and types, for the SocketLibrary files alone: the shared part in
// SocketLibrary.cpp and one platform part, SocketLibraryPosix.cpp or SocketLibraryWin32.cpp.
#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace lirbo::net::platform {

#ifdef _WIN32
using Socket = SOCKET;
using AddressLength = int;
using IoSize = int;
#else
using Socket = int;
using AddressLength = socklen_t;
using IoSize = std::size_t;
#endif

inline Socket native(SocketHandle socket) {
    return static_cast<Socket>(socket);
}

// The error of the latest failed socket call, as a Windows Sockets number.
int lastError();
// A failed getaddrinfo's status as a Windows Sockets number.
int lookupError(int status);

sockaddr_in toSockaddr(const IPv4Address& address, std::uint16_t port);
IPv4Address fromSockaddr(const sockaddr_in& sa, std::uint16_t& port);

} // namespace lirbo::net::platform
