#pragma once

#include "net/SocketLibrary.h"

#include <string>

namespace lirbo::net {

// A binding: one datagram socket with its local address and the sender of its latest datagram.
class TIdSocketHandle {
public:
    TIdSocketHandle() = default;
    ~TIdSocketHandle();
    TIdSocketHandle(const TIdSocketHandle&) = delete;
    TIdSocketHandle& operator=(const TIdSocketHandle&) = delete;

    std::string IP; // local address to bind to; empty: every local address
    int Port = 0;   // local port; refreshed from the socket after binding
    std::string SenderAddress;
    int SenderPort = 0;

    SocketHandle handle() const { return m_handle; }
    bool allocated() const { return m_handle != InvalidSocketHandle; }

    // Creates the IPv4 datagram socket (closing one held before). Throws EIdInvalidSocket.
    void allocateSocket();
    // Writes the broadcast option. Throws EIdSocketError.
    void setBroadcast(bool enabled);
    // Binds to IP and Port and reads the actual local address back into them. Throws
    // EIdCouldNotBindSocket when the address and port are in use, else EIdSocketError.
    void bind();
    // Shuts the socket down for sending and closes it; the results are ignored.
    void closeSocket();

private:
    SocketHandle m_handle = InvalidSocketHandle;
};

} // namespace lirbo::net
