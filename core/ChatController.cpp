#include "core/ChatController.h"

#include "core/ChatDatagram.h"
#include "core/CodePage1251.h"
#include "core/NickPalette.h"
#include "core/Texts.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace lirbo::core {

namespace {

// Converted once: the departure body is compared with every datagram that arrives.
const std::string& departureBody() {
    return cp1251::fromUtf8Once<text::kDepartureBody>();
}
const std::string& privateToSuffix() {
    return cp1251::fromUtf8Once<text::kPrivateToSuffix>();
}
const std::string& privateFromSuffix() {
    return cp1251::fromUtf8Once<text::kPrivateFromSuffix>();
}
constexpr std::string_view kPublicFromSuffix = "//";

// The view cannot show a zero byte; it stands for one unknown character, as "?" does elsewhere.
void replaceZeroBytes(std::string& text) {
    std::replace(text.begin(), text.end(), '\0', '?');
}

} // namespace

TChatController::TChatController(Ports ports, std::string nick, int colourIndex)
    : m_ports(ports), m_nick(std::move(nick)), m_colourIndex(colourIndex) {}

TAfterSend TChatController::sendToAll(const std::string& text) {
    if (text.empty()) {
        return TAfterSend::Beep;
    }
    const std::string bytes = outgoing(TChatDatagram::Kind::Public, text);
    const int count = m_ports.peers.count();
    for (int i = 0; i < count; ++i) {
        m_ports.sender.sendDatagram(m_ports.peers.get(i), bytes);
    }
    return appendOwn(TShownMessage::Kind::Sent, {}, {}, text);
}

TAfterSend TChatController::sendPrivate(const std::string& text) {
    const int selected = m_ports.peers.selectedIndex();
    if (selected < 0 || selected >= m_ports.peers.count()) {
        return TAfterSend::Nothing;
    }
    const std::string address = m_ports.peers.get(selected);
    m_ports.sender.sendDatagram(address, outgoing(TChatDatagram::Kind::Private, text));
    return appendOwn(TShownMessage::Kind::SentPrivate, privateToSuffix() + address, address, text);
}

std::optional<TShownMessage> TChatController::receive(const std::string& bytes, const std::string& senderAddress) {
    std::optional<TChatDatagram> datagram = TChatDatagram::decode(bytes);
    if (!datagram) {
        return std::nullopt;
    }
    const bool isPrivate = datagram->kind == TChatDatagram::Kind::Private;
    const TShownMessage::Kind kind = isPrivate                           ? TShownMessage::Kind::ReceivedPrivate
                                     : datagram->body == departureBody() ? TShownMessage::Kind::DepartureNotice
                                                                         : TShownMessage::Kind::Received;
    if (m_hide && m_hide(senderAddress)) {
        TShownMessage hidden{
            kind, std::move(datagram->nick), senderAddress, std::move(datagram->body), m_ports.clock.timeStamp(), true};
        hidden.colourIndex = TNickPalette::usableIndex(datagram->colourIndex);
        replaceZeroBytes(hidden.nick);
        replaceZeroBytes(hidden.body);
        if (m_listener != nullptr) {
            m_listener->messageShown(hidden);
        }
        return hidden;
    }
    return appendMessage(kind, datagram->nick, isPrivate ? std::string_view(privateFromSuffix()) : kPublicFromSuffix,
                         senderAddress, datagram->colourIndex, std::move(datagram->body));
}

std::optional<std::string> TChatController::senderOf(const TTranscriptMessage& message) {
    // The bold run ends after the stamp, whatever the nick holds; a received header goes on with
    // its suffix and the address, an echo with nothing or with " лично для ".
    const std::string_view rest =
        std::string_view(message.header).substr(std::min(message.boldLength, message.header.size()));
    for (const std::string_view suffix : {kPublicFromSuffix, std::string_view(privateFromSuffix())}) {
        if (rest.size() > suffix.size() && rest.substr(0, suffix.size()) == suffix) {
            return std::string(rest.substr(suffix.size()));
        }
    }
    return std::nullopt;
}

void TChatController::sendDepartureNotices() {
    const std::string bytes = outgoing(TChatDatagram::Kind::Public, departureBody());
    std::exception_ptr firstError;
    const int count = m_ports.peers.count();
    for (int i = 0; i < count; ++i) {
        try {
            m_ports.sender.sendDatagram(m_ports.peers.get(i), bytes);
        } catch (...) {
            if (!firstError) {
                firstError = std::current_exception();
            }
        }
    }
    if (firstError) {
        std::rethrow_exception(firstError);
    }
}

void TChatController::adoptSettings(std::string nick, int colourIndex) {
    m_nick = std::move(nick);
    m_colourIndex = colourIndex;
}

std::string TChatController::outgoing(TChatDatagram::Kind kind, const std::string& body) const {
    return outgoingDatagram(kind, m_nick, m_colourIndex, body);
}

std::string TChatController::outgoingDatagram(TChatDatagram::Kind kind, const std::string& nick, int colourIndex,
                                              const std::string& body) {
    TChatDatagram datagram;
    datagram.kind = kind;
    datagram.colourIndex = TNickPalette::usableIndex(colourIndex);
    datagram.nick = nick;
    datagram.body = body;
    return datagram.encode();
}

TAfterSend TChatController::appendOwn(TShownMessage::Kind kind, std::string_view suffix, const std::string& address,
                                      std::string body) {
    appendMessage(kind, m_nick, suffix, address, m_colourIndex, std::move(body));
    return TAfterSend::ClearInput;
}

TShownMessage TChatController::appendMessage(TShownMessage::Kind kind, std::string_view nick, std::string_view suffix,
                                             std::string_view address, int colourIndex, std::string body) {
    TShownMessage shown{kind, std::string(nick), std::string(address), std::move(body), m_ports.clock.timeStamp()};
    shown.colourIndex = TNickPalette::usableIndex(colourIndex);
    replaceZeroBytes(shown.nick);
    replaceZeroBytes(shown.body);
    std::string header;
    header.reserve(shown.nick.size() + shown.stamp.size() + 2 + suffix.size() + address.size());
    header += shown.nick;
    header += '[';
    header += shown.stamp;
    header += ']';
    const std::size_t boldLength = header.size();
    header += suffix;
    if (kind != TShownMessage::Kind::SentPrivate) { // the private echo's suffix names the peer already
        header += address;
    }
    replaceZeroBytes(header);
    m_ports.transcript.appendMessage(std::move(header), boldLength, TNickPalette::colour(shown.colourIndex),
                                     shown.body);
    if (m_listener != nullptr) {
        m_listener->messageShown(shown);
    }
    return shown;
}

} // namespace lirbo::core
