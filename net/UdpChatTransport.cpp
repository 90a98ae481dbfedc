#include "net/UdpChatTransport.h"

#include "net/HandOver.h"

namespace lirbo::net {

UdpChatTransport::UdpChatTransport(THandOver& handOver, int listenPort, int peerPort) : m_server(handOver) {
    m_client.Port = peerPort;
    m_server.DefaultPort = listenPort;
}

UdpChatTransport::~UdpChatTransport() {
    close();
}

void UdpChatTransport::open(Receiver receive) {
    m_client.setActive(true);
    m_server.OnUDPRead = [receive = std::move(receive)](TIdUDPServer&, TByteStream& data, TIdSocketHandle& binding) {
        // The listener drops what a handler throws: nothing shows for a bad datagram.
        receive(data.readString(), binding.SenderAddress);
    };
    try {
        m_server.setActive(true);
    } catch (...) {
        m_server.OnUDPRead = nullptr;
        m_client.setActive(false);
        throw;
    }
}

void UdpChatTransport::close() {
    m_server.setActive(false);
    m_server.OnUDPRead = nullptr;
    m_client.setActive(false);
}

void UdpChatTransport::send(const std::string& address, const std::string& bytes) {
    m_client.Host = address;
    m_client.Send(bytes);
}

int UdpChatTransport::listenPort() const {
    const TIdSocketHandle* binding = m_server.currentBinding();
    return binding != nullptr ? binding->Port : 0;
}

IChatTransport::ListenerStatus UdpChatTransport::listenerStatus() const {
    ListenerStatus status;
    const TIdSocketHandle* binding = m_server.currentBinding();
    status.open = m_server.active() && binding != nullptr;
    if (status.open) {
        status.address = binding->IP.empty() ? std::string("0.0.0.0") : binding->IP;
        status.port = binding->Port;
    }
    const TIdUDPServer::Counts counts = m_server.counts();
    status.received = counts.received;
    status.tooLong = counts.tooLong;
    return status;
}

} // namespace lirbo::net
