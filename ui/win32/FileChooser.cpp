#include "ui/win32/FileChooser.h"

#include "core/WidePath.h"
#include "ui/win32/WindowText.h"

#include <commdlg.h>
#include <vector>

namespace lirbo::win32 {

bool chooseFile(HWND owner, const app::FileChooser& chooser, std::string& path) {
    std::wstring filter = wide(chooser.filterName);
    filter += L'\0';
    filter += wide(chooser.pattern);
    filter += L'\0';
    filter += L'\0';
    std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
    // Paths stay UTF-8 in the program (see core/WidePath.h).
    core::fs::widePath(chooser.offeredName()).copy(file.data(), file.size() - 1);
    const std::wstring title = wide(chooser.title);
    const std::wstring extension = wide(chooser.defaultExtension);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING;
    const bool save = chooser.mode == app::FileChooser::Mode::Save;
    // Without OFN_FILEMUSTEXIST: a save chooser must accept a new name.
    dialog.Flags |= save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
    const auto show =
        commonDialogFunction<BOOL(WINAPI*)(OPENFILENAMEW*)>(save ? "GetSaveFileNameW" : "GetOpenFileNameW");
    if (show == nullptr || !show(&dialog)) {
        return false;
    }
    path = core::fs::utf8Path(file.data());
    return true;
}

} // namespace lirbo::win32
