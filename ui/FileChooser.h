#pragma once

#include <QString>

class QWidget;

namespace lirbo::ui {

// A file chooser that lives as long as the window and offers the full path last chosen with it
// again at the next opening. Load choosers accept only an existing file; save choosers accept only
// a name in an existing folder and ask before an existing file is replaced. Both add the default
// suffix to a name typed without one and show their filter by its description alone.
class FileChooser {
public:
    enum class Mode { Open, Save };

    // `title` empty: the toolkit's default title. `filterName` and `pattern` make the one filter.
    FileChooser(Mode mode, QString title, QString filterName, QString pattern, QString initialName,
                QString defaultSuffix);

    // Shows the chooser modally; true and the chosen path in `path` unless the user cancels.
    bool execute(QWidget* parent, QString& path);

    const QString& lastPath() const { return m_lastPath; }
    Mode mode() const { return m_mode; }
    const QString& title() const { return m_title; }
    QString nameFilter() const;
    const QString& defaultSuffix() const { return m_defaultSuffix; }
    // What the chooser offers at its next opening: the last path, else the initial name.
    QString offeredName() const;

private:
    Mode m_mode;
    QString m_title;
    QString m_filterName;
    QString m_pattern;
    QString m_initialName;
    QString m_defaultSuffix;
    QString m_lastPath;
};

} // namespace lirbo::ui
