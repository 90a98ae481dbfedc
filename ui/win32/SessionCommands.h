#pragma once

#include "app/ChatSession.h"

#include <cstddef>

namespace lirbo::win32 {

// A control or menu command that only asks the session to act.
struct SessionCommand {
    int id;
    void (app::ChatSession::*run)();
};

// Runs the command numbered `id` on `session`; false when `commands` has none of that number.
template <std::size_t N>
bool runSessionCommand(const SessionCommand (&commands)[N], int id, app::ChatSession& session) {
    for (const SessionCommand& command : commands) {
        if (command.id == id) {
            (session.*command.run)();
            return true;
        }
    }
    return false;
}

} // namespace lirbo::win32
