#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

namespace lirbo::ui {

// The test seam of every modal box and file chooser the main window opens. While answers are
// queued, a box or chooser takes the first one instead of opening, and logs what it would have
// shown; with nothing queued the real modal loop runs. The program itself never queues anything,
// so it never logs anything either.
class ModalSeam {
public:
    // An answer for a box: the QMessageBox::StandardButton pressed.
    static void queueButton(int button);
    // An answer for a file chooser: the chosen path, or an empty string for cancel.
    static void queueFileName(const QString& path);

    // The queued answer for the box with this caption and text, which is logged; nothing (and no
    // log entry) when no answer waits, and the real box is to open.
    static std::optional<int> takeButton(const QString& caption, const QString& text);
    // The same for a chooser with this title, offering this name.
    static std::optional<QString> takeFileName(const QString& title, const QString& offered);

    // "caption|text" of every box and chooser answered, oldest first.
    static const QStringList& shown();
    static void reset();

private:
    static std::deque<int>& buttons();
    static std::deque<QString>& fileNames();
    static QStringList& log();
};

} // namespace lirbo::ui
