#pragma once

#include "core/CodePage1251.h"
#include "core/Texts.h"

#include <string>
#include <windows.h>

namespace lirbo::win32 {

// The program's icon in the notification area: the plain icon, or the icon with a red mark while
// messages are unread, and a tip. Clicks arrive at the owner window as `callbackMessage` with the
// mouse message in lParam.
class TrayIcon {
public:
    TrayIcon() = default;
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon (NIM_ADD) with the tip "Lirbo"; false when the shell has no notification area.
    bool add(HWND owner, UINT callbackMessage, HICON icon);
    // Redraws the mark and the tip (Windows-1251), the tip cut to what the icon can hold.
    void update(bool marked, const std::string& tip);
    // Takes the icon away (NIM_DELETE); also done on destruction.
    void remove();
    // Whether the icon is in the notification area: only then may the window hide there.
    bool added() const { return m_added; }
    // Puts the icon back after the shell restarted ("TaskbarCreated"), with its last mark and tip.
    void readd();

    // The icon's menu at the pointer: "Открыть" (the default), "Не беспокоить" checked as
    // `doNotDisturb` says, "Выход". Returns the chosen item's command, 0 for none.
    UINT popUpMenu(bool doNotDisturb) const;

    // The icon's mouse message (the callback's lParam): a left click brings the owner back from
    // the taskbar and to the front (activating it then clears the mark), a right click opens the
    // menu. Returns the menu's chosen command, 0 for none.
    UINT mouse(UINT mouseMessage, bool doNotDisturb) const;
    void restoreOwner() const;

    // `tip` as the tray shows it literally (each "&" doubled), cut to fit a buffer of `size`
    // characters with its terminating zero.
    static std::string fitTip(const std::string& tip, std::size_t size);

private:
    NOTIFYICONDATAW data() const;

    HWND m_owner = nullptr;
    UINT m_message = 0;
    HICON m_icon = nullptr;
    HICON m_marked = nullptr; // made from m_icon on first use, owned
    bool m_added = false;
    bool m_showsMark = false;
    std::string m_tip = core::cp1251::fromUtf8Once<text::kProgramTitle>(); // Windows-1251, as update() takes it
};

} // namespace lirbo::win32
