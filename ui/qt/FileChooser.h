#pragma once

#include "app/FileChooser.h"

#include <string>

class QWidget;

namespace lirbo::ui {

// Draws the session's file choosers with the toolkit's own dialog. Load choosers accept only an
// existing file; save choosers accept only a name in an existing folder and ask before an existing
// file is replaced. Both add the default suffix to a name typed without one and show their filter
// by its description alone.
class FileChooser {
public:
    // Shows `chooser` modally; true and the chosen absolute path in the file system's bytes
    // unless the user cancels.
    static bool execute(QWidget* parent, const app::FileChooser& chooser, std::string& path);
};

} // namespace lirbo::ui
