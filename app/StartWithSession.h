#pragma once

#include "app/StartupEntry.h"

#include <string>

namespace lirbo::app {

// Keeps the entry that starts Lirbo with the user's session in line with the option, touching only
// what is this copy's own: an entry counts as this copy's when it runs this program in this start
// folder, and only such an entry is ever removed.
class StartWithSession {
public:
    // The start of the program, or the user changing the option.
    enum class Occasion { Start, Changed };

    // Wanted: an entry that is missing is made, and at a change an entry of this program for another
    // folder is pointed at this one; an entry of another program is left alone (at a change the user
    // is told). Not wanted: this copy's entry is removed, any other left; at start a place that
    // cannot be read is let be. Throws core::Exception.
    static void reconcile(IStartupEntry& entry, bool wanted, const std::string& folder, Occasion occasion);
};

} // namespace lirbo::app
