#pragma once

#include <QObject>

class QSocketNotifier;

namespace lirbo::ui {

// Turns SIGTERM, SIGHUP and SIGINT into a signal of the event loop: the handler only writes the
// signal number into a pipe, and a notifier on the main thread reads it, in whatever loop runs.
// The session's end counts as well (number 0): the session manager's last word, which the
// toolkit hands to the application object as a Quit event (the program never quits itself that
// way). The session manager's commit requests are not an end: they come at every checkpoint.
// While nothing is connected (the start-up, with its boxes), a termination ends every running
// event loop instead, so no box holds the program; requested() then tells the start-up.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // A termination has arrived.
    bool requested() const { return m_requested; }

signals:
    void terminationRequested(int signalNumber);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readPipe();
    void terminate(int signalNumber);

    QSocketNotifier* m_notifier = nullptr;
    bool m_requested = false;
};

} // namespace lirbo::ui
