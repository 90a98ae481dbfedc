#pragma once

#include "net/IPv4Address.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lirbo::net {

// A platform socket: an int descriptor on POSIX, a SOCKET on Windows. All bits set is invalid.
using SocketHandle = std::uintptr_t;
constexpr SocketHandle InvalidSocketHandle = ~SocketHandle{0};

// The process-wide socket library: the one place that talks to the platform's sockets (BSD
// sockets, or Winsock 2 under Windows). Every endpoint object holds it while it lives; the first
// acquire starts the platform library (Windows: WSAStartup 2.2, once per process) and the library
// is cleaned up at process exit. Operations return 0 or a Windows Sockets error number.
class SocketLibrary {
public:
    // Counted use by endpoint objects. acquire throws EIdStackInitializationFailed when the
    // platform library cannot be started.
    static void acquire();
    static void release();
    static int users();

    static int createDatagramSocket(SocketHandle& socket);
    static int setBroadcast(SocketHandle socket, bool enabled);
    static int bind(SocketHandle socket, const IPv4Address& address, std::uint16_t port);
    static int localAddress(SocketHandle socket, IPv4Address& address, std::uint16_t& port);
    // The local address the system would send from to reach `address`, `port`: a datagram socket
    // connected there and asked for its name, then closed. Nothing is sent. 0 or the error
    // (network unreachable 10051, host unreachable 10065).
    static int routeFrom(const IPv4Address& address, std::uint16_t port, IPv4Address& local);
    static int sendTo(SocketHandle socket, const char* data, std::size_t size, const IPv4Address& address,
                      std::uint16_t port, std::size_t& sent);
    // Receives one datagram. One longer than `capacity` is consumed and reported as message too
    // long (10040), never delivered cut.
    static int receiveFrom(SocketHandle socket, char* buffer, std::size_t capacity, std::size_t& received,
                           IPv4Address& from, std::uint16_t& fromPort);
    // Asks the system to queue up to `bytes` of received datagrams (it may grant less).
    static int setReceiveQueueSize(SocketHandle socket, int bytes);
    // Makes receives on the socket return at once: with WouldBlock (10035) when nothing waits.
    static int setNonBlocking(SocketHandle socket);
    // Shuts the sending side down, as a socket is closed; the result is ignored.
    static void shutdownSend(SocketHandle socket);
    // Makes a wait on the socket in another thread return at once (the socket stays usable for
    // closing only).
    static void wakeWaiters(SocketHandle socket);
    static void close(SocketHandle socket);
    // Waits up to `timeoutMs` until one of `sockets` can be read; `ready` gets those that can, in
    // the order given (errors and hang-ups count as readable, so the receive reports them).
    static int waitReadable(const std::vector<SocketHandle>& sockets, int timeoutMs, std::vector<SocketHandle>& ready);

    // The first IPv4 address of a host name, looked up every time. Host not found is 11001.
    static int lookupHost(const std::string& name, IPv4Address& address);
    // This machine's host name.
    static int hostName(std::string& name);

    // Maps a platform error number (errno on POSIX) onto the Windows Sockets number of the error
    // with the same name; numbers without a counterpart are returned unchanged.
    static int errorFromPlatform(int platformError);
    // Maps a host-name lookup failure (getaddrinfo's code, with errno for a system error).
    static int errorFromLookup(int lookupError, int platformError);

private:
    static void startPlatform();
};

} // namespace lirbo::net
