#include "app/UdpDatagramSender.h"

#include "net/ChatTransport.h"
#include "net/IPv4Address.h"
#include "net/IdExceptions.h"

namespace lirbo::app {

void UdpDatagramSender::sendDatagram(const std::string& host, const std::string& bytes) {
    std::string address;
    try {
        address = m_resolver.addressOf(host, m_lookupDeadline);
    } catch (const net::EIdSocketError& error) {
        if (m_check != nullptr) {
            m_check->sent(host, "", error.lastError(), error.message());
        }
        note(m_failures.failed(host, PeerFailures::Cause::Lookup, error.message()));
        throw;
    }
    // The check keeps dotted addresses, whatever form the entry was typed in.
    const auto parsed = net::IPv4Address::parse(address);
    const std::string dotted = parsed ? parsed->toString() : address;
    try {
        m_transport.send(address, bytes);
    } catch (const core::Exception& error) {
        if (m_check != nullptr) {
            const auto* socketError = dynamic_cast<const net::EIdSocketError*>(&error);
            m_check->sent(host, dotted, socketError != nullptr ? socketError->lastError() : -1, error.message());
        }
        note(m_failures.failed(host, PeerFailures::Cause::Send, error.message()));
        throw;
    }
    if (m_check != nullptr) {
        m_check->sent(host, dotted, 0, "");
    }
    note(m_failures.sent(host));
}

void UdpDatagramSender::note(bool changed) const {
    if (changed && m_changed) {
        m_changed();
    }
}

} // namespace lirbo::app
