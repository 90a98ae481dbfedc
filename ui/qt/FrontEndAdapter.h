#pragma once

#include "app/IFrontEnd.h"
#include "ui/qt/QtBeeper.h"

#include <QTimer>
#include <QUrl>
#include <functional>

class QAction;

namespace lirbo::app {
class ChatSession;
}

namespace lirbo::ui {

class AttentionTray;
class InputLine;
class PeerListView;
class TMainChat;
class TranscriptView;

// What the session asks of the Qt front-end, forwarded to the window's views and dialogs. The
// session is made before the views, so they are attached once the window has built them; until
// then nothing is drawn.
class FrontEndAdapter : public app::IFrontEnd {
public:
    explicit FrontEndAdapter(TMainChat& window);

    struct Views {
        app::ChatSession* session = nullptr;
        InputLine* input = nullptr;
        PeerListView* peers = nullptr;
        TranscriptView* transcript = nullptr;
        AttentionTray* tray = nullptr;
        QAction* doNotDisturb = nullptr;
    };
    void attach(const Views& views) { m_views = views; }
    // The views go before the session does (the window's destructor).
    void detachTranscript() { m_views.transcript = nullptr; }

    const QtBeeper& beeper() const { return m_beeper; }

    // Where files the user asks to see go (the desktop's viewer by default); false when nothing
    // could show the file.
    using FileOpener = std::function<bool(const QUrl&)>;
    void setFileOpener(FileOpener opener) { m_openFile = std::move(opener); }

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
    void wake() override;
    void endApplication() override;

private:
    void showAttention();

    TMainChat& m_window;
    Views m_views;
    QtBeeper m_beeper;
    FileOpener m_openFile;
    QTimer m_attentionRedraw; // a flood of datagrams redraws the notification icon's hint once per batch
};

} // namespace lirbo::ui
