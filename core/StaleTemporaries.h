#pragma once

#include <string>
#include <string_view>

namespace lirbo::core {

// Whether a name is one that fs::writeFileAtomically gives its temporary files: ".lirbo-" and six
// letters or digits, or "~lb" and eight upper-case hexadecimal digits (Windows).
bool isSaveTemporaryName(std::string_view name);

// Removes from a folder the temporary files of saves interrupted (a kill, a crash, a power cut)
// more than a minute ago: regular files with those names only, never through a link. A younger
// one may belong to a save still under way in another copy of the program.
void removeStaleSaveTemporaries(const std::string& folder);

} // namespace lirbo::core
