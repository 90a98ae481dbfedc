#include "app/UdpDatagramSender.h"

#include "net/IdUDPClient.h"

namespace lirbo::app {

void UdpDatagramSender::sendDatagram(const std::string& host, const std::string& bytes) {
    m_client.Host = host;
    m_client.Send(bytes);
}

} // namespace lirbo::app
