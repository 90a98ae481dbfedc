#include "ui/qt/TranscriptView.h"

#include "app/ChatSession.h"
#include "app/TranscriptPositions.h"
#include "core/StyledMessage.h"
#include "core/Texts.h"
#include "ui/qt/Cp1251.h"
#include "ui/qt/PeerMenus.h"
#include "ui/qt/PlainText.h"
#include "ui/qt/UiText.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <memory>

namespace lirbo::ui {

namespace {

// A run's text: its soft breaks stay inside the block, as line separators.
QString runText(const core::TStyledRun& run) {
    QString text = fromCp1251(run.text);
    text.replace(QChar(core::TStyledMessage::kSoftBreak), QChar::LineSeparator);
    return text;
}

QTextCharFormat runFormat(const core::TStyledRun& run) {
    QTextCharFormat format;
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setForeground(QColor(run.colour.r, run.colour.g, run.colour.b));
    return format;
}

// One transcript line is one block, opened in the format of its first run.
void appendLine(QTextCursor& cursor, bool newBlock, const core::TStyledRun* runs, std::size_t count) {
    if (newBlock) {
        cursor.insertBlock(QTextBlockFormat(), runFormat(runs[0]));
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (i == 0 || !runs[i].text.empty()) {
            cursor.insertText(runText(runs[i]), runFormat(runs[i]));
        }
    }
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
    m_clock.start();
    if (!m_mirror.upToDate()) {
        scheduleCatchUp();
    }
}

TranscriptView::TranscriptView(app::ChatSession& session, QWidget* parent) : TranscriptView(session.mirror(), parent) {
    m_session = &session;
}

bool TranscriptView::find(const QString& text, bool backward) {
    const auto match = m_session != nullptr ? m_session->find(toCp1251(text), backward) : std::nullopt;
    if (match) {
        showMatch(*match);
    }
    return match.has_value();
}

// The view's own menu, with "Добавить <адрес> в список" on the header of a message from an
// address the list does not hold.
void TranscriptView::contextMenuEvent(QContextMenuEvent* event) {
    catchUp(); // the view's lines are then the model's messages
    std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    const int message = m_session != nullptr ? headerMessageAt(event->pos()) : -1;
    if (message >= 0) {
        if (const auto sender = m_session->unlistedSender(static_cast<std::size_t>(message))) {
            auto* add = new QAction(uiText(text::kAddSenderBefore) + plainMenuText(fromCp1251(*sender)) +
                                        uiText(text::kAddSenderAfter),
                                    menu.get());
            add->setObjectName(QStringLiteral("addSender"));
            connect(add, &QAction::triggered, this, [this, address = *sender] { m_session->addSender(address); });
            QAction* first = menu->actions().isEmpty() ? nullptr : menu->actions().constFirst();
            menu->insertAction(first, add);
            menu->insertSeparator(first);
        }
        if (const auto sender = m_session->senderAt(static_cast<std::size_t>(message))) {
            menu->addSeparator();
            PeerMenus::addMuteItem(*menu, *m_session, *sender);
        }
    }
    menu->exec(event->globalPos());
}

void TranscriptView::showMatch(const app::TranscriptMatch& match) {
    catchUp(); // one block per line of every message
    const QTextBlock block = document()->findBlockByNumber(static_cast<int>(2 * match.message) + match.line);
    if (!block.isValid()) {
        return;
    }
    const auto [first, after] = app::TranscriptPositions(m_mirror.transcript()).rangeInLine(match);
    QTextCursor found(block);
    found.setPosition(block.position() + static_cast<int>(first));
    found.setPosition(block.position() + static_cast<int>(after), QTextCursor::KeepAnchor);
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
    if (const auto delay = m_pacing.changed(m_clock.elapsed())) {
        m_timer.start(static_cast<int>(*delay));
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
    const qint64 started = m_clock.elapsed();
    if (m_mirror.upToDate()) {
        m_pacing.drew(started, started);
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
        const core::TStyledMessage styled = core::styleMessage(messages[i]);
        appendLine(cursor, !documentEmpty, styled.header.data(), styled.header.size());
        appendLine(cursor, true, &styled.body, 1);
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
    m_pacing.drew(started, m_clock.elapsed());
}

} // namespace lirbo::ui
