#pragma once

#include "core/ChatPorts.h"

namespace lirbo::net {
class TIdUDPClient;
}

namespace lirbo::app {

// The chat controller's send operation over the sender `IdUDPClient`.
class UdpDatagramSender : public core::IDatagramSender {
public:
    explicit UdpDatagramSender(net::TIdUDPClient& client) : m_client(client) {}

    void sendDatagram(const std::string& host, const std::string& bytes) override;

private:
    net::TIdUDPClient& m_client;
};

} // namespace lirbo::app
