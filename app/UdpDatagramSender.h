#pragma once

#include "app/ConnectionCheck.h"
#include "app/PeerFailures.h"
#include "core/ChatPorts.h"

#include <functional>

namespace lirbo::net {
class TIdUDPClient;
}

namespace lirbo::app {

// The chat controller's send operation over the sender `IdUDPClient`. Each send's outcome marks
// or clears its entry in `failures`; `changed` is told when a row reads differently.
class UdpDatagramSender : public core::IDatagramSender {
public:
    UdpDatagramSender(net::TIdUDPClient& client, PeerFailures& failures, std::function<void()> changed)
        : m_client(client), m_failures(failures), m_changed(std::move(changed)) {}

    void sendDatagram(const std::string& host, const std::string& bytes) override;
    // Also tells `check` (not owned; nullptr: nothing) of each send's outcome and address.
    void setConnectionCheck(ConnectionCheck* check) { m_check = check; }

private:
    void note(bool changed) const;

    net::TIdUDPClient& m_client;
    PeerFailures& m_failures;
    std::function<void()> m_changed;
    ConnectionCheck* m_check = nullptr;
};

} // namespace lirbo::app
