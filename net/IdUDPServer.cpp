#include "net/IdUDPServer.h"

#include "net/HandOver.h"
#include "net/IdExceptions.h"
#include "net/IdUDPListenerThread.h"

namespace lirbo::net {

TIdUDPServer::TIdUDPServer(THandOver& handOver) : m_handOver(handOver) {}

TIdUDPServer::~TIdUDPServer() {
    close();
    Bindings.clear();
}

TIdSocketHandle& TIdUDPServer::addBinding() {
    Bindings.push_back(std::make_unique<TIdSocketHandle>());
    Bindings.back()->Port = DefaultPort;
    return *Bindings.back();
}

void TIdUDPServer::setActive(bool active) {
    if (active == this->active()) {
        return;
    }
    if (active) {
        open();
    } else {
        close();
    }
}

bool TIdUDPServer::active() const {
    return m_currentBinding != nullptr;
}

void TIdUDPServer::open() {
    close(); // finishes a close begun inside the handler
    if (Bindings.empty()) {
        addBinding();
    }
    if (Bindings.size() > MaxBindings) {
        throw setSizeExceededError();
    }
    std::vector<std::pair<SocketHandle, TIdSocketHandle*>> sockets;
    try {
        for (auto& binding : Bindings) {
            binding->allocateSocket();
            // No address reuse option: a port that another socket holds is refused.
            binding->bind();
            binding->setBroadcast(false); // the chat never broadcasts
            sockets.emplace_back(binding->handle(), binding.get());
        }
    } catch (...) {
        // Nothing listens yet: release the sockets made so far so no port stays taken.
        for (auto& binding : Bindings) {
            binding->closeSocket();
        }
        throw;
    }
    m_thread = std::make_unique<TIdUDPListenerThread>(*this, m_handOver, std::move(sockets), BufferSize, ThreadedEvent,
                                                      m_waitPeriodMs);
    try {
        m_thread->start();
    } catch (...) {
        m_thread.reset();
        for (auto& binding : Bindings) {
            binding->closeSocket();
        }
        throw;
    }
    m_currentBinding = Bindings.front().get();
}

void TIdUDPServer::close() {
    if (!m_thread) {
        return;
    }
    m_thread->stop();
    for (auto& binding : Bindings) {
        SocketLibrary::wakeWaiters(binding->handle());
    }
    if (m_delivering) {
        // Closed from its own handler: the thread waits for this very call, so it cannot be
        // waited for here. It ends when the call returns; the next opening or the destruction
        // waits for it and closes the sockets.
        m_currentBinding = nullptr;
        return;
    }
    // The thread may be waiting for a delivery to run here; serving the queue lets it finish.
    // The sockets are closed only after it has ended, so it never reads a closed descriptor.
    TIdUDPListenerThread& thread = *m_thread;
    m_handOver.serveUntil([&thread] { return thread.ended(); });
    thread.join();
    for (auto& binding : Bindings) {
        binding->closeSocket();
    }
    m_thread.reset();
    m_currentBinding = nullptr;
}

TIdUDPServer::Counts TIdUDPServer::counts() const {
    return Counts{m_received.load(std::memory_order_relaxed), m_tooLong.load(std::memory_order_relaxed)};
}

} // namespace lirbo::net
