#pragma once

#include <QString>
#include <cstdint>
#include <exception>
#include <string>

namespace lirbo::core {
class Exception;
}

namespace lirbo::ui {

// The report of an error that stops the main window from being built.
class StartupFailure {
public:
    struct Origin {
        std::string module;     // file name of the module, without its path
        std::uint32_t offset{}; // address relative to the module's start
    };

    // "Exception CLASS in module MODULE at ADDRESS." line break, the message ending in a full
    // stop, line break.
    static QString text(const core::Exception& error);
    static QString text(const char* className, const Origin& origin, const std::string& message);

    // The module that holds `address`; the program file when the system cannot tell.
    static Origin originOf(const void* address);

    // Shows the "Application Error" box for `error`; the caller then ends with status 1.
    static void report(const core::Exception& error);
    // The same for an error from outside the program's classes (out of memory, for instance).
    static void report(const std::exception& error);
};

} // namespace lirbo::ui
