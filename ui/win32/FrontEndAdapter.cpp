#include "ui/win32/FrontEndAdapter.h"

#include "core/Texts.h"
#include "core/WidePath.h"
#include "ui/win32/FileChooser.h"
#include "ui/win32/MainMenu.h"
#include "ui/win32/MessageBoxes.h"
#include "ui/win32/PeerLabelDialog.h"
#include "ui/win32/TAboutForm.h"
#include "ui/win32/TOptionsForm.h"
#include "ui/win32/Tipedit.h"
#include "ui/win32/Tnastroy.h"
#include "ui/win32/WindowText.h"
#include "ui/win32/resource.h"

#include <shellapi.h>

namespace lirbo::win32 {

namespace {

constexpr UINT kTipPeriodMs = 250;

} // namespace

bool FrontEndAdapter::askAddress(std::string& address) {
    return Tipedit::execute(m_views.instance, m_views.window, address);
}

bool FrontEndAdapter::askSettings(std::string& nick, int& colourIndex, const TextCheck& checkNick) {
    return Tnastroy::execute(m_views.instance, m_views.window, nick, colourIndex, checkNick);
}

bool FrontEndAdapter::askOptions(core::TChatOptions& options, bool& historyEnabled) {
    return TOptionsForm::execute(m_views.instance, m_views.window, options, historyEnabled);
}

bool FrontEndAdapter::askLabel(const std::string& address, std::string& label, const TextCheck& checkLabel) {
    return PeerLabelDialog::execute(m_views.instance, m_views.window, address, label, checkLabel);
}

// Do-not-disturb shows in the title, where the taskbar shows it too, and as the menu item's check.
void FrontEndAdapter::optionsChanged() {
    const bool quiet = m_session->options().doNotDisturb;
    SetWindowTextW(m_views.window, uiText(quiet ? text::kProgramTitleQuiet : text::kProgramTitle).c_str());
    MainMenu::check(m_views.window, IDM_DONOTDISTURB, quiet);
}

bool FrontEndAdapter::confirmClear() {
    return MessageBoxes::confirmClearChat();
}

bool FrontEndAdapter::chooseFile(const app::FileChooser& chooser, std::string& path) {
    return win32::chooseFile(m_views.window, chooser, path);
}

void FrontEndAdapter::showAbout() {
    TAboutForm::execute(m_views.instance, m_views.window);
}

bool FrontEndAdapter::openFile(const std::string& path) {
    // Above 32: the shell started a program for it.
    const auto started = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", core::fs::widePath(path).c_str(), nullptr, nullptr, SW_SHOWDEFAULT));
    return started > 32;
}

void FrontEndAdapter::showError(const std::string& text) {
    MessageBoxes::showError(text);
}

void FrontEndAdapter::wake() {
    PostMessageW(m_views.application, WM_NULL, 0, 0);
}

void FrontEndAdapter::endApplication() {
    PostQuitMessage(0);
}

void FrontEndAdapter::beep() {
    MessageBeep(MB_OK);
}

// Asked for every received message, so it reads what WM_ACTIVATEAPP last said (one of this
// program's windows is the foreground window: its own dialogs count) instead of asking the system.
// A minimised or hidden window is not looked at, even where the system leaves it the foreground
// window.
bool FrontEndAdapter::isActive() const {
    return m_views.programActive && IsWindowVisible(m_views.window) && !IsIconic(m_views.window);
}

void FrontEndAdapter::requestAttention() {
    FLASHWINFO flash{sizeof flash, m_views.window, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
    FlashWindowEx(&flash);
}

void FrontEndAdapter::attentionChanged() {
    if (!m_tipPending) {
        m_tipPending = SetTimer(m_views.window, kTipTimer, kTipPeriodMs, nullptr) != 0;
        if (!m_tipPending) {
            updateTray();
        }
    }
}

void FrontEndAdapter::tipTimer() {
    KillTimer(m_views.window, kTipTimer);
    m_tipPending = false;
    updateTray();
}

void FrontEndAdapter::updateTray() {
    if (m_session) {
        const app::Attention& attention = m_session->attention();
        m_views.tray.update(attention.unread() > 0, attention.hint());
    }
}

void FrontEndAdapter::hideToTray() {
    ShowWindow(m_views.window, SW_HIDE);
}

} // namespace lirbo::win32
