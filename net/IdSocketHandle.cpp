#include "net/IdSocketHandle.h"

#include "net/IdExceptions.h"
#include "net/SocketErrors.h"

namespace lirbo::net {

TIdSocketHandle::~TIdSocketHandle() {
    closeSocket();
}

void TIdSocketHandle::allocateSocket() {
    closeSocket();
    SocketHandle handle = InvalidSocketHandle;
    if (SocketLibrary::createDatagramSocket(handle) != 0) {
        throw invalidSocketError();
    }
    m_handle = handle;
}

void TIdSocketHandle::setBroadcast(bool enabled) {
    if (const int error = SocketLibrary::setBroadcast(m_handle, enabled)) {
        throw EIdSocketError(error);
    }
}

void TIdSocketHandle::bind() {
    IPv4Address address = IPv4Address::any();
    if (!IP.empty()) {
        const auto parsed = IPv4Address::parse(IP);
        if (!parsed) {
            throw invalidIPAddressError(IP);
        }
        address = *parsed;
    }
    if (Port < 0 || Port > 65535) {
        throw EIdSocketError(wsa::InvalidArgument);
    }
    if (const int error = SocketLibrary::bind(m_handle, address, static_cast<std::uint16_t>(Port))) {
        if (error == wsa::AddressInUse) {
            throw couldNotBindError();
        }
        throw EIdSocketError(error);
    }
    std::uint16_t port = 0;
    if (SocketLibrary::localAddress(m_handle, address, port) == 0) {
        IP = address.toString();
        Port = port;
    }
}

void TIdSocketHandle::closeSocket() {
    if (!allocated()) {
        return;
    }
    const SocketHandle handle = m_handle;
    m_handle = InvalidSocketHandle;
    SocketLibrary::shutdownSend(handle);
    SocketLibrary::close(handle);
}

} // namespace lirbo::net
