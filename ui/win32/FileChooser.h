#pragma once

#include "app/FileChooser.h"

#include <string>
#include <windows.h>

namespace lirbo::win32 {

// The system's open and save choosers. True and the chosen path unless the user cancels.
bool chooseFile(HWND owner, const app::FileChooser& chooser, std::string& path);

// A function of the common dialog library, which loads on the first call rather than at start
// (it pulls in the print spooler and its libraries); null when the library or name is missing.
template <typename Function> Function commonDialogFunction(const char* name) {
    static const HMODULE library = LoadLibraryW(L"comdlg32.dll");
    return library == nullptr ? nullptr
                              : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

} // namespace lirbo::win32
