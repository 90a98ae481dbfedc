#include "ui/TranscriptView.h"

#include "ui/Cp1251.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace lirbo::ui {

namespace {

// One transcript line is one block: a line break inside received text stays inside the line, and
// a zero byte shows as "?".
QString lineText(const std::string& bytes) {
    QString text = fromCp1251(bytes);
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    for (QChar& c : text) {
        if (c == '\r' || c == '\n' || c == QChar::ParagraphSeparator) {
            c = QChar::LineSeparator;
        } else if (c == QChar(0)) {
            c = '?';
        }
    }
    return text;
}

QTextCharFormat runFormat(core::TColor colour, bool bold, bool italic) {
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setForeground(QColor(colour.r, colour.g, colour.b));
    return format;
}

} // namespace

TranscriptView::TranscriptView(core::TChatTranscript& transcript, QWidget* parent)
    : QPlainTextEdit(parent), m_transcript(transcript) {
    setObjectName(QStringLiteral("MemoChat"));
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLayoutDirection(Qt::LeftToRight);
    document()->setDocumentMargin(1);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &TranscriptView::catchUp);
    m_sinceCatchUp.start();
    m_pendingAppends = transcript.messages().size();
    m_transcript.setObserver(this);
    if (m_pendingAppends > 0) {
        scheduleCatchUp();
    }
}

TranscriptView::~TranscriptView() {
    m_transcript.setObserver(nullptr);
}

bool TranscriptView::upToDate() const {
    return !m_clearPending && m_removeShown == 0 && m_pendingAppends == 0;
}

void TranscriptView::messageAppended(const core::TTranscriptMessage&) {
    ++m_pendingAppends;
    scheduleCatchUp();
}

void TranscriptView::oldestRemoved(std::size_t count) {
    // The oldest messages are those shown; only past them does the removal eat into the pending.
    const std::size_t fromShown = std::min(count, m_shown - m_removeShown);
    m_removeShown += fromShown;
    m_pendingAppends -= std::min(count - fromShown, m_pendingAppends);
    scheduleCatchUp();
}

void TranscriptView::cleared() {
    m_clearPending = true;
    m_removeShown = 0;
    m_pendingAppends = 0;
    scheduleCatchUp();
}

void TranscriptView::focusInEvent(QFocusEvent* event) {
    if (!m_hiddenSelection.isNull()) {
        setTextCursor(m_hiddenSelection);
        m_hiddenSelection = QTextCursor();
    }
    QPlainTextEdit::focusInEvent(event);
}

void TranscriptView::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) {
        m_hiddenSelection = cursor;
        cursor.clearSelection();
        setTextCursor(cursor);
    }
}

void TranscriptView::scheduleCatchUp() {
    if (m_timer.isActive()) {
        return;
    }
    const qint64 since = m_sinceCatchUp.elapsed();
    m_timer.start(since >= kBatchInterval ? 0 : static_cast<int>(kBatchInterval - since));
}

void TranscriptView::appendLine(QTextCursor& cursor, bool newBlock, const QString& first,
                                const QTextCharFormat& firstFormat, const QString& rest,
                                const QTextCharFormat& restFormat) {
    if (newBlock) {
        cursor.insertBlock(QTextBlockFormat(), firstFormat);
    }
    cursor.insertText(first, firstFormat);
    if (!rest.isEmpty()) {
        cursor.insertText(rest, restFormat);
    }
}

void TranscriptView::catchUp() {
    m_timer.stop();
    m_sinceCatchUp.restart();
    if (upToDate()) {
        return;
    }
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    m_hiddenSelection = QTextCursor();
    if (m_clearPending || m_removeShown >= m_shown) {
        document()->clear();
        m_shown = 0;
    } else if (m_removeShown > 0) {
        cursor.movePosition(QTextCursor::Start);
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, static_cast<int>(2 * m_removeShown));
        cursor.removeSelectedText();
        m_shown -= m_removeShown;
    }
    m_clearPending = false;
    m_removeShown = 0;

    const auto& messages = m_transcript.messages();
    const std::size_t first = messages.size() - std::min(m_pendingAppends, messages.size());
    cursor.movePosition(QTextCursor::End);
    for (std::size_t i = first; i < messages.size(); ++i) {
        const core::TTranscriptMessage& m = messages[i];
        const std::size_t bold = std::min(m.boldLength, m.header.size());
        appendLine(cursor, m_shown > 0 || i > first, lineText(m.header.substr(0, bold)),
                   runFormat(m.colour, true, false), lineText(m.header.substr(bold)),
                   runFormat(core::TNickPalette::kSuffixGreen, false, true));
        appendLine(cursor, true, lineText(m.body), runFormat(m.colour, false, false), QString(), QTextCharFormat());
    }
    m_shown += messages.size() - first;
    m_pendingAppends = 0;
    cursor.endEditBlock();

    if (m_shown > 0) {
        // Select the newest body line and bring its end into view, wherever the user had scrolled.
        QTextCursor select(document()->lastBlock());
        select.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        if (hasFocus()) {
            setTextCursor(select);
        } else {
            m_hiddenSelection = select;
            QTextCursor end = select;
            end.clearSelection();
            setTextCursor(end);
        }
        ensureCursorVisible();
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    }
}

} // namespace lirbo::ui
