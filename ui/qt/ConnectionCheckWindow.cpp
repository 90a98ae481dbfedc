#include "ui/qt/ConnectionCheckWindow.h"

#include "app/ChatSession.h"
#include "app/ConnectionReport.h"
#include "ui/common/DialogForms.h"
#include "ui/qt/Cp1251.h"
#include "ui/qt/UiText.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace lirbo::ui {

namespace {

constexpr int kRefreshMs = 1000;

QString joined(const std::vector<std::string>& lines) {
    QStringList shown;
    for (const auto& line : lines) {
        shown << fromCp1251(line);
    }
    return shown.join(QLatin1Char('\n'));
}

// The caption of a control of the window's description, which is laid out for Windows; here the
// window keeps a table of its own and takes only the texts.
QString checkText(const char* controlName) {
    return uiText(connectionCheckForm().find(controlName)->caption);
}

// A read-only text the user can select and copy (the firewall's commands, for one).
QPlainTextEdit* readOnlyText(const char* name, QWidget* parent) {
    auto* text = new QPlainTextEdit(parent);
    text->setObjectName(QString::fromLatin1(name));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    return text;
}

void setIfChanged(QPlainTextEdit* edit, const QString& text) {
    if (edit->toPlainText() != text) {
        edit->setPlainText(text);
    }
}

} // namespace

ConnectionCheckWindow::ConnectionCheckWindow(app::ChatSession& session, QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(session) {
    setObjectName(QStringLiteral("ConnectionCheck"));
    setWindowTitle(uiText(connectionCheckForm().caption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Этот компьютер"), this));
    m_machine = readOnlyText("machine", this);
    layout->addWidget(m_machine, 2);
    layout->addWidget(new QLabel(QStringLiteral("Брандмауэр"), this));
    m_firewall = readOnlyText("firewall", this);
    layout->addWidget(m_firewall, 1);
    m_allow = new QPushButton(checkText("AllowRule"), this);
    m_allow->setObjectName(QStringLiteral("allowFirewall"));
    m_allow->hide();
    connect(m_allow, &QPushButton::clicked, this, [this] { m_session.allowInFirewall(); });
    layout->addWidget(m_allow, 0, Qt::AlignLeft);
    layout->addWidget(new QLabel(QStringLiteral("Собеседники"), this));

    const auto& titles = app::connectionPeerColumns();
    m_peers = new QTableWidget(0, static_cast<int>(titles.size()), this);
    m_peers->setObjectName(QStringLiteral("peers"));
    QStringList headers;
    for (const char* title : titles) {
        headers << fromCp1251(title);
    }
    m_peers->setHorizontalHeaderLabels(headers);
    m_peers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_peers->verticalHeader()->hide();
    m_peers->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_peers, 3);

    auto* buttons = new QHBoxLayout;
    auto* copy = new QPushButton(checkText("CopyReport"), this);
    copy->setObjectName(QStringLiteral("copyReport"));
    connect(copy, &QPushButton::clicked, this, &ConnectionCheckWindow::copyReport);
    auto* close = new QPushButton(checkText("Close"), this);
    close->setObjectName(QStringLiteral("closeCheck"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(copy);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(760, 520);

    m_tick.setInterval(kRefreshMs);
    connect(&m_tick, &QTimer::timeout, this, &ConnectionCheckWindow::refresh);
}

void ConnectionCheckWindow::refresh() {
    const app::ConnectionSnapshot snapshot = m_session.connectionSnapshot();
    setIfChanged(m_machine, joined(snapshot.machine));
    setIfChanged(m_firewall, joined(snapshot.firewall.lines));
    m_allow->setVisible(snapshot.firewall.canAddRule);
    m_peers->setRowCount(static_cast<int>(snapshot.peers.size()));
    for (int row = 0; row < m_peers->rowCount(); ++row) {
        const auto cells = app::connectionPeerCells(snapshot.peers[static_cast<std::size_t>(row)]);
        for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
            const QString text = fromCp1251(cells[static_cast<std::size_t>(column)]);
            QTableWidgetItem* item = m_peers->item(row, column);
            if (item == nullptr) {
                m_peers->setItem(row, column, new QTableWidgetItem(text));
            } else if (item->text() != text) {
                item->setText(text);
            }
        }
    }
    m_report = fromCp1251(app::connectionReportText(snapshot));
}

void ConnectionCheckWindow::copyReport() {
    refresh();
    QApplication::clipboard()->setText(m_report);
}

void ConnectionCheckWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
    m_tick.start();
}

void ConnectionCheckWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_tick.stop();
}

} // namespace lirbo::ui
