#include "app/UdpDatagramSender.h"

#include "net/ChatTransport.h"
#include "net/IdExceptions.h"

namespace lirbo::app {

void UdpDatagramSender::sendDatagram(const std::string& host, const std::string& bytes) {
    std::string address;
    try {
        address = m_resolver.addressOf(host, m_lookupDeadline);
    } catch (const net::EIdSocketError& error) {
        note(m_failures.failed(host, PeerFailures::Cause::Lookup, error.message()));
        throw;
    }
    try {
        m_transport.send(address, bytes);
    } catch (const core::Exception& error) {
        note(m_failures.failed(host, PeerFailures::Cause::Send, error.message()));
        throw;
    }
    note(m_failures.sent(host));
}

void UdpDatagramSender::note(bool changed) const {
    if (changed && m_changed) {
        m_changed();
    }
}

} // namespace lirbo::app
