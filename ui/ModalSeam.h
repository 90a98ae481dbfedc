#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

namespace lirbo::ui {

// The test seam of every modal box and file chooser the main window opens. While answers are
// queued, a box or chooser takes the first one instead of opening, and logs what it would have
// shown; with nothing queued the real modal loop runs. The program itself never queues anything.
class ModalSeam {
public:
    // An answer for a box: the QMessageBox::StandardButton pressed.
    static void queueButton(int button);
    // An answer for a file chooser: the chosen path, or an empty string for cancel.
    static void queueFileName(const QString& path);

    static std::optional<int> takeButton();
    static std::optional<QString> takeFileName();

    // "caption|text" of every box shown or answered, oldest first.
    static void record(const QString& caption, const QString& text);
    static const QStringList& shown();
    static void reset();

private:
    static std::deque<int>& buttons();
    static std::deque<QString>& fileNames();
    static QStringList& log();
};

} // namespace lirbo::ui
