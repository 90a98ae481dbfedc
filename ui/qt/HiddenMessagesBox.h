#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace lirbo::ui {

// The last hidden messages, one a line, as plain read-only text that can be selected and copied.
class HiddenMessagesBox : public QDialog {
    Q_OBJECT

public:
    HiddenMessagesBox(QWidget* parent, const QStringList& lines);
    QString text() const;

private:
    QPlainTextEdit* m_list = nullptr;
};

} // namespace lirbo::ui
