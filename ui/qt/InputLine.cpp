#include "ui/qt/InputLine.h"

#include "app/ChatSession.h"
#include "ui/qt/Cp1251.h"
#include "ui/qt/DescribedForm.h"
#include "ui/qt/TypeAhead.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace lirbo::ui {

InputLine::InputLine(app::ChatSession& session, DescribedForm& form, QWidget* parent)
    : QObject(parent), m_session(session) {
    m_messaga = form.adopt(new QLineEdit(parent), "messaga");
    m_messaga->installEventFilter(this);
    connect(m_messaga, &QLineEdit::textChanged, this, &InputLine::joinPastedLines);
    m_bsend = form.adopt(new QPushButton(parent), "bsend");
    connect(m_bsend, &QPushButton::clicked, this, [this] { m_session.sendToAll(); });
}

// The key goes on to the line in every case.
bool InputLine::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_messaga && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_Up) {
            m_session.recallOlder();
        } else if (key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_Down) {
            m_session.recallNewer();
        }
        if (key->text() == QStringLiteral("\r")) {
            m_session.sendToAll();
        }
    }
    return QObject::eventFilter(watched, event);
}

void InputLine::joinPastedLines(const QString& text) {
    const std::string utf8 = text.toStdString();
    if (app::InputRules::hasLineBreak(utf8)) {
        const int cursor = m_messaga->cursorPosition();
        m_messaga->setText(QString::fromStdString(app::InputRules::joinLines(utf8)));
        m_messaga->setCursorPosition(std::min(cursor, static_cast<int>(m_messaga->text().size())));
    }
}

app::TypedText InputLine::text() const {
    return toTypedText(m_messaga->text());
}

void InputLine::setText(const app::TypedText& text) {
    m_messaga->setText(text.original.empty() ? fromCp1251(text.text) : QString::fromStdString(text.original));
}

void InputLine::clearAndFocus() {
    m_messaga->clear();
    focus();
}

void InputLine::focus() {
    m_messaga->setFocus(Qt::OtherFocusReason);
}

void InputLine::keepTypingAcross(const std::function<void()>& box) {
    const TypeAhead typed(m_messaga->window());
    box();
}

} // namespace lirbo::ui
