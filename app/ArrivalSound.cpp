#include "app/ArrivalSound.h"

namespace lirbo::app {

bool ArrivalSound::sounds(Kind kind, bool hidden, const core::TChatOptions& options) {
    if (hidden || options.doNotDisturb) {
        return false;
    }
    switch (kind) {
    case Kind::ReceivedPrivate:
        return options.sound != core::TArrivalSound::None;
    case Kind::Received:
        return options.sound == core::TArrivalSound::Every;
    case Kind::DepartureNotice:
    case Kind::Sent:
    case Kind::SentPrivate:
        return false;
    }
    return false;
}

} // namespace lirbo::app
