#pragma once

#include "net/ByteStream.h"
#include "net/HandOver.h"
#include "net/SocketLibrary.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace lirbo::net {

class TIdSocketHandle;
class TIdUDPServer;

// The listener's thread: waits until a binding's socket can be read, then receives every datagram
// already waiting there (up to kBatchLimit, each into a reused buffer of its own) and delivers
// them, first to last, in one hand-over (or on this thread when the event is threaded). Waking
// the main thread once per batch instead of once per datagram is what keeps a flood from
// overrunning the socket's queue. Two batches take turns: while the main thread runs the handlers
// of one, the thread receives the next, and it waits for the first to finish before handing the
// second over. A failed receive or a failing handler costs its own datagram.
class TIdUDPListenerThread {
public:
    static constexpr std::size_t kBatchLimit = 64;
    static constexpr int kReceiveQueueBytes = 4 << 20;

    // `bindings` are the listener's bound sockets; they stay open until the thread has ended.
    TIdUDPListenerThread(TIdUDPServer& server, THandOver& handOver,
                         std::vector<std::pair<SocketHandle, TIdSocketHandle*>> bindings, int bufferSize,
                         bool threadedEvent, int waitPeriodMs);
    ~TIdUDPListenerThread();
    TIdUDPListenerThread(const TIdUDPListenerThread&) = delete;
    TIdUDPListenerThread& operator=(const TIdUDPListenerThread&) = delete;

    void start();
    // Sets the stop and terminate flags; the thread ends when its wait returns.
    void stop();
    bool stopped() const;
    bool ended() const;
    // Waits until the thread has ended (the hand-over queue must be served meanwhile).
    void join();

private:
    // One received datagram, kept until its handler has run.
    struct Received {
        TByteStream data;
        IPv4Address from;
        std::uint16_t fromPort = 0;
        TIdSocketHandle* binding = nullptr;
    };
    struct Batch {
        std::vector<std::unique_ptr<Received>> datagrams; // grows to the largest batch, then reused
        std::size_t size = 0;
        THandOver::Call call;
    };

    void run();
    // Receives what waits on `socket` into `batch`; false when the batch is full or the thread stops.
    bool readSocket(SocketHandle socket, Batch& batch);
    // On the main thread: the handlers of `batch`, first to last.
    void deliverBatch(Batch& batch);
    void deliver(Received& datagram);
    // Waits until the handed-over batch has run; false when one of its handlers closed the listener.
    bool finish(Batch& batch);

    TIdUDPServer& m_server;
    THandOver& m_handOver;
    const std::vector<std::pair<SocketHandle, TIdSocketHandle*>> m_bindings;
    const std::size_t m_bufferSize;
    const bool m_threadedEvent;
    const int m_waitPeriodMs;
    Batch m_batches[2];
    bool m_closedByHandler = false; // written on the main thread, read after finish()

    mutable std::mutex m_lock;
    // The stop flag again, read without the lock between datagrams: a lock that both threads take
    // for every datagram is contended under a flood, and a contended lock costs a system call.
    std::atomic<bool> m_stopping{false};
    bool stopping() const { return m_stopping.load(std::memory_order_acquire); }
    bool m_stop = false;
    bool m_terminate = false;
    bool m_ended = false;
    std::thread m_thread;
};

} // namespace lirbo::net
