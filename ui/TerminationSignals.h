#pragma once

#include <QObject>

class QSocketNotifier;

namespace lirbo::ui {

// Turns SIGTERM, SIGHUP and SIGINT into a signal of the event loop: the handler only writes the
// signal number into a pipe, and a notifier on the main thread reads it.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace lirbo::ui
