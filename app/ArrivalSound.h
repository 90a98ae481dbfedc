#pragma once

#include "core/ChatOptions.h"
#include "core/ChatPorts.h"

namespace lirbo::app {

// Which arrivals sound, and how many sounds a batch of datagrams makes: at most one, so that a
// flood of messages does not queue hundreds of sounds behind each other.
class ArrivalSound {
public:
    using Kind = core::TShownMessage::Kind;

    // Whether a message of `kind` sounds: never while do-not-disturb is on, never for the echo of
    // an own message or a departure notice, never for a message the user does not see (`hidden`);
    // otherwise as the sound option says.
    static bool sounds(Kind kind, bool hidden, const core::TChatOptions& options);

    // A message was shown: the batch sounds if it does.
    void arrived(Kind kind, bool hidden, const core::TChatOptions& options) {
        m_pending = m_pending || sounds(kind, hidden, options);
    }
    // Whether the batch since the last call is to sound; starts the next batch.
    bool takePending() {
        const bool pending = m_pending;
        m_pending = false;
        return pending;
    }

private:
    bool m_pending = false;
};

} // namespace lirbo::app
