#include "ui/win32/FileChooser.h"

#include <commdlg.h>
#include <vector>

namespace lirbo::win32 {

bool chooseFile(HWND owner, const app::FileChooser& chooser, std::string& path) {
    std::string filter = chooser.filterName;
    filter += '\0';
    filter += chooser.pattern;
    filter += '\0';
    filter += '\0';
    std::vector<char> file(MAX_PATH * 4, '\0');
    chooser.offeredName().copy(file.data(), file.size() - 1);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = chooser.title.empty() ? nullptr : chooser.title.c_str();
    dialog.lpstrDefExt = chooser.defaultExtension.empty() ? nullptr : chooser.defaultExtension.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING;
    const bool save = chooser.mode == app::FileChooser::Mode::Save;
    // Without OFN_FILEMUSTEXIST: a save chooser must accept a new name.
    dialog.Flags |= save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
    const auto show =
        commonDialogFunction<BOOL(WINAPI*)(OPENFILENAMEA*)>(save ? "GetSaveFileNameA" : "GetOpenFileNameA");
    if (show == nullptr || !show(&dialog)) {
        return false;
    }
    path = file.data();
    return true;
}

} // namespace lirbo::win32
