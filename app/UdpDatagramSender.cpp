#include "app/UdpDatagramSender.h"

#include "net/IdExceptions.h"
#include "net/IdUDPClient.h"

namespace lirbo::app {

void UdpDatagramSender::sendDatagram(const std::string& host, const std::string& bytes) {
    try {
        m_client.Host = m_client.resolve(host);
    } catch (const net::EIdSocketError& error) {
        note(m_failures.failed(host, PeerFailures::Cause::Lookup, error.message()));
        throw;
    }
    try {
        m_client.Send(bytes);
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
