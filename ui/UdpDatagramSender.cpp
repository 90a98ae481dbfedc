#include "ui/UdpDatagramSender.h"

#include "net/IdUDPClient.h"

namespace lirbo::ui {

void UdpDatagramSender::sendDatagram(const std::string& host, const std::string& bytes) {
    m_client.Host = host;
    m_client.Send(bytes);
}

} // namespace lirbo::ui
