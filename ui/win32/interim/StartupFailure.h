#pragma once

#include <string>

namespace lirbo::core {
class Exception;
}

namespace lirbo::app {

// The text of the "Application Error" box for an error that stopped the main window from being
// built: "Exception CLASS in module MODULE at ADDRESS." line break, the message ending in a full
// stop, line break. `module` is the file name of the module that raised it, `offset` the address
// relative to that module's start.
std::string startupFailureText(const char* className, const std::string& module, unsigned long offset,
                               const std::string& message);

} // namespace lirbo::app
