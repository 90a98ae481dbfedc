#pragma once

#include <string>
#include <vector>

namespace lirbo::cli {

// lirbo-listen [--port 8800] [--json]: prints every chat message that arrives, one UTF-8 line each,
// until it is stopped. Returns 1 when the port cannot be opened or the output can no longer be
// written, 2 for a wrong command line.
int runListen(const std::vector<std::string>& arguments);

} // namespace lirbo::cli
