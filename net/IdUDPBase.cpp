#include "net/IdUDPBase.h"

#include "net/SocketLibrary.h"

namespace lirbo::net {

TIdUDPBase::TIdUDPBase() {
    SocketLibrary::acquire();
}

TIdUDPBase::~TIdUDPBase() {
    m_binding.reset();
    SocketLibrary::release();
}

} // namespace lirbo::net
