#pragma once

#include "app/FileChooser.h"
#include "app/InputRules.h"
#include "core/ChatOptions.h"

#include <functional>
#include <string>

namespace lirbo::app {

// What the chat session needs from a window toolkit: the dialogs and boxes it asks, the views it
// redraws, and the main thread's message loop. A front-end implements it and only draws and
// forwards; every rule stays in the session. Text is Windows-1251 bytes; file paths are the file
// system's own bytes.
class IFrontEnd {
public:
    // Judges a typed text: empty when it may be taken, else the error box's text.
    using TextCheck = std::function<std::string(const TypedText& text)>;

    virtual ~IFrontEnd() = default;

    // The address editor. `address` holds the text to start with; true and the typed text on OK.
    virtual bool askAddress(std::string& address) = 0;
    // The settings dialog, opened on `nick` with `colourIndex` preselected; true and the chosen
    // values on OK. OK first asks `checkNick`: a refused nick shows its error in the error box and
    // the dialog stays open with the nick as typed.
    virtual bool askSettings(std::string& nick, int& colourIndex, const TextCheck& checkNick) = 0;
    // The options dialog, opened on `options` and `historyEnabled`; true and the chosen values on OK.
    virtual bool askOptions(core::TChatOptions& options, bool& historyEnabled) = 0;
    // The label dialog for the peer list's `address`, opened on `label`; true and the typed label
    // on OK (empty: no label). OK first asks `checkLabel`, as the settings dialog asks for the nick.
    virtual bool askLabel(const std::string& address, std::string& label, const TextCheck& checkLabel) = 0;
    // The clear-the-chat confirmation; true only for "OK".
    virtual bool confirmClear() = 0;
    // A file chooser as `chooser` describes it; true and the chosen absolute path unless cancelled.
    virtual bool chooseFile(const FileChooser& chooser, std::string& path) = 0;
    virtual void showAbout() = 0;
    // Opens a file in the system's viewer for its type; an answer of the viewer is not awaited.
    // False when the system could start no viewer (no program for the type, no such file).
    virtual bool openFile(const std::string& path) = 0;
    // The error box with exactly this text (the full-stop rule is already applied).
    virtual void showError(const std::string& text) = 0;

    // The input line.
    virtual TypedText inputText() const = 0;
    // Shows `text` in the input line: its `original` when there is one, else its `text`.
    virtual void setInputText(const TypedText& text) = 0;
    virtual void clearAndFocusInput() = 0;
    // The keyboard focus goes back to the input line (after every command).
    virtual void focusInput() = 0;
    virtual void beep() = 0;

    // The peer list changed (entries or selection): redraw it from the session's list, each row
    // with its presence (ChatSession::peerPresence).
    virtual void peersChanged() = 0;
    // What some rows' presence shows changed (a message came from a listed address): redraw the
    // rows' hints and greying soon. Comes with every such datagram, so it should be cheap.
    virtual void presenceChanged() = 0;
    // The transcript changed: bring the view up to date soon through the session's mirror.
    virtual void transcriptChanged() = 0;

    // Whether the user is at the program: its main window, or a dialog or box of its own, is the
    // active window. A message shown while it is not counts as unread.
    virtual bool isActive() const = 0;
    // Ask for the user's attention (a taskbar flash, an urgency hint) until the window is next
    // activated. Must not take the keyboard focus, raise the window or make a sound.
    virtual void requestAttention() = 0;
    // The unread messages changed: redraw the notification icon's mark and hint from
    // ChatSession::attention().
    virtual void attentionChanged() = 0;

    // Whether the notification icon is there, so that a hidden window can be brought back.
    virtual bool trayAvailable() const = 0;
    // Hides the main window to the notification area; the icon's "Открыть" shows it again.
    virtual void hideToTray() = 0;
    // The options changed (read at start, the options dialog, the do-not-disturb toggle): redraw
    // what shows them (the do-not-disturb mark and menu check) from ChatSession::options().
    virtual void optionsChanged() = 0;
    // A message was hidden: redraw the count of hidden messages (ChatSession::hidden()).
    virtual void hiddenChanged() = 0;

    // Any thread: make the main thread call ChatSession::serveHandOver soon. Must not block.
    virtual void wake() = 0;
    // The session is over: stop the main message loop, exit status 0.
    virtual void endApplication() = 0;
};

} // namespace lirbo::app
