#pragma once

#include "net/HostResolver.h"
#include "net/IdUDPBase.h"

#include <string>

namespace lirbo::net {

// The sender: one unbound datagram socket; each Send is one datagram to Host, Port.
class TIdUDPClient : public TIdUDPBase {
public:
    TIdUDPClient();
    ~TIdUDPClient() override;

    // "LOCALHOST" in any letter case, an IPv4 address in one of its four forms, or a host name
    // (looked up at every send, or by the resolver). Empty: this machine's own address.
    std::string Host;
    int Port = 8800;

    // Sends exactly the bytes of `text` as one datagram (an empty text sends 0 bytes).
    // Throws EIdSocketError, EIdPackageSizeTooBig or EIdNotAllBytesSent.
    void Send(const std::string& text);

    void setActive(bool active) override;
    bool active() const override;

    // Names go to `resolver` (not owned; nullptr: looked up on the calling thread at every send).
    void setResolver(HostResolver* resolver) { m_resolver = resolver; }
    // Until when a send may wait for a name's first answer from the resolver (none by default).
    void setLookupDeadline(HostResolver::TimePoint deadline) { m_lookupDeadline = deadline; }

    // The address that `host` denotes, as Send resolves it: an address form unchanged, else the
    // dotted answer. Throws EIdSocketError when the lookup fails or, with a resolver, has not
    // answered in time (11002).
    std::string resolve(const std::string& host) const;
    // The same with a lookup on the calling thread.
    static std::string resolveHost(const std::string& host);

private:
    void open();

    HostResolver* m_resolver = nullptr;
    HostResolver::TimePoint m_lookupDeadline;
};

} // namespace lirbo::net
