#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace lirbo::net {

// What a chat session needs of the network: datagrams out to one address each, datagrams in with
// their sender's address, and where they come in. The program's is UdpChatTransport; the session's
// tests put one of their own in its place.
class IChatTransport {
public:
    // Runs on the main thread for every datagram received, with exactly its bytes.
    using Receiver = std::function<void(const std::string& bytes, const std::string& senderAddress)>;

    virtual ~IChatTransport() = default;

    // Opens the sending side, then the listening side, which passes what arrives to `receive`.
    // Throws the endpoint's error (a taken port, for one) with nothing left open.
    virtual void open(Receiver receive) = 0;
    // Closes the listening side first, running what it has already received, then the sending
    // side. Nothing when closed.
    virtual void close() = 0;
    // One datagram with exactly `bytes` to `address` (an IPv4 address form) at the peers' port.
    // Throws the endpoint's error (a core::Exception).
    virtual void send(const std::string& address, const std::string& bytes) = 0;
    // The local port the listening side is bound to; 0 while closed.
    virtual int listenPort() const = 0;

    // Where the listening side is bound and what it has taken in since the transport was made.
    struct ListenerStatus {
        bool open = false;
        std::string address; // dotted; "0.0.0.0" is every address
        int port = 0;
        std::uint64_t received = 0; // datagrams taken off the socket
        std::uint64_t tooLong = 0;  // dropped whole as longer than the receive buffer
    };
    virtual ListenerStatus listenerStatus() const = 0;
};

} // namespace lirbo::net
