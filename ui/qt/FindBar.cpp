#include "ui/qt/FindBar.h"

#include "core/Texts.h"
#include "ui/qt/UiText.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lirbo::ui {

FindBar::FindBar(Search search, QWidget* parent) : QWidget(parent), m_search(std::move(search)) {
    setObjectName(QStringLiteral("FindBar"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 8, 0);
    row->setSpacing(6);
    auto* label = new QLabel(uiText(text::kFindLabel), this);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("findText"));
    label->setBuddy(m_text);
    m_next = new QPushButton(uiText(text::kFindNext), this);
    m_next->setObjectName(QStringLiteral("findNext"));
    m_previous = new QPushButton(uiText(text::kFindPrevious), this);
    m_previous->setObjectName(QStringLiteral("findPrevious"));
    m_notFound = new QLabel(uiText(text::kNotFound), this);
    m_notFound->setObjectName(QStringLiteral("findNotFound"));
    m_notFound->hide();
    row->addWidget(label);
    row->addWidget(m_text, 1);
    row->addWidget(m_next);
    row->addWidget(m_previous);
    row->addWidget(m_notFound);
    connect(m_next, &QPushButton::clicked, this, [this] { step(false); });
    connect(m_previous, &QPushButton::clicked, this, [this] { step(true); });
    connect(m_text, &QLineEdit::textEdited, this, [this] { m_notFound->hide(); });
    m_text->installEventFilter(this);
    hide();
}

void FindBar::open() {
    show();
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
}

void FindBar::close() {
    hide();
}

void FindBar::step(bool backward) {
    m_notFound->setVisible(!m_search(m_text->text(), backward));
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            step(key->modifiers().testFlag(Qt::ShiftModifier)); // Shift+Enter searches back
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            close();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lirbo::ui
