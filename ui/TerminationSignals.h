#pragma once

#include <QObject>

class QSocketNotifier;

namespace lirbo::ui {

// Turns SIGTERM, SIGHUP and SIGINT into a signal of the event loop: the handler only writes the
// signal number into a pipe, and a notifier on the main thread reads it, in whatever loop runs.
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

private:
    void readPipe();
    void terminate(int signalNumber);

    QSocketNotifier* m_notifier = nullptr;
    bool m_requested = false;
};

} // namespace lirbo::ui
