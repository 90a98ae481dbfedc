#include "core/ChatDatagram.h"

namespace lirbo::core {

std::string TChatDatagram::encode() const {
    const std::string colour = std::to_string(colourIndex);
    std::string bytes;
    bytes.reserve(1 + colour.size() + nick.size() + 1 + body.size());
    bytes += kind == Kind::Private ? 'T' : 'V';
    bytes += colour;
    bytes += nick;
    bytes += ';';
    bytes += body;
    return bytes;
}

std::optional<TChatDatagram> TChatDatagram::decode(std::string_view bytes) {
    if (bytes.size() < 2 || bytes[1] < '0' || bytes[1] > '9') {
        return std::nullopt;
    }
    TChatDatagram datagram;
    datagram.kind = bytes[0] == 'T' ? Kind::Private : Kind::Public;
    datagram.colourIndex = bytes[1] - '0';
    const std::string_view rest = bytes.substr(2);
    const auto separator = rest.find(';');
    if (separator == std::string_view::npos) {
        datagram.body = rest;
    } else {
        datagram.nick = rest.substr(0, separator);
        datagram.body = rest.substr(separator + 1);
    }
    return datagram;
}

} // namespace lirbo::core
