#include "net/IdUDPClient.h"

#include "net/IdExceptions.h"
#include "net/SocketErrors.h"
#include "net/SocketLibrary.h"

namespace lirbo::net {

namespace {

bool isLocalhost(const std::string& host) {
    static const char kName[] = "LOCALHOST";
    if (host.size() != sizeof kName - 1) {
        return false;
    }
    for (std::size_t i = 0; i < host.size(); ++i) {
        char c = host[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        if (c != kName[i]) {
            return false;
        }
    }
    return true;
}

// An empty name stands for this machine, as the Windows lookup answers it: the first IPv4
// address of the host name, else the loopback address. Sending to it never fails for the name.
IPv4Address ownAddress() {
    std::string name;
    IPv4Address address;
    if (SocketLibrary::hostName(name) == 0 && !name.empty() && SocketLibrary::lookupHost(name, address) == 0) {
        return address;
    }
    return IPv4Address::loopback();
}

} // namespace

TIdUDPClient::TIdUDPClient() = default;

TIdUDPClient::~TIdUDPClient() {
    setActive(false);
}

std::string TIdUDPClient::resolveHost(const std::string& host) {
    if (isLocalhost(host)) {
        return "127.0.0.1";
    }
    if (IPv4Address::parse(host)) {
        return host;
    }
    if (host.empty()) {
        return ownAddress().toString();
    }
    IPv4Address address;
    if (const int error = SocketLibrary::lookupHost(host, address)) {
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
    if (storePendingActivation(active) || active == this->active()) {
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
    binding->setBroadcast(BroadcastEnabled);
    m_binding = std::move(binding);
}

bool TIdUDPClient::active() const {
    return m_binding != nullptr;
}

} // namespace lirbo::net
