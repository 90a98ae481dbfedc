#pragma once

#include "core/ChatPorts.h"
#include "core/ChatTranscript.h"

#include <string>

namespace lirbo::core {

// The heart of the chat: turns typed lines into datagrams for the peers, writes the local echo,
// turns received datagrams into transcript lines and sends the departure notices.
// Runs on the main thread only. Errors from the sender propagate to the caller unchanged.
class TChatController {
public:
    struct Ports {
        IDatagramSender& sender;
        IPeerSequence& peers;
        IInputLine& input;
        IClock& clock;
        IBeeper& beeper;
        TChatTranscript& transcript;
    };

    TChatController(Ports ports, std::string nick, int colourIndex);

    void sendToAll();
    void sendPrivate();
    // `bytes`: the datagram exactly as received; `senderAddress`: dotted IPv4 of its sender.
    void receive(const std::string& bytes, const std::string& senderAddress);
    void sendDepartureNotices();
    void adoptSettings(std::string nick, int colourIndex);

    const std::string& nick() const { return m_nick; }
    int colourIndex() const { return m_colourIndex; }

private:
    Ports m_ports;
    std::string m_nick;
    int m_colourIndex;
};

} // namespace lirbo::core
