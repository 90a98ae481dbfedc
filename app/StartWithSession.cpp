#include "app/StartWithSession.h"

#include "core/CodePage1251.h"
#include "core/Exception.h"
#include "core/SystemText.h"
#include "core/Texts.h"

namespace lirbo::app {

void StartWithSession::reconcile(IStartupEntry& entry, bool wanted, const std::string& folder, Occasion occasion) {
    const StartupTarget ours{entry.program(), folder};
    std::optional<StartupTarget> present;
    try {
        present = entry.read();
    } catch (const core::Exception&) {
        if (!wanted && occasion == Occasion::Start) {
            return; // an unreadable folder with nothing asked of it is no reason for a box at every start
        }
        throw;
    }
    const bool thisProgram = present && entry.samePath(present->program, ours.program);
    const bool thisCopy = thisProgram && entry.samePath(present->folder, ours.folder);
    if (!wanted) {
        if (thisCopy) {
            entry.remove();
        }
        return;
    }
    if (thisCopy) {
        return; // left as it is, with whatever the desktop added to it
    }
    if (!present) {
        entry.write(ours); // also at start: the option says the user wants it
        return;
    }
    if (occasion == Occasion::Start) {
        return; // another profile's or program's entry: only the user's own choice replaces it
    }
    if (!thisProgram) {
        throw core::Exception(core::cp1251::fromUtf8Once<text::kAutostartNotOurs>() +
                              core::sys::pathToCp1251(entry.location()) +
                              core::cp1251::fromUtf8Once<text::kAutostartNotOursEnd>());
    }
    entry.write(ours);
}

} // namespace lirbo::app
