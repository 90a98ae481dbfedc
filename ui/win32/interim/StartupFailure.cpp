#include "ui/win32/interim/StartupFailure.h"

#include <cstdio>

namespace lirbo::app {

std::string startupFailureText(const char* className, const std::string& module, unsigned long offset,
                               const std::string& message) {
    char address[16];
    std::snprintf(address, sizeof address, "%08lX", offset & 0xFFFFFFFFUL);
    std::string ended = message;
    if (ended.empty() || ended.back() != '.') {
        ended += '.';
    }
    return "Exception " + std::string(className) + " in module " + module + " at " + address + ".\n" + ended + "\n";
}

} // namespace lirbo::app
