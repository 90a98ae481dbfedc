#include "LoopbackChat.h"
#include "support/UdpProbe.h"
#include "ui/qt/AttentionTray.h"
#include "ui/qt/Cp1251.h"
#include "ui/qt/LirboLook.h"
#include "ui/qt/TMainChat.h"
#include "ui/qt/TranscriptView.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <memory>

using lirbo::test::UdpProbe;
using lirbo::ui::TMainChat;

// Being told of messages that arrive in the background, the peers' presence, and adding a sender
// from the transcript, on the real window with datagrams over loopback.
class AttentionTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { lirbo::ui::LirboLook::setUpApplication(*qApp); }

    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(m_dir->path()));
        m_probe = std::make_unique<UdpProbe>();
    }

    void cleanup() {
        m_window.reset();
        QDir::setCurrent(QDir::tempPath());
        m_probe.reset();
        m_dir.reset();
    }

    void alertsOnlyWhileAnotherWindowIsActiveAndActivationClearsTheMark() {
        open({});
        QSignalSpy alerts(m_window.get(), &TMainChat::attentionRequested);
        m_probe->sendTo(m_window->listenPort(), "V1Bob;seen");
        QTRY_COMPARE(messages(), std::size_t(1));
        QCOMPARE(alerts.count(), 0);
        QVERIFY(!m_window->tray().marked());

        QWidget other;
        other.show();
        other.activateWindow();
        QTRY_VERIFY(!m_window->isActiveWindow());
        m_probe->sendTo(m_window->listenPort(), "T1Bob;psst");
        m_probe->sendTo(m_window->listenPort(), "V2Eve;hi");
        QTRY_COMPARE(alerts.count(), 2);
        QTRY_VERIFY(m_window->tray().marked());
        QCOMPARE(m_window->tray().hint(), QStringLiteral("2 новых, последнее от Eve (есть личное)"));
        QCOMPARE(QApplication::activeWindow(), &other); // nothing took the focus

        m_window->activateWindow();
        QTRY_VERIFY(!m_window->tray().marked());
        QCOMPARE(m_window->tray().hint(), QStringLiteral("Lirbo"));
    }

    void departedPeerIsGreyUntilItsNextMessage() {
        open({"127.0.0.1", "127.0.0.2"});
        auto* iplist = m_window->findChild<QListWidget*>(QStringLiteral("iplist"));
        QCOMPARE(iplist->item(0)->toolTip(), QStringLiteral("ещё не писал"));
        m_probe->sendTo(m_window->listenPort(), "V1Bob;\xCE\xD2\xCA\xCB\xDE\xD7\xC8\xCB\xD1\xDF");
        QTRY_VERIFY(iplist->item(0)->data(Qt::ForegroundRole).isValid());
        QCOMPARE(iplist->item(0)->foreground().color(), m_window->palette().color(QPalette::Disabled, QPalette::Text));
        QVERIFY(iplist->item(0)->toolTip().startsWith(QStringLiteral("последнее сообщение в ")));
        QCOMPARE(iplist->item(1)->toolTip(), QStringLiteral("ещё не писал"));

        m_probe->sendTo(m_window->listenPort(), "V1Bob;back");
        QTRY_VERIFY(!iplist->item(0)->data(Qt::ForegroundRole).isValid());
    }

    void headerMenuAddsAnUnlistedSender() {
        open({"127.0.0.2"});
        m_probe->sendTo(m_window->listenPort(), "V1Bob;hello");
        QTRY_COMPARE(messages(), std::size_t(1));
        lirbo::ui::TranscriptView& view = m_window->memoChat();
        view.catchUp();
        const QPoint header = view.cursorRect(QTextCursor(view.document()->begin())).center();
        QString offered;
        QTimer::singleShot(0, [&] {
            QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
            QWidget* popup = QApplication::activePopupWidget();
            if (auto* add = popup->findChild<QAction*>(QStringLiteral("addSender"))) {
                offered = add->text();
                add->trigger();
            }
            popup->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, header, view.viewport()->mapToGlobal(header));
        QApplication::sendEvent(view.viewport(), &event);
        QCOMPARE(offered, QStringLiteral("Добавить 127.0.0.1 в список"));
        QCOMPARE(m_window->session().peers().entries(), (std::vector<std::string>{"127.0.0.2", "127.0.0.1"}));
        QCOMPARE(m_window->findChild<QListWidget*>(QStringLiteral("iplist"))->count(), 2);
    }

    // Markup in a nick, a message and a peer entry reaches the tray's tooltip, the rows' text and
    // hints and the transcript as the characters it holds.
    void remoteTextIsShownLiterally_data() {
        QTest::addColumn<QByteArray>("markup");
        QTest::newRow("heading") << QByteArray("<h1 style=\"color:red\">Admin</h1>");
        QTest::newRow("picture") << QByteArray("<img src=\"/usr/share/pixmaps/x.png\" width=500>");
        QTest::newRow("entity") << QByteArray("Tom &copy & <b>co</b> &lt");
        QTest::newRow("long") << QByteArray("<b>") + QByteArray(60, 'n') + "</b>";
    }

    void remoteTextIsShownLiterally() {
        QFETCH(QByteArray, markup);
        open({markup, "127.0.0.1"});
        QWidget other;
        other.show();
        other.activateWindow();
        QTRY_VERIFY(!m_window->isActiveWindow());
        m_probe->sendTo(m_window->listenPort(), ("V1" + markup + ";" + markup).toStdString());
        QTRY_VERIFY(m_window->tray().marked());

        const lirbo::app::ChatSession& session = m_window->session();
        QCOMPARE(shown(m_window->tray().toolTip()), lirbo::ui::fromCp1251(session.attention().hint()));
        QVERIFY(shown(m_window->tray().toolTip()).contains(QString::fromLatin1(markup.left(30))));
        auto* iplist = m_window->findChild<QListWidget*>(QStringLiteral("iplist"));
        QCOMPARE(iplist->item(0)->text(), QString::fromLatin1(markup));
        for (int row = 0; row < 2; ++row) {
            QTRY_COMPARE(shown(iplist->item(row)->toolTip()), lirbo::ui::fromCp1251(session.peerPresence(row).hint));
        }
        m_window->memoChat().catchUp();
        QVERIFY(m_window->memoChat().toPlainText().contains(QString::fromLatin1(markup + "[")));
        QVERIFY(m_window->memoChat().toPlainText().contains(QString::fromLatin1("\n" + markup)));
    }

private:
    // What a tooltip or label shows of a text: Qt renders it as rich text when it guesses so.
    static QString shown(const QString& text) {
        if (!Qt::mightBeRichText(text)) {
            return text;
        }
        QTextDocument document;
        document.setHtml(text);
        return document.toPlainText();
    }

    void open(const std::vector<QByteArray>& peers) {
        QByteArray ini = "[user]\r\nnik_color=3\r\nnik=Ann\r\nstart=0\r\n[ip]\r\n";
        for (std::size_t i = 0; i < peers.size(); ++i) {
            ini += "ip" + QByteArray::number(static_cast<int>(i)) + "=" + peers[i] + "\r\n";
        }
        QFile file(m_dir->filePath(QStringLiteral("lirbo.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(ini) == ini.size());
        file.close();
        m_window = std::make_unique<lirbo::test::LoopbackChat>(0, m_probe->port());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    std::size_t messages() { return m_window->session().transcript().messages().size(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<UdpProbe> m_probe;
    std::unique_ptr<TMainChat> m_window;
};

QTEST_MAIN(AttentionTest)
#include "AttentionTest.moc"
