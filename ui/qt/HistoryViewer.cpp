#include "ui/qt/HistoryViewer.h"

#include "core/Exception.h"
#include "core/Texts.h"
#include "ui/qt/Cp1251.h"
#include "ui/qt/MessageBoxes.h"
#include "ui/qt/TranscriptView.h"
#include "ui/qt/UiText.h"

#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace lirbo::ui {

namespace {

// One result a line: a line break of the message would split the row.
QString oneLine(const std::string& bytes) {
    QString text = fromCp1251(bytes);
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            c = QLatin1Char(' ');
        }
    }
    return text;
}

} // namespace

HistoryViewer::HistoryViewer(const std::string& folder, QWidget* parent)
    : QDialog(parent), m_browser(folder, [this] { m_view->scheduleCatchUp(); }) {
    setObjectName(QStringLiteral("HistoryViewer"));
    setWindowTitle(uiText(text::kHistoryCaption));
    setModal(false);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(640, 440);

    m_days = new QListWidget(this);
    m_days->setObjectName(QStringLiteral("days"));
    m_days->setFixedWidth(96);
    m_view = new TranscriptView(m_browser.mirror(), this);
    m_view->setObjectName(QStringLiteral("dayView"));
    m_pageNote = new QLabel(this);
    m_pageNote->setObjectName(QStringLiteral("pageNote"));
    m_pageNote->setTextFormat(Qt::PlainText);
    m_earlier = new QPushButton(uiText(text::kHistoryEarlier), this);
    m_earlier->setObjectName(QStringLiteral("earlier"));
    m_later = new QPushButton(uiText(text::kHistoryLater), this);
    m_later->setObjectName(QStringLiteral("later"));
    m_searchText = new QLineEdit(this);
    m_searchText->setObjectName(QStringLiteral("searchText"));
    m_find = new QPushButton(uiText(text::kHistoryFindEverywhere), this);
    m_find->setObjectName(QStringLiteral("find"));
    m_find->setAutoDefault(false);
    m_searchNote = new QLabel(this);
    m_searchNote->setObjectName(QStringLiteral("searchNote"));
    m_searchNote->setTextFormat(Qt::PlainText);
    m_hits = new QListWidget(this);
    m_hits->setObjectName(QStringLiteral("hits"));
    m_hits->setMaximumHeight(120);
    for (QPushButton* button : {m_earlier, m_later}) {
        button->setAutoDefault(false);
        button->setEnabled(false);
    }

    auto* pageRow = new QHBoxLayout;
    pageRow->addWidget(m_pageNote, 1);
    pageRow->addWidget(m_earlier);
    pageRow->addWidget(m_later);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_searchText, 1);
    searchRow->addWidget(m_find);
    searchRow->addWidget(m_searchNote);
    auto* right = new QVBoxLayout;
    right->addLayout(pageRow);
    right->addWidget(m_view, 1);
    right->addLayout(searchRow);
    right->addWidget(m_hits);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_days);
    layout->addLayout(right, 1);

    connect(m_days, &QListWidget::currentRowChanged, this, &HistoryViewer::dayChosen);
    connect(m_hits, &QListWidget::itemActivated, this, [this] { hitChosen(m_hits->currentRow()); });
    connect(m_searchText, &QLineEdit::returnPressed, this, &HistoryViewer::search);
    connect(m_find, &QPushButton::clicked, this, &HistoryViewer::search);
    connect(m_earlier, &QPushButton::clicked, this, [this] { guarded([this] { m_browser.earlier(); }); });
    connect(m_later, &QPushButton::clicked, this, [this] { guarded([this] { m_browser.later(); }); });
    m_work.setInterval(0);
    connect(&m_work, &QTimer::timeout, this, &HistoryViewer::work);
}

HistoryViewer::~HistoryViewer() = default;

void HistoryViewer::present() {
    guarded([this] { m_browser.refresh(); });
    showDays();
    show();
    raise();
    activateWindow();
}

void HistoryViewer::showDays() {
    const QSignalBlocker quiet(m_days);
    m_days->clear();
    for (const app::HistoryDay& day : m_browser.days()) {
        m_days->addItem(QString::fromStdString(day.date));
    }
    const auto opened = m_browser.openedDay();
    m_days->setCurrentRow(opened ? static_cast<int>(*opened) : -1);
    if (!opened && !m_browser.days().empty()) {
        m_days->setCurrentRow(0); // the newest day at once
        dayChosen(0);
    }
}

template <typename Run> void HistoryViewer::guarded(Run&& run) {
    try {
        run();
    } catch (const core::Exception& error) {
        MessageBoxes::showError(this, error.message());
    }
    scheduleWork();
    showProgress();
}

void HistoryViewer::dayChosen(int row) {
    if (row >= 0) {
        guarded([&] { m_browser.openDay(static_cast<std::size_t>(row)); });
    }
}

void HistoryViewer::hitChosen(int row) {
    if (row < 0) {
        return;
    }
    guarded([&] { m_browser.openHit(static_cast<std::size_t>(row)); });
    const auto opened = m_browser.openedDay();
    const QSignalBlocker quiet(m_days);
    m_days->setCurrentRow(opened ? static_cast<int>(*opened) : -1);
}

void HistoryViewer::search() {
    m_hits->clear();
    guarded([&] { m_browser.startSearch(toCp1251(m_searchText->text())); });
    showDays();
}

void HistoryViewer::scheduleWork() {
    if (m_browser.busy() && !m_work.isActive()) {
        m_work.start();
    }
}

void HistoryViewer::work() {
    // One slice of the day per turn, drawn at once, so that the view never takes a large batch in
    // one go; the search goes on for the whole turn.
    QElapsedTimer slice;
    slice.start();
    bool more = true;
    do {
        more = m_browser.step();
    } while (more && !m_browser.reading() && slice.elapsed() < kSliceMilliseconds);
    m_view->catchUp();
    if (!more) {
        m_work.stop();
    }
    showProgress();
}

void HistoryViewer::showProgress() {
    const auto& hits = m_browser.hits();
    for (int row = m_hits->count(); row < static_cast<int>(hits.size()); ++row) {
        const app::HistoryHit& hit = hits[static_cast<std::size_t>(row)];
        m_hits->addItem(QString::fromStdString(hit.date) + QLatin1Char(' ') + oneLine(hit.header) +
                        QStringLiteral(": ") + oneLine(hit.body));
    }
    m_searchNote->setText(fromCp1251(m_browser.searchNote()));
    m_pageNote->setText(fromCp1251(m_browser.pageNote()));
    m_earlier->setEnabled(m_browser.hasEarlier());
    m_later->setEnabled(m_browser.hasLater());
    if (!m_browser.reading()) {
        // Once the part is read, so that the batches drawn after it do not scroll it away.
        if (const auto match = m_browser.takeMatch()) {
            m_view->showMatch(*match);
        }
    }
}

} // namespace lirbo::ui
