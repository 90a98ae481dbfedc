#include "LoopbackChat.h"
#include "ui/qt/LirboLook.h"
#include "ui/qt/TMainChat.h"
#include "ui/qt/TerminationSignals.h"

#include <QDir>
#include <QGuiApplication>
#include <QSessionManager>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using lirbo::ui::TerminationSignals;
using lirbo::ui::TMainChat;

// The session manager asks for a commit at every checkpoint, also when the session goes on; only
// the session's end (delivered as a Quit to the application) takes the log-off path.
class SessionEndTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { lirbo::ui::LirboLook::setUpApplication(*qApp); }

    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(m_dir->path()));
        m_window = std::make_unique<lirbo::test::LoopbackChat>(0, 9);
        connect(&m_signals, &TerminationSignals::terminationRequested, m_window.get(), &TMainChat::logOff);
    }

    void cleanup() {
        m_window.reset();
        QDir::setCurrent(QDir::tempPath());
        m_dir.reset();
    }

    void commitRequestLeavesTheProgramRunning() {
        auto* manager = qApp->findChild<QSessionManager*>();
        QVERIFY(manager != nullptr);
        emit qGuiApp->commitDataRequest(*manager);
        QVERIFY(!m_window->ended());
        QVERIFY(!m_signals.requested());
    }

    void sessionEndLogsOff() {
        QEvent quit(QEvent::Quit);
        QCoreApplication::sendEvent(qApp, &quit);
        QVERIFY(m_signals.requested());
        QVERIFY(m_window->ended());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    TerminationSignals m_signals;
    std::unique_ptr<TMainChat> m_window;
};

QTEST_MAIN(SessionEndTest)
#include "SessionEndTest.moc"
