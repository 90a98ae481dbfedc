#pragma once

#include "net/IdSocketHandle.h"

#include <memory>

namespace lirbo::net {

// What the sender and the listener share. Each holds the process-wide socket library while it
// lives; the first endpoint object starts it.
class TIdUDPBase {
public:
    TIdUDPBase();
    virtual ~TIdUDPBase();
    TIdUDPBase(const TIdUDPBase&) = delete;
    TIdUDPBase& operator=(const TIdUDPBase&) = delete;

    int BufferSize = 8192; // receive buffer size in bytes (the listener's)

    // true opens, false closes; writing the current value does nothing.
    virtual void setActive(bool active) = 0;
    virtual bool active() const = 0;

    // The sender's own socket; none until the sender opens (the listener does not use it).
    TIdSocketHandle* binding() const { return m_binding.get(); }

protected:
    std::unique_ptr<TIdSocketHandle> m_binding;
};

} // namespace lirbo::net
