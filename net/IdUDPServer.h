#pragma once

#include "net/ByteStream.h"
#include "net/IdSocketHandle.h"
#include "net/IdUDPBase.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace lirbo::net {

class THandOver;
class TIdUDPServer;
class TIdUDPListenerThread;

// Called on the main thread (through the hand-over) once per received datagram. `data` holds
// exactly the datagram, positioned at 0; `data` and `binding` are valid only during the call.
using TUDPReadEvent = std::function<void(TIdUDPServer& sender, TByteStream& data, TIdSocketHandle& binding)>;

// The listener: binds DefaultPort on every local IPv4 address (or the Bindings given) and reads
// datagrams on a thread of its own; OnUDPRead runs on the main thread, through `handOver`.
class TIdUDPServer : public TIdUDPBase {
public:
    explicit TIdUDPServer(THandOver& handOver);
    ~TIdUDPServer() override;

    int DefaultPort = 8800;
    bool ThreadedEvent = false; // true: OnUDPRead runs on the listener thread itself
    TUDPReadEvent OnUDPRead;
    // Empty: one binding on INADDR_ANY and DefaultPort is made when the listener opens.
    // Change only while the listener is closed.
    std::vector<std::unique_ptr<TIdSocketHandle>> Bindings;

    TIdSocketHandle& addBinding(); // IP empty, Port = DefaultPort

    // true: bind and start the listener thread (throws EIdCouldNotBindSocket when the port is
    // taken; a failed opening closes what it made); false: stop the thread at once, wait for it
    // while serving the hand-over queue, close the sockets. Closing from inside OnUDPRead stops
    // the listener at once and leaves the rest to the next opening or the destruction.
    void setActive(bool active) override;
    bool active() const override;

    TIdSocketHandle* currentBinding() const { return m_currentBinding; }

    // What the listener thread took off its sockets since this server was made: datagrams
    // received, and those dropped whole as longer than the buffer. Any thread may read them.
    struct Counts {
        std::uint64_t received = 0;
        std::uint64_t tooLong = 0;
    };
    Counts counts() const;

    // How long the listener thread waits for a datagram before it looks at its stop flag again;
    // applies from the next opening. Closing wakes the thread at once regardless. The program keeps
    // the default; a test lengthens it so that a close that failed to wake the thread shows.
    void setWaitPeriod(int milliseconds) { m_waitPeriodMs = milliseconds; }

    // More sockets than this cannot be waited on at once (EIdStackSetSizeExceeded).
    static constexpr std::size_t MaxBindings = 64;

private:
    friend class TIdUDPListenerThread;

    void open();
    void close();

    THandOver& m_handOver;
    TIdSocketHandle* m_currentBinding = nullptr;
    std::unique_ptr<TIdUDPListenerThread> m_thread;
    int m_waitPeriodMs = 1000;
    bool m_delivering = false; // OnUDPRead runs on the main thread right now
    // Written by the listener thread alone, once per read of a socket: no lock, no contention.
    std::atomic<std::uint64_t> m_received{0};
    std::atomic<std::uint64_t> m_tooLong{0};
};

} // namespace lirbo::net
