#pragma once

#include <string>

namespace lirbo::app {

// What the connection check makes of one peer entry, from what this machine alone can know: the
// chat has no acknowledgement, so "answers" only ever means that datagrams came from it.
enum class ConnectionVerdict {
    Unknown,           // not judged (no check kept for the entry)
    NotFound,          // the latest lookup of its name failed
    NoRoute,           // the latest send to it, or the route to it, says unreachable
    OtherAddress,      // its nick now arrives from an address the list does not hold
    FirewallSuspected, // heard only within 60 s after we sent to it, at least 3 times
    Answers,           // heard within the last 10 minutes
    Quiet,             // heard before, but not within the last 10 minutes
    NotYetWritten,     // never heard since the program started
};

// The verdict in plain Russian (Windows-1251), as the window, the report and the list's hint
// show it; empty for Unknown.
std::string verdictText(ConnectionVerdict verdict);

// Whether the peer list marks the verdict as a problem (the rest are marked as fine or neutral).
bool verdictIsProblem(ConnectionVerdict verdict);

} // namespace lirbo::app
