#include "ui/qt/TranscriptView.h"

#include "ui/qt/Cp1251.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace lirbo::ui {

namespace {

// One transcript line is one block: a line break inside received text stays inside the line.
QString lineText(const std::string& bytes) {
    QString text = fromCp1251(bytes);
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    for (QChar& c : text) {
        if (c == '\r' || c == '\n' || c == QChar::ParagraphSeparator) {
            c = QChar::LineSeparator;
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

TranscriptView::TranscriptView(app::TranscriptMirror& mirror, QWidget* parent)
    : QPlainTextEdit(parent), m_mirror(mirror) {
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
    if (!m_mirror.upToDate()) {
        scheduleCatchUp();
    }
}

void TranscriptView::showMatch(const app::TranscriptMatch& match) {
    catchUp(); // one block per line of every message
    const QTextBlock block = document()->findBlockByNumber(static_cast<int>(2 * match.message) + match.line);
    if (!block.isValid()) {
        return;
    }
    const core::TTranscriptMessage& message = m_mirror.transcript().messages().at(match.message);
    const std::string& bytes = match.line == 0 ? message.header : message.body;
    // Each byte is one character of the block, except a CR LF pair, which shows as one.
    const auto position = [&bytes](std::size_t offset) {
        int pairs = 0;
        for (std::size_t i = 0; i + 1 < offset && i + 1 < bytes.size(); ++i) {
            pairs += bytes[i] == '\r' && bytes[i + 1] == '\n' ? 1 : 0;
        }
        return static_cast<int>(offset) - pairs;
    };
    QTextCursor found(block);
    found.setPosition(block.position() + position(match.offset));
    found.setPosition(block.position() + position(match.offset + match.length), QTextCursor::KeepAnchor);
    QTextEdit::ExtraSelection highlight;
    highlight.cursor = found;
    highlight.format.setBackground(palette().highlight());
    highlight.format.setForeground(palette().highlightedText());
    setExtraSelections({highlight});
    QTextCursor caret = found;
    caret.clearSelection();
    setTextCursor(caret);
    ensureCursorVisible();
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

int TranscriptView::headerMessageAt(const QPoint& position) const {
    if (m_mirror.shown() == 0) {
        return -1;
    }
    const QTextBlock block = cursorForPosition(position).block();
    // Every message is two blocks, header then body.
    return block.isValid() && block.blockNumber() % 2 == 0 ? block.blockNumber() / 2 : -1;
}

void TranscriptView::catchUp() {
    m_timer.stop();
    m_sinceCatchUp.restart();
    if (m_mirror.upToDate()) {
        return;
    }
    const app::TranscriptBatch batch = m_mirror.takeBatch();
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    m_hiddenSelection = QTextCursor();
    setExtraSelections({}); // a match highlighted before may have moved
    if (batch.clearAll) {
        document()->clear();
    } else if (batch.removeOldest > 0) {
        cursor.movePosition(QTextCursor::Start);
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, static_cast<int>(2 * batch.removeOldest));
        cursor.removeSelectedText();
    }

    const auto& messages = m_mirror.transcript().messages();
    bool documentEmpty = m_mirror.shown() == batch.appendCount; // every message shown is new
    cursor.movePosition(QTextCursor::End);
    for (std::size_t i = batch.appendFrom; i < batch.appendFrom + batch.appendCount; ++i) {
        const core::TTranscriptMessage& m = messages[i];
        const std::size_t bold = std::min(m.boldLength, m.header.size());
        appendLine(cursor, !documentEmpty, lineText(m.header.substr(0, bold)), runFormat(m.colour, true, false),
                   lineText(m.header.substr(bold)), runFormat(core::TNickPalette::kSuffixGreen, false, true));
        appendLine(cursor, true, lineText(m.body), runFormat(m.colour, false, false), QString(), QTextCharFormat());
        documentEmpty = false;
    }
    cursor.endEditBlock();

    if (m_mirror.shown() > 0) {
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
