#include "ui/qt/HiddenMessagesBox.h"

#include "core/Texts.h"
#include "ui/qt/UiText.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lirbo::ui {

HiddenMessagesBox::HiddenMessagesBox(QWidget* parent, const QStringList& lines) : QDialog(parent) {
    setObjectName(QStringLiteral("hiddenMessages"));
    setWindowTitle(uiText(text::kHiddenMessagesCaption));
    auto* column = new QVBoxLayout(this);
    m_list = new QPlainTextEdit(this);
    m_list->setObjectName(QStringLiteral("hiddenList"));
    m_list->setReadOnly(true);
    m_list->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_list->setPlainText(lines.join(QLatin1Char('\n')));
    column->addWidget(m_list);
    auto* close = new QPushButton(uiText(text::kClose), this);
    close->setObjectName(QStringLiteral("hiddenClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    column->addWidget(close, 0, Qt::AlignRight);
    resize(480, 300);
}

QString HiddenMessagesBox::text() const {
    return m_list->toPlainText();
}

} // namespace lirbo::ui
