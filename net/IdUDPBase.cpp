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

void TIdUDPBase::loaded() {
    if (!m_loading) {
        return;
    }
    m_loading = false;
    setActive(m_pendingActive);
}

bool TIdUDPBase::storePendingActivation(bool active) {
    if (m_loading) {
        m_pendingActive = active;
    }
    return m_loading;
}

} // namespace lirbo::net
