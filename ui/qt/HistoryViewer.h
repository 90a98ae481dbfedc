#pragma once

#include "app/HistoryBrowser.h"

#include <QDialog>
#include <QTimer>
#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace lirbo::ui {

class TranscriptView;

// The history viewer "История": a window beside the main one, never modal. It draws what
// app::HistoryBrowser reads: the days on the left (newest first), the chosen day as a transcript,
// and the search across every day with its results, a double click or Enter opening the day at
// the line found. The reading runs in slices from the event loop, so the window answers at once
// whatever the size of a day. The transcript is read-only text: Ctrl+C and its menu copy.
class HistoryViewer : public QDialog {
    Q_OBJECT
public:
    explicit HistoryViewer(const std::string& folder, QWidget* parent = nullptr);
    ~HistoryViewer() override;

    // Lists the days again and shows the window in front.
    void present();
    // Whether every slice of reading and searching is done.
    bool idle() const { return !m_browser.busy(); }
    app::HistoryBrowser& browser() { return m_browser; }

    // The longest run of slices between two returns to the event loop, in milliseconds.
    static constexpr int kSliceMilliseconds = 10;

private:
    void showDays();
    void dayChosen(int row);
    void hitChosen(int row);
    void search();
    void work();
    void scheduleWork();
    void showProgress();
    template <typename Run> void guarded(Run&& run);

    app::HistoryBrowser m_browser;
    QListWidget* m_days = nullptr;
    TranscriptView* m_view = nullptr;
    QLabel* m_pageNote = nullptr;
    QPushButton* m_earlier = nullptr;
    QPushButton* m_later = nullptr;
    QLineEdit* m_searchText = nullptr;
    QPushButton* m_find = nullptr;
    QLabel* m_searchNote = nullptr;
    QListWidget* m_hits = nullptr;
    QTimer m_work;
};

} // namespace lirbo::ui
