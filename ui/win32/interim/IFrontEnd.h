#pragma once

#include <string>

namespace lirbo::app {

// What a file chooser offers: open or save, its title (empty: the system's), its one filter, the
// extension added to a name typed without one, and the name it offers first.
struct FileChooser {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    std::string title;
    std::string filterName;
    std::string pattern;
    std::string defaultExtension;
    std::string offeredName;
};

// What the session needs of a window system. Strings are Windows-1251 bytes; paths are the file
// system's bytes. Every method but wake runs on the main thread.
class IFrontEnd {
public:
    virtual ~IFrontEnd() = default;
    virtual bool askAddress(std::string& address) = 0;
    virtual bool askSettings(std::string& nick, int& colour) = 0;
    virtual bool confirmClear() = 0;
    virtual bool chooseFile(const FileChooser& chooser, std::string& path) = 0;
    virtual void showAbout() = 0;
    virtual void showError(const std::string& text) = 0;
    // Any thread: the main thread is to call ChatSession::serveHandOver soon.
    virtual void wake() = 0;
    virtual void endApplication() = 0;
    virtual std::string inputText() = 0;
    virtual void clearAndFocusInput() = 0;
    virtual void beep() = 0;
    virtual void peersChanged() = 0;
    virtual void transcriptChanged() = 0;
};

} // namespace lirbo::app
