#pragma once

#include "app/ConnectionCheck.h"
#include "app/PeerFailures.h"
#include "core/ChatPorts.h"
#include "net/HostResolver.h"

#include <functional>

namespace lirbo::net {
class IChatTransport;
}

namespace lirbo::app {

// The chat controller's send operation: the host's address from `resolver`, then one datagram
// through `transport`. Each send's outcome marks or clears its entry in `failures`; `changed` is
// told when a row reads differently.
class UdpDatagramSender : public core::IDatagramSender {
public:
    UdpDatagramSender(net::IChatTransport& transport, net::HostResolver& resolver, PeerFailures& failures,
                      std::function<void()> changed)
        : m_transport(transport), m_resolver(resolver), m_failures(failures), m_changed(std::move(changed)) {}

    void sendDatagram(const std::string& host, const std::string& bytes) override;
    // Also tells `check` (not owned; nullptr: nothing) of each send's outcome and address.
    void setConnectionCheck(ConnectionCheck* check) { m_check = check; }
    // Until when a send may wait for a name's first answer (none by default).
    void setLookupDeadline(net::HostResolver::TimePoint deadline) { m_lookupDeadline = deadline; }

private:
    void note(bool changed) const;

    net::IChatTransport& m_transport;
    net::HostResolver& m_resolver;
    PeerFailures& m_failures;
    std::function<void()> m_changed;
    ConnectionCheck* m_check = nullptr;
    net::HostResolver::TimePoint m_lookupDeadline;
};

} // namespace lirbo::app
