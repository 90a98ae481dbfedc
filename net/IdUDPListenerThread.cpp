#include "net/IdUDPListenerThread.h"

#include "net/IdSocketHandle.h"
#include "net/IdUDPServer.h"
#include "net/SocketErrors.h"

namespace lirbo::net {

TIdUDPListenerThread::TIdUDPListenerThread(TIdUDPServer& server, THandOver& handOver,
                                           std::vector<std::pair<SocketHandle, TIdSocketHandle*>> bindings,
                                           int bufferSize, bool threadedEvent, int waitPeriodMs)
    : m_server(server), m_handOver(handOver), m_bindings(std::move(bindings)),
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
    m_stopping.store(true, std::memory_order_release);
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
        // The wait below says when to read; the receives themselves never block, so the thread
        // can take every waiting datagram and stop at the first receive that finds none.
        SocketLibrary::setNonBlocking(binding.first);
        // While the main thread draws a full transcript (a quarter of a second on a slow machine)
        // a flood waits in the socket: the system's default queue holds a few hundred datagrams.
        SocketLibrary::setReceiveQueueSize(binding.first, kReceiveQueueBytes);
        sockets.push_back(binding.first);
    }
    for (Batch& batch : m_batches) {
        batch.call.function = [this, &batch] { deliverBatch(batch); };
    }
    Batch* filling = &m_batches[0];
    Batch* handedOver = nullptr;
    std::vector<SocketHandle> ready;
    while (!stopped()) {
        // A failed wait leaves nothing ready; the loop then sees the stop flag or waits again.
        SocketLibrary::waitReadable(sockets, m_waitPeriodMs, ready);
        filling->size = 0;
        for (SocketHandle socket : ready) {
            if (!readSocket(socket, *filling)) {
                break;
            }
        }
        if (filling->size == 0) {
            continue;
        }
        if (m_threadedEvent) {
            deliverBatch(*filling);
            continue;
        }
        if (handedOver != nullptr && !finish(*handedOver)) {
            break; // what was read after the closing datagram stays undelivered
        }
        m_handOver.start(filling->call);
        handedOver = filling;
        filling = filling == &m_batches[0] ? &m_batches[1] : &m_batches[0];
    }
    if (handedOver != nullptr) {
        finish(*handedOver);
    }
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_ended = true;
    }
    m_handOver.wakeServing();
}

bool TIdUDPListenerThread::readSocket(SocketHandle socket, Batch& batch) {
    TIdSocketHandle* binding = nullptr;
    for (const auto& entry : m_bindings) {
        if (entry.first == socket) {
            binding = entry.second;
        }
    }
    // Counted once per read of the socket, whichever way it ends.
    const std::size_t sizeBefore = batch.size;
    std::uint64_t tooLong = 0;
    auto counted = [&](bool result) {
        m_server.m_received.fetch_add(batch.size - sizeBefore + tooLong, std::memory_order_relaxed);
        m_server.m_tooLong.fetch_add(tooLong, std::memory_order_relaxed);
        return result;
    };
    // Every receive either takes a datagram off the queue or finds it empty, so a socket that
    // keeps failing (a datagram too long, a reset) still ends the loop within the batch limit.
    for (std::size_t attempts = 0; batch.size < kBatchLimit && attempts < kBatchLimit; ++attempts) {
        if (stopping()) {
            return counted(false);
        }
        if (batch.size == batch.datagrams.size()) {
            batch.datagrams.push_back(std::make_unique<Received>());
        }
        Received& datagram = *batch.datagrams[batch.size];
        datagram.data.setSize(m_bufferSize);
        std::size_t received = 0;
        const int error = SocketLibrary::receiveFrom(socket, datagram.data.buffer(), datagram.data.size(), received,
                                                     datagram.from, datagram.fromPort);
        if (error == wsa::WouldBlock) {
            return counted(true);
        }
        if (error == wsa::MessageTooLong) {
            ++tooLong;
        }
        if (error != 0) {
            continue; // this datagram is lost, the next may be fine
        }
        datagram.data.setSize(received);
        datagram.binding = binding;
        ++batch.size;
    }
    return counted(batch.size < kBatchLimit);
}

void TIdUDPListenerThread::deliverBatch(Batch& batch) {
    // A handler that closes its own listener leaves the rest undelivered, as the datagrams still
    // in the socket would be; a close begun before the batch ran (the window closing) still shows
    // every datagram that was read.
    const bool closingAlready = stopping();
    for (std::size_t i = 0; i < batch.size; ++i) {
        if (!closingAlready && stopping()) {
            break;
        }
        try {
            deliver(*batch.datagrams[i]);
        } catch (...) {
            // A failing handler costs this one datagram only.
        }
    }
    m_closedByHandler = !closingAlready && stopping();
}

bool TIdUDPListenerThread::finish(Batch& batch) {
    try {
        m_handOver.wait(batch.call);
    } catch (...) {
        // deliverBatch throws nothing; this only guards the thread.
    }
    return !m_closedByHandler;
}

void TIdUDPListenerThread::deliver(Received& datagram) {
    TIdSocketHandle& binding = *datagram.binding;
    binding.SenderAddress = datagram.from.toString();
    binding.SenderPort = datagram.fromPort;
    m_server.m_currentBinding = &binding;
    if (!m_server.OnUDPRead) {
        return;
    }
    if (m_threadedEvent) {
        m_server.OnUDPRead(m_server, datagram.data, binding);
        return;
    }
    struct Delivering {
        bool& flag;
        explicit Delivering(bool& f) : flag(f) { flag = true; }
        ~Delivering() { flag = false; }
        Delivering(const Delivering&) = delete;
        Delivering& operator=(const Delivering&) = delete;
    } delivering(m_server.m_delivering);
    m_server.OnUDPRead(m_server, datagram.data, binding);
}

} // namespace lirbo::net
