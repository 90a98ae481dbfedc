#pragma once

#include <QObject>
#include <QTimer>

class QPoint;
class QPushButton;
class QWidget;

namespace lirbo::app {
class ChatSession;
}

namespace lirbo::ui {

class DescribedForm;
class PeerListBox;

// The peer list `iplist`, the glyph buttons beside it and "скрыто: N" below it. Each row shows its
// entry, its name, its presence (hint, grey, red) and its verdict mark as the session says; a row's
// menu names and mutes it; the buttons and the count forward to the session.
class PeerListView : public QObject {
    Q_OBJECT
public:
    // Makes the widgets in `parent`, adopted by `form`.
    PeerListView(app::ChatSession& session, DescribedForm& form, QWidget* parent);

    // The list's entries changed: redraw the rows and the selection.
    void showPeers();
    // Presence changed: redraw the rows' presence at the next batch, so a flood redraws once.
    void presenceChanged();
    // A message was hidden: show the count.
    void showHiddenCount();

signals:
    // The rows' presence was redrawn.
    void presenceShown();

private:
    void showPresence();
    void showRowMenu(const QPoint& position);
    void showHiddenMessages();

    app::ChatSession& m_session;
    QWidget* m_owner;
    PeerListBox* m_iplist = nullptr;
    QPushButton* m_hiddenCount = nullptr;
    QTimer m_presenceRedraw;
};

} // namespace lirbo::ui
