#include "net/IdUDPListenerThread.h"

#include "net/HandOver.h"
#include "net/IdExceptions.h"
#include "net/IdSocketHandle.h"
#include "net/IdUDPServer.h"

namespace lirbo::net {

TIdUDPListenerThread::TIdUDPListenerThread(TIdUDPServer& server,
                                           std::vector<std::pair<SocketHandle, TIdSocketHandle*>> bindings,
                                           int bufferSize, bool threadedEvent, int waitPeriodMs)
    : m_server(server), m_bindings(std::move(bindings)),
      m_bufferSize(bufferSize > 0 ? static_cast<std::size_t>(bufferSize) : 0), m_threadedEvent(threadedEvent),
      m_waitPeriodMs(waitPeriodMs) {}

TIdUDPListenerThread::~TIdUDPListenerThread() {
    if (m_thread.joinable()) {
        stop();
        m_thread.join();
    }
}

void TIdUDPListenerThread::start() {
    m_thread = std::thread([this] { run(); });
}

void TIdUDPListenerThread::stop() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_stop = true;
    m_terminate = true;
}

bool TIdUDPListenerThread::stopped() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_stop || m_terminate;
}

bool TIdUDPListenerThread::ended() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_ended;
}

void TIdUDPListenerThread::join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void TIdUDPListenerThread::run() {
    std::vector<SocketHandle> sockets;
    sockets.reserve(m_bindings.size());
    for (const auto& binding : m_bindings) {
        sockets.push_back(binding.first);
    }
    std::vector<SocketHandle> ready;
    while (!stopped()) {
        // A failed wait leaves nothing ready; the loop then sees the stop flag or waits again.
        SocketLibrary::waitReadable(sockets, m_waitPeriodMs, ready);
        for (SocketHandle socket : ready) {
            try {
                readSocket(socket);
            } catch (...) {
                // A failed receive or a failing handler costs this one datagram only.
            }
        }
    }
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_ended = true;
    }
    THandOver::instance().wakeServing();
}

void TIdUDPListenerThread::readSocket(SocketHandle socket) {
    if (stopped()) {
        return;
    }
    TIdSocketHandle* binding = nullptr;
    for (const auto& entry : m_bindings) {
        if (entry.first == socket) {
            binding = entry.second;
        }
    }
    m_buffer.setSize(m_bufferSize);
    std::size_t received = 0;
    IPv4Address from;
    std::uint16_t fromPort = 0;
    if (const int error =
            SocketLibrary::receiveFrom(socket, m_buffer.buffer(), m_buffer.size(), received, from, fromPort)) {
        throw EIdSocketError(error);
    }
    m_buffer.setSize(received);
    binding->SenderAddress = from.toString();
    binding->SenderPort = fromPort;
    deliver(*binding);
}

void TIdUDPListenerThread::deliver(TIdSocketHandle& binding) {
    if (m_threadedEvent) {
        m_server.m_currentBinding = &binding;
        if (m_server.OnUDPRead) {
            m_server.OnUDPRead(m_server, m_buffer, binding);
        }
        return;
    }
    THandOver::instance().runOnMainThread([this, &binding] {
        m_server.m_currentBinding = &binding;
        if (!m_server.OnUDPRead) {
            return;
        }
        struct Delivering {
            bool& flag;
            explicit Delivering(bool& f) : flag(f) { flag = true; }
            ~Delivering() { flag = false; }
            Delivering(const Delivering&) = delete;
            Delivering& operator=(const Delivering&) = delete;
        } delivering(m_server.m_delivering);
        m_server.OnUDPRead(m_server, m_buffer, binding);
    });
}

} // namespace lirbo::net
