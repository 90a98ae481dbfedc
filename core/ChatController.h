#pragma once

#include "core/ChatDatagram.h"
#include "core/ChatPorts.h"
#include "core/ChatTranscript.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lirbo::core {

// What a send asks of whoever keeps the input line: nothing (no peer selected), the beep (an empty
// line for all: nothing went out), or emptying the line and focusing it (the echo is shown).
enum class TAfterSend { Nothing, Beep, ClearInput };

// The heart of the chat: turns typed lines into datagrams for the peers, writes the local echo,
// turns received datagrams into transcript lines and sends the departure notices.
// Runs on the main thread only. A send takes the typed line (Windows-1251 bytes) as its caller read
// it. Errors from the sender propagate to the caller unchanged: the operation ends at the failing
// peer, nothing is echoed, and the caller leaves the input line as it is.
// Headers: nick[hh:nn] for the echo of a public message, nick[hh:nn] лично для ADDRESS for that of
// a private one, nick[hh:nn]//ADDRESS and nick[hh:nn] лично отADDRESS for received ones; the bold
// run is nick[hh:nn] (the nick's length plus 2 plus the stamp's, so plus 7 for "hh:nn").
// A colour index outside the palette counts as 0 in the datagrams sent and in the colours shown,
// but is kept as given (colourIndex() returns it) until adoptSettings replaces it. A zero byte in
// a nick or body (received, or typed into the echo) is shown and saved as "?"; the datagram
// itself is sent unchanged.
class TChatController {
public:
    struct Ports {
        IDatagramSender& sender;
        IPeerSequence& peers;
        IClock& clock;
        TChatTranscript& transcript;
    };

    TChatController(Ports ports, std::string nick, int colourIndex);

    [[nodiscard]] TAfterSend sendToAll(const std::string& text);
    [[nodiscard]] TAfterSend sendPrivate(const std::string& text);
    // `bytes`: the datagram exactly as received; `senderAddress`: dotted IPv4 of its sender.
    // Empty when the datagram was malformed and nothing was shown.
    std::optional<TShownMessage> receive(const std::string& bytes, const std::string& senderAddress);
    // Every peer gets the notice, in list order: a peer whose notice fails is skipped, so that one
    // bad entry cannot keep the others uninformed. The first failure is rethrown after the last peer.
    void sendDepartureNotices();
    void adoptSettings(std::string nick, int colourIndex);

    // The bytes of the datagram that a line typed by this nick and colour index becomes: the bytes
    // the window sends, for any other sender of chat lines.
    static std::string outgoingDatagram(TChatDatagram::Kind kind, const std::string& nick, int colourIndex,
                                        const std::string& body);

    // The sender's address of a received message's header; empty for the echoes of own messages.
    static std::optional<std::string> senderOf(const TTranscriptMessage& message);

    const std::string& nick() const { return m_nick; }
    int colourIndex() const { return m_colourIndex; }

    // Asked for each received message whether to keep it out of the transcript (by the sender's
    // address); such a message is only told to the listener, marked hidden. Empty: all are shown.
    using HideFilter = std::function<bool(const std::string& senderAddress)>;
    void setHideFilter(HideFilter hide) { m_hide = std::move(hide); }

    // Told about each message shown, after the transcript has it; nullptr: nobody.
    void setMessageListener(IMessageListener* listener) { m_listener = listener; }

private:
    std::string outgoing(TChatDatagram::Kind kind, const std::string& body) const;
    TAfterSend appendOwn(TShownMessage::Kind kind, std::string_view suffix, const std::string& address,
                         std::string body);
    TShownMessage appendMessage(TShownMessage::Kind kind, std::string_view nick, std::string_view suffix,
                                std::string_view address, int colourIndex, std::string body);

    Ports m_ports;
    std::string m_nick;
    int m_colourIndex;
    IMessageListener* m_listener = nullptr;
    HideFilter m_hide;
};

} // namespace lirbo::core
