#pragma once

#include "app/ChatSession.h"
#include "app/IFrontEnd.h"
#include "ui/win32/ConnectionCheckUi.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/FindBar.h"
#include "ui/win32/HistoryViewer.h"
#include "ui/win32/PeerListDrawing.h"
#include "ui/win32/RichTranscript.h"
#include "ui/win32/SystemSound.h"
#include "ui/win32/TrayIcon.h"

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace lirbo::win32 {

// The main window: it creates the controls, forwards every event to the session and draws what
// the session says. The session owns the chat; this owns only windows, fonts and bitmaps.
class TMainChat : public app::IFrontEnd {
public:
    // Builds the window (hidden) and brings the transport up; a failure there leaves as
    // core::Exception with no window left behind. The transport and the hand-over outlive it.
    TMainChat(HINSTANCE instance, net::IChatTransport& transport, net::IHandOverQueue& handOver);
    ~TMainChat() override;
    TMainChat(const TMainChat&) = delete;
    TMainChat& operator=(const TMainChat&) = delete;

    // FormCreate, then show the window the way the launcher asked, focus in the input line.
    void show(int showCommand);
    // Runs the message loop until the application is told to end.
    int run();

    // app::IFrontEnd
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
    app::TypedText inputText() const override;
    void setInputText(const app::TypedText& text) override;
    void clearAndFocusInput() override;
    void focusInput() override;
    void beep() override;
    void peersChanged() override;
    void presenceChanged() override;
    void transcriptChanged() override;
    bool isActive() const override;
    void requestAttention() override;
    void attentionChanged() override;
    void hiddenChanged() override;
    bool trayAvailable() const override;
    void hideToTray() override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK applicationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK messagaProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void registerClasses();
    void buildControls();
    void buildHints();
    HWND glyphButton(int id, const wchar_t* caption, DWORD style);
    // Fonts, glyphs, list rows and layout for the window's scaling; again when it changes.
    void applyDpi();
    void setGlyph(HWND button, int glyph);
    void sizeClientArea();
    void command(int id, int notification);
    void FormResize();
    void endSession();
    void restoreFromTray();
    void trayMouse(UINT mouseMessage);
    void updateTray();
    void accessibleName(int id, const wchar_t* name);
    void iplistContextMenu(POINT screen);
    void showHiddenMessages();

    HINSTANCE m_instance;
    HWND m_application = nullptr; // hidden: the target of the hand-over's wake-up
    HWND m_window = nullptr;
    Dpi m_dpi;
    HFONT m_font = nullptr;
    HWND m_messaga = nullptr;
    WNDPROC m_messagaDefault = nullptr;
    HWND m_bsend = nullptr;
    HWND m_iplist = nullptr;
    HWND m_hints = nullptr;
    HWND m_hiddenCount = nullptr; // "скрыто: N", shown once a message was hidden
    HWND m_lastFocus = nullptr;
    bool m_programActive = false; // as WM_ACTIVATEAPP last told
    RichTranscript m_memoChat;
    std::vector<HBITMAP> m_glyphs;
    std::vector<std::pair<int, HWND>> m_panel2Buttons; // top within Panel2, button
    PeerListDrawing m_peerRows;
    TrayIcon m_tray;
    bool m_tipPending = false; // the tray's tip waits for its timer
    FindBar m_findBar{[this](const std::string& text, bool backward) { return m_memoChat.find(text, backward); }};
    std::unique_ptr<HistoryViewer> m_historyViewer; // made at its first opening
    HACCEL m_keys = nullptr;
    SystemSound m_sound; // outlives the session, which plays through it
    ConnectionCheckUi m_check{m_instance, [this] { FormResize(); }};
    std::unique_ptr<app::ChatSession> m_session;
};

} // namespace lirbo::win32
