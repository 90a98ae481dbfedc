#pragma once

#include "net/HandOver.h"
#include "net/UdpChatTransport.h"
#include "ui/qt/TMainChat.h"

namespace lirbo::test {

// What the program's main makes before its window: the hand-over and the transport over it.
struct LoopbackEndpoint {
    LoopbackEndpoint(int listenPort, int peerPort) : transport(handOver, listenPort, peerPort) {}
    net::THandOver handOver;
    net::UdpChatTransport transport;
};

// The main window assembled as main does it, listening on `listenPort` (0: any) and sending to
// `peerPort`; the endpoint, a base built first, outlives the window.
class LoopbackChat : private LoopbackEndpoint, public ui::TMainChat {
public:
    LoopbackChat(int listenPort, int peerPort)
        : LoopbackEndpoint(listenPort, peerPort), TMainChat(transport, handOver) {}
};

} // namespace lirbo::test
