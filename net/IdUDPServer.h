#pragma once

#include "net/ByteStream.h"
#include "net/IdSocketHandle.h"
#include "net/IdUDPBase.h"

#include <functional>
#include <memory>
#include <vector>

namespace lirbo::net {

class TIdUDPServer;
class TIdUDPListenerThread;

// Called on the main thread (through the hand-over) once per received datagram. `data` holds
// exactly the datagram, positioned at 0; `data` and `binding` are valid only during the call.
using TUDPReadEvent = std::function<void(TIdUDPServer& sender, TByteStream& data, TIdSocketHandle& binding)>;

// The listener: binds DefaultPort on every local IPv4 address (or the Bindings given) and reads
// datagrams on a thread of its own; OnUDPRead runs on the main thread.
class TIdUDPServer : public TIdUDPBase {
public:
    TIdUDPServer();
    ~TIdUDPServer() override;

    int DefaultPort = 8800;
    bool ThreadedEvent = false;
    TUDPReadEvent OnUDPRead;
    // Empty: one binding on INADDR_ANY and DefaultPort is made when the listener opens.
    std::vector<std::unique_ptr<TIdSocketHandle>> Bindings;

    TIdSocketHandle& addBinding(); // IP empty, Port = DefaultPort

    // true: bind and start the listener thread (throws EIdCouldNotBindSocket when the port is
    // taken); false: stop the thread at once, close the sockets, wait for the thread while serving
    // the hand-over queue.
    void setActive(bool active) override;
    bool active() const override;

    TIdSocketHandle* currentBinding() const { return m_currentBinding; }

private:
    friend class TIdUDPListenerThread;
    TIdSocketHandle* m_currentBinding = nullptr;
    std::unique_ptr<TIdUDPListenerThread> m_thread;
};

} // namespace lirbo::net
