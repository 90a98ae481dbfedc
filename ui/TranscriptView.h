#pragma once

#include "core/ChatTranscript.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTimer>
#include <cstddef>

namespace lirbo::ui {

// The read-only view `MemoChat` that mirrors the transcript model. The model changes inside each
// handler call; the view catches up in batches (at most about once per frame), so a flood of
// datagrams costs one layout per batch instead of one per message. Every message is two blocks,
// header and body; text is inserted as plain text with character formats, never parsed as markup.
// After each batch the view scrolls to the end and leaves the newest body line selected.
class TranscriptView : public QPlainTextEdit, private core::ITranscriptObserver {
    Q_OBJECT
public:
    // Observes `transcript` until destroyed; the transcript must outlive the view.
    explicit TranscriptView(core::TChatTranscript& transcript, QWidget* parent = nullptr);
    ~TranscriptView() override;

    // Brings the view up to date with the model at once.
    void catchUp();
    bool upToDate() const;
    // Messages the view shows at the moment.
    std::size_t shownMessages() const { return m_shown; }
    // The selection, which shows as a highlight only while the view has the keyboard focus.
    QTextCursor selection() const { return m_hiddenSelection.isNull() ? textCursor() : m_hiddenSelection; }

    // The shortest time between two batches, in milliseconds.
    static constexpr int kBatchInterval = 16;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void messageAppended(const core::TTranscriptMessage& message) override;
    void oldestRemoved(std::size_t count) override;
    void cleared() override;

    void scheduleCatchUp();
    void appendLine(QTextCursor& cursor, bool newBlock, const QString& first, const QTextCharFormat& firstFormat,
                    const QString& rest, const QTextCharFormat& restFormat);

    core::TChatTranscript& m_transcript;
    QTimer m_timer;
    QElapsedTimer m_sinceCatchUp;
    std::size_t m_shown = 0;          // messages in the document
    std::size_t m_removeShown = 0;    // of those, how many the model has dropped meanwhile
    std::size_t m_pendingAppends = 0; // newest messages of the model not yet in the document
    bool m_clearPending = false;
    QTextCursor m_hiddenSelection; // kept aside while the view has no focus
};

} // namespace lirbo::ui
