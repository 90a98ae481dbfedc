#include "net/IdUDPClient.h"

#include "net/HostLookup.h"
#include "net/IdExceptions.h"
#include "net/SocketErrors.h"
#include "net/SocketLibrary.h"

namespace lirbo::net {

TIdUDPClient::TIdUDPClient() = default;

TIdUDPClient::~TIdUDPClient() {
    setActive(false);
}

std::string TIdUDPClient::resolveHost(const std::string& host) {
    if (auto address = addressWithoutLookup(host)) {
        return *address;
    }
    IPv4Address address;
    if (const int error = SystemHostLookup().lookup(host, address)) {
        throw EIdSocketError(error);
    }
    return address.toString();
}

void TIdUDPClient::Send(const std::string& text) {
    const std::string resolved = resolveHost(Host);
    if (!m_binding) {
        open();
    }
    const auto address = IPv4Address::parse(resolved);
    if (!address) {
        throw invalidIPAddressError(resolved);
    }
    if (Port < 0 || Port > 65535) {
        throw EIdSocketError(wsa::InvalidArgument);
    }
    std::size_t sent = 0;
    const int error = SocketLibrary::sendTo(m_binding->handle(), text.data(), text.size(), *address,
                                            static_cast<std::uint16_t>(Port), sent);
    if (error == wsa::MessageTooLong) {
        throw packageSizeTooBigError();
    }
    if (error != 0) {
        throw EIdSocketError(error);
    }
    if (sent != text.size()) {
        throw notAllBytesSentError();
    }
}

void TIdUDPClient::setActive(bool active) {
    if (active == this->active()) {
        return;
    }
    if (active) {
        open();
    } else {
        m_binding.reset();
    }
}

void TIdUDPClient::open() {
    // Never bound: the system picks the local port and address at the first send.
    auto binding = std::make_unique<TIdSocketHandle>();
    binding->allocateSocket();
    binding->setBroadcast(false); // the chat never broadcasts: such a send is refused
    m_binding = std::move(binding);
}

bool TIdUDPClient::active() const {
    return m_binding != nullptr;
}

} // namespace lirbo::net
