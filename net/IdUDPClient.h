#pragma once

#include "net/IdUDPBase.h"

#include <string>

namespace lirbo::net {

// The sender: one unbound datagram socket; each Send is one datagram to Host, Port.
class TIdUDPClient : public TIdUDPBase {
public:
    TIdUDPClient();
    ~TIdUDPClient() override;

    // "LOCALHOST" in any letter case, an IPv4 address in one of its four forms, or a host name
    // (looked up at every send). Empty: this machine's own address.
    std::string Host;
    int Port = 8800;

    // Sends exactly the bytes of `text` as one datagram (an empty text sends 0 bytes).
    // Throws EIdSocketError, EIdPackageSizeTooBig or EIdNotAllBytesSent.
    void Send(const std::string& text);

    void setActive(bool active) override;
    bool active() const override;

    // The address that `host` denotes, as Send resolves it: an address form unchanged, else the
    // dotted answer of a lookup on the calling thread. Throws EIdSocketError when it fails.
    static std::string resolveHost(const std::string& host);

private:
    void open();
};

} // namespace lirbo::net
