#pragma once

#include "app/Presence.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace lirbo::app {

// Which rows of the peer list show a failure, so that a bad entry can be found among thousands:
// a row is marked while the latest lookup of its name, or the latest send to it, failed. A send
// that goes out clears the mark; an answer to a lookup clears a mark that a lookup made (a send
// refused for another reason stays marked until a send goes out). Rows match by their text.
class PeerFailures {
public:
    enum class Cause { Lookup, Send };

    // Each returns whether a row reads differently now. `message` is the error's message.
    bool failed(const std::string& entry, Cause cause, const std::string& message);
    bool answered(const std::string& entry);
    bool sent(const std::string& entry);
    // Forgets the entries no longer in the list.
    void keepOnly(const std::vector<std::string>& entries);

    // Marks `row` of `entry` as failed, its hint led by the reason (Windows-1251), e.g.
    // "имя не найдено: Socket Error # 11001 Host not found.; ещё не писал".
    void mark(const std::string& entry, Presence::Row& row) const;

private:
    struct Failure {
        Cause cause;
        std::string reason;
    };
    std::unordered_map<std::string, Failure> m_failures;
};

} // namespace lirbo::app
