#pragma once

#include <string>
#include <vector>

namespace lirbo::cli {

// lirbo-send: sends a public or private chat message, or one per line of standard input, to the
// given addresses or to the peer list of lirbo.ini. Returns the exit status: 0 when every datagram
// was handed to the system, 1 when some address failed (the others still get theirs), 2 for a
// command line or a text that cannot be sent.
int runSend(const std::vector<std::string>& arguments);

} // namespace lirbo::cli
