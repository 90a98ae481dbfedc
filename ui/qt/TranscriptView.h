#pragma once

#include "app/RedrawPacing.h"
#include "app/TranscriptMirror.h"
#include "app/TranscriptSearch.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTimer>
#include <cstddef>

namespace lirbo::app {
class ChatSession;
}

namespace lirbo::ui {

// The read-only view `MemoChat` that draws the transcript as its mirror says. The model changes
// inside each handler call; the view catches up in batches (at most about once per frame), so a
// flood of datagrams costs one layout per batch instead of one per message. Every message is two
// blocks, header and body; text is inserted as plain text with character formats, never parsed as
// markup. After each batch the view scrolls to the end and leaves the newest body line selected.
// With a session, the view also finds text and offers its menu's "Добавить <адрес> в список".
class TranscriptView : public QPlainTextEdit {
    Q_OBJECT
public:
    // Draws what `mirror` says; the mirror must outlive the view's catching up.
    explicit TranscriptView(app::TranscriptMirror& mirror, QWidget* parent = nullptr);
    TranscriptView(app::ChatSession& session, QWidget* parent);

    // The model changed: catch up at the next batch.
    void scheduleCatchUp();
    // Brings the view up to date with the model at once.
    void catchUp();
    bool upToDate() const { return m_mirror.upToDate(); }
    // Messages the view shows at the moment.
    std::size_t shownMessages() const { return m_mirror.shown(); }
    // Highlights a match of the search and scrolls it into view.
    void showMatch(const app::TranscriptMatch& match);
    // Finds the session's next match of `text` and shows it; false when there is none.
    bool find(const QString& text, bool backward);

    // The selection, which shows as a highlight only while the view has the keyboard focus.
    QTextCursor selection() const { return m_hiddenSelection.isNull() ? textCursor() : m_hiddenSelection; }

    // The index of the message whose header line lies at `position` (viewport coordinates), or -1
    // when a body line or nothing is there. Counts in the model's messages once the view is up to date.
    int headerMessageAt(const QPoint& position) const;

    // The shortest time between two batches, in milliseconds.
    static constexpr int kBatchInterval = static_cast<int>(app::RedrawPacing::kFrame);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    app::ChatSession* m_session = nullptr;
    app::TranscriptMirror& m_mirror;
    QTimer m_timer;
    QElapsedTimer m_clock;
    app::RedrawPacing m_pacing;
    QTextCursor m_hiddenSelection; // kept aside while the view has no focus
};

} // namespace lirbo::ui
