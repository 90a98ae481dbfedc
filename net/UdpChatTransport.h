#pragma once

#include "net/ChatTransport.h"
#include "net/IdUDPClient.h"
#include "net/IdUDPServer.h"

namespace lirbo::net {

class THandOver;

// The chat's transport over UDP: the sender and the listener, whose thread hands every datagram to
// the main thread through `handOver`. The program listens and sends on port 8800; tests pass other
// ports (0 lets the system choose where to listen).
class UdpChatTransport : public IChatTransport {
public:
    static constexpr int kChatPort = 8800;

    explicit UdpChatTransport(THandOver& handOver, int listenPort = kChatPort, int peerPort = kChatPort);
    ~UdpChatTransport() override;
    UdpChatTransport(const UdpChatTransport&) = delete;
    UdpChatTransport& operator=(const UdpChatTransport&) = delete;

    void open(Receiver receive) override;
    void close() override;
    void send(const std::string& address, const std::string& bytes) override;
    int listenPort() const override;
    ListenerStatus listenerStatus() const override;

private:
    TIdUDPClient m_client;
    TIdUDPServer m_server;
};

} // namespace lirbo::net
