#pragma once

#include "net/IdUDPBase.h"

#include <string>

namespace lirbo::net {

// The sender: one unbound datagram socket; each Send is one datagram to Host, Port.
class TIdUDPClient : public TIdUDPBase {
public:
    TIdUDPClient();
    ~TIdUDPClient() override;

    std::string Host;
    int Port = 8800;

    // Sends exactly the bytes of `text` as one datagram (an empty text sends 0 bytes).
    // Throws EIdSocketError, EIdPackageSizeTooBig or EIdNotAllBytesSent.
    void Send(const std::string& text);

    void setActive(bool active) override;
    bool active() const override;
};

} // namespace lirbo::net
