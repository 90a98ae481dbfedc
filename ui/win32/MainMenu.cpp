#include "ui/win32/MainMenu.h"

#include "ui/win32/WindowText.h"

#include <string>

namespace lirbo::win32 {

namespace {

void append(HMENU menu, const ui::MenuEntry& entry, HMENU popup) {
    std::wstring caption = uiText(entry.caption);
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_FTYPE;
    item.wID = static_cast<UINT>(entry.id);
    if (entry.kind == ui::MenuEntryKind::Separator) {
        item.fType = MFT_SEPARATOR;
    } else {
        item.fType = MFT_STRING;
        item.fMask |= MIIM_STRING;
        item.dwTypeData = caption.data();
    }
    if (popup != nullptr) {
        item.fMask |= MIIM_SUBMENU;
        item.hSubMenu = popup;
    }
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item);
}

} // namespace

HMENU MainMenu::build(const ui::FormDescription& form) {
    HMENU bar = CreateMenu();
    HMENU popup = nullptr;
    for (const ui::MenuEntry& entry : form.menu) {
        if (entry.kind == ui::MenuEntryKind::Menu) {
            popup = CreatePopupMenu();
            append(bar, entry, popup);
        } else if (popup != nullptr) {
            append(popup, entry, nullptr);
        }
    }
    return bar;
}

void MainMenu::check(HWND window, int id, bool checked) {
    CheckMenuItem(GetMenu(window), static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

} // namespace lirbo::win32
