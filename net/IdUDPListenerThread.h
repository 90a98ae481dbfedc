#pragma once

#include "net/ByteStream.h"
#include "net/SocketLibrary.h"

#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace lirbo::net {

class TIdSocketHandle;
class TIdUDPServer;

// The listener's thread: waits until a binding's socket can be read, receives one datagram into
// its reused buffer and delivers it (through the hand-over unless the event is threaded). Every
// failure while reading one socket is dropped and the thread goes on with the next.
class TIdUDPListenerThread {
public:
    // `bindings` are the listener's bound sockets; they stay open until the thread has ended.
    TIdUDPListenerThread(TIdUDPServer& server, std::vector<std::pair<SocketHandle, TIdSocketHandle*>> bindings,
                         int bufferSize, bool threadedEvent, int waitPeriodMs);
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
    void run();
    void readSocket(SocketHandle socket);
    void deliver(TIdSocketHandle& binding);

    TIdUDPServer& m_server;
    const std::vector<std::pair<SocketHandle, TIdSocketHandle*>> m_bindings;
    const std::size_t m_bufferSize;
    const bool m_threadedEvent;
    const int m_waitPeriodMs;
    TByteStream m_buffer;

    mutable std::mutex m_lock;
    bool m_stop = false;
    bool m_terminate = false;
    bool m_ended = false;
    std::thread m_thread;
};

} // namespace lirbo::net
