#pragma once

#include "core/ModuleOrigin.h"

#include <exception>
#include <string>

namespace lirbo::app {

// The text of the "Application Error" box for an error that stops the program from starting:
// "Exception CLASS in module MODULE at ADDRESS." line break, the message ending in a full stop,
// line break. ADDRESS is the raising code's offset in its module, 8 hexadecimal digits.
// Windows-1251 bytes, like the message.
class StartupFailure {
public:
    // An error from outside the program's classes (out of memory, for one) is named "Exception",
    // with no address, and shown in the user's words.
    static std::string text(const std::exception& error);
    static std::string text(const char* className, const core::ModuleOrigin& origin, const std::string& message);
};

} // namespace lirbo::app
