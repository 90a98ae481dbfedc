#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lirbo::ui {

// The small bar that Ctrl+F opens below the transcript: a field for the text and a step forward
// and back. The search itself is the session's; the bar forwards and shows "not found".
class FindBar : public QWidget {
    Q_OBJECT
public:
    // Called with the text and the direction; returns whether something was found.
    using Search = std::function<bool(const QString& text, bool backward)>;

    FindBar(Search search, QWidget* parent);

    // Shows the bar with its field focused and its text selected.
    void open();
    // Hides the bar (Esc in the field).
    void close();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step(bool backward);

    Search m_search;
    QLineEdit* m_text = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_previous = nullptr;
    QLabel* m_notFound = nullptr;
};

} // namespace lirbo::ui
