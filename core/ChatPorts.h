#pragma once

#include <string>

// The narrow interfaces through which the chat controller reaches everything outside the core.
namespace lirbo::core {

// Sends one datagram with exactly these bytes to the host, port 8800; throws on failure.
class IDatagramSender {
public:
    virtual ~IDatagramSender() = default;
    virtual void sendDatagram(const std::string& host, const std::string& bytes) = 0;
};

// The peer list as the controller sees it: ordered addresses and the selected entry (-1: none).
class IPeerSequence {
public:
    virtual ~IPeerSequence() = default;
    virtual int count() const = 0;
    virtual std::string get(int index) const = 0;
    virtual int selectedIndex() const = 0;
};

// The local time of day as "hh:nn" with the system's time separator.
class IClock {
public:
    virtual ~IClock() = default;
    virtual std::string timeStamp() const = 0;
};

// One message as the controller shows it in the transcript, in its parts, for whoever keeps a
// record of the conversation or follows who writes. `address` is the sender's for a received
// message and the peer's for an own private one (empty for an own public one).
struct TShownMessage {
    enum class Kind { Received, ReceivedPrivate, DepartureNotice, Sent, SentPrivate };
    Kind kind = Kind::Received;
    std::string nick;
    std::string address;
    std::string body;
    std::string stamp; // the time stamp of its header
    // A received message kept out of the transcript at the user's wish (TChatController's filter):
    // logged, but never shown, counted as unread or sounded.
    bool hidden = false;
    // The palette index the nick is drawn in (core/NickPalette.h), always one the palette has.
    int colourIndex = 0;
};

// Told about every message after it was appended to the transcript, and about each hidden one.
class IMessageListener {
public:
    virtual ~IMessageListener() = default;
    virtual void messageShown(const TShownMessage& message) = 0;
};

} // namespace lirbo::core
