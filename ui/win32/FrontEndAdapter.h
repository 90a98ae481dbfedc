#pragma once

#include "app/ChatSession.h"
#include "app/IFrontEnd.h"
#include "ui/win32/InputLine.h"
#include "ui/win32/PeerListView.h"
#include "ui/win32/TranscriptView.h"
#include "ui/win32/TrayIcon.h"

#include <memory>
#include <windows.h>

namespace lirbo::win32 {

// What the session asks of the Windows front-end: each request forwarded to the dialog, box or
// view of the main window that answers it.
class FrontEndAdapter : public app::IFrontEnd {
public:
    // The main window's timer after which the notification icon's tip and mark follow the unread
    // count: a flood asks for every datagram, and each change makes the shell redraw the icon.
    static constexpr UINT_PTR kTipTimer = 2;

    struct Views {
        HINSTANCE instance;
        HWND window;
        HWND application; // hidden: the target of the hand-over's wake-up
        InputLine& input;
        PeerListView& peers;
        TranscriptView& transcript;
        TrayIcon& tray;
        const bool& programActive; // as WM_ACTIVATEAPP last told
    };

    // `session` is the window's: empty before it is made and after it ends.
    FrontEndAdapter(const Views& views, const std::unique_ptr<app::ChatSession>& session)
        : m_views(views), m_session(session) {}

    // kTipTimer has fired.
    void tipTimer();

    bool askAddress(std::string& address) override;
    bool askSettings(std::string& nick, int& colourIndex, const TextCheck& checkNick) override;
    bool askOptions(core::TChatOptions& options, bool& historyEnabled) override;
    void optionsChanged() override;
    bool askLabel(const std::string& address, std::string& label, const TextCheck& checkLabel) override;
    bool confirmClear() override;
    bool chooseFile(const app::FileChooser& chooser, std::string& path) override;
    void showAbout() override;
    bool openFile(const std::string& path) override;
    void showError(const std::string& text) override;
    void wake() override;
    void endApplication() override;
    app::TypedText inputText() const override { return m_views.input.text(); }
    void setInputText(const app::TypedText& text) override { m_views.input.setText(text); }
    void clearAndFocusInput() override { m_views.input.clearAndFocus(); }
    void focusInput() override { m_views.input.focus(); }
    void beep() override;
    void peersChanged() override { m_views.peers.peersChanged(); }
    void presenceChanged() override { m_views.peers.presenceChanged(); }
    void hiddenChanged() override { m_views.peers.hiddenChanged(); }
    void transcriptChanged() override { m_views.transcript.changed(); }
    bool isActive() const override;
    void requestAttention() override;
    void attentionChanged() override;
    bool trayAvailable() const override { return m_views.tray.added(); }
    void hideToTray() override;

private:
    void updateTray();

    Views m_views;
    const std::unique_ptr<app::ChatSession>& m_session;
    bool m_tipPending = false; // the tray's tip waits for its timer
};

} // namespace lirbo::win32
