#pragma once

#include <string>

namespace lirbo::app {

// A file chooser as the session keeps it for the whole run: what it shows (title, the one filter,
// the default extension) and the full path last chosen with it, which it offers again next time.
// Texts are Windows-1251 bytes; paths are the file system's bytes.
struct FileChooser {
    enum class Mode { Open, Save };

    Mode mode = Mode::Save;
    std::string name;        // the chooser's component name: "SaveRTF", "OpenDialog", "SaveDialog"
    std::string title;       // empty: the toolkit's default title
    std::string filterName;  // shown alone, without the pattern
    std::string pattern;     // "*.RTF"
    std::string initialName; // offered at the first opening
    std::string defaultExtension;
    std::string lastPath;

    // What the next opening offers: the last path chosen, else the initial name.
    const std::string& offeredName() const { return lastPath.empty() ? initialName : lastPath; }
};

} // namespace lirbo::app
