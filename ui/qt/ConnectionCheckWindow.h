#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace lirbo::app {
class ChatSession;
}

namespace lirbo::ui {

// "Проверка связи": a modeless window that draws the session's connection snapshot (this
// machine, the firewall, one row per peer entry) and keeps it current once a second while shown.
// "Копировать отчёт" puts the session's report text on the clipboard. Draws only: every text
// comes from app/ as it is, never interpreted.
class ConnectionCheckWindow : public QWidget {
    Q_OBJECT

public:
    explicit ConnectionCheckWindow(app::ChatSession& session, QWidget* parent = nullptr);

    // Draws the snapshot now (the window also does so each second and when shown).
    void refresh();
    // The report text as copied last (for tests and the clipboard alike).
    const QString& lastReport() const { return m_report; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void copyReport();

    app::ChatSession& m_session;
    QPlainTextEdit* m_machine = nullptr;
    QPlainTextEdit* m_firewall = nullptr;
    QPushButton* m_allow = nullptr;
    QTableWidget* m_peers = nullptr;
    QTimer m_tick;
    QString m_report;
};

} // namespace lirbo::ui
