#include "app/StartupFailure.h"

#include "core/Exception.h"
#include "core/SystemText.h"

#include <cstdio>

namespace lirbo::app {

std::string StartupFailure::text(const char* className, const core::ModuleOrigin& origin, const std::string& message) {
    char address[9];
    std::snprintf(address, sizeof address, "%08X", static_cast<unsigned>(origin.offset));
    std::string text = "Exception ";
    text += className;
    text += " in module ";
    text += core::sys::pathToCp1251(origin.module);
    text += " at ";
    text += address;
    text += ".\n";
    text += message;
    if (message.empty() || message.back() != '.') {
        text += '.';
    }
    text += '\n';
    return text;
}

std::string StartupFailure::text(const std::exception& error) {
    if (const auto* own = dynamic_cast<const core::Exception*>(&error)) {
        return text(own->className(), core::moduleOrigin(own->raiseAddress()), own->message());
    }
    return text("Exception", core::moduleOrigin(nullptr), core::errorText(&error));
}

} // namespace lirbo::app
