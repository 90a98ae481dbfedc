#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QMenu;
class QSystemTrayIcon;
class QWidget;

namespace lirbo::ui {

// The notification-area icon of the main window, where the desktop has a tray: the window's icon,
// with a red mark while messages are unread, and the session's hint as its tooltip. A click on it
// asks for the window to come back; its menu offers "Открыть", "Не беспокоить" and "Выход". Without
// a tray it only keeps its state, and the alert alone tells of new messages.
class AttentionTray : public QObject {
    Q_OBJECT
public:
    // `doNotDisturb` tells the state the menu's check mark shows each time the menu opens.
    AttentionTray(QWidget& window, std::function<bool()> doNotDisturb);

    void show(const QString& hint, bool unread);
    bool available() const { return m_icon != nullptr; }
    bool marked() const { return m_marked; }
    const QString& hint() const { return m_hint; }
    // The hint as the icon holds it, to be shown literally.
    const QString& toolTip() const { return m_toolTip; }
    // The icon's menu; there with or without a tray.
    QMenu& menu() const { return *m_menu; }

    // Tests: whether to take the desktop for one with a tray (none: ask the desktop).
    static void assumeTrayForTests(std::function<bool()> available);

signals:
    void restoreRequested();
    void doNotDisturbToggled();
    void exitRequested();

private:
    QWidget& m_window;
    QMenu* m_menu = nullptr;
    QSystemTrayIcon* m_icon = nullptr;
    QString m_hint;
    QString m_toolTip;
    bool m_marked = false;
};

} // namespace lirbo::ui
