#pragma once

#include "app/FileChooser.h"

#include <string>
#include <windows.h>

namespace lirbo::win32 {

// The system's open and save choosers. True and the chosen path unless the user cancels.
bool chooseFile(HWND owner, const app::FileChooser& chooser, std::string& path);

} // namespace lirbo::win32
