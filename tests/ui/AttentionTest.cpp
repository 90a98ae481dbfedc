#include "LoopbackChat.h"
#include "support/UdpProbe.h"
#include "ui/qt/AttentionTray.h"
#include "ui/qt/ConnectionCheckWindow.h"
#include "ui/qt/Cp1251.h"
#include "ui/qt/LirboLook.h"
#include "ui/qt/PeerRowDelegate.h"
#include "ui/qt/TMainChat.h"
#include "ui/qt/TranscriptView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <functional>
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
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir->filePath(QStringLiteral("config")))); // never the user's
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

    // A row names its address (the nick heard, then the label typed in "Подписать..."), and the
    // header's menu mutes the sender: its next message only counts in "скрыто: N" and its list.
    void rowsAreNamedAndMutedSendersHidden() {
        open({"127.0.0.1"});
        auto* iplist = m_window->findChild<QListWidget*>(QStringLiteral("iplist"));
        m_probe->sendTo(m_window->listenPort(), "V1Bob;hello");
        QTRY_COMPARE(iplist->item(0)->data(lirbo::ui::PeerRowDelegate::kNameRole).toString(), QStringLiteral("Bob"));
        QVERIFY(iplist->item(0)->data(lirbo::ui::PeerRowDelegate::kLearnedRole).toBool());

        lirbo::ui::TranscriptView& view = m_window->memoChat();
        view.catchUp();
        const QPoint header = view.cursorRect(QTextCursor(view.document()->begin())).center();
        QCOMPARE(pickFromMenu(view.viewport(), header, "muteSender"),
                 QStringLiteral("Не показывать сообщения с этого адреса"));
        m_probe->sendTo(m_window->listenPort(), "V1Bob;quiet\r\n");
        auto* hidden = m_window->findChild<QPushButton*>(QStringLiteral("hiddenCount"));
        QTRY_VERIFY(hidden->isVisible());
        QCOMPARE(hidden->text(), QStringLiteral("скрыто: 1"));
        QCOMPARE(messages(), std::size_t(1));
        QString listed;
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
            QWidget* box = QApplication::activeModalWidget();
            listed = box->findChild<QPlainTextEdit*>(QStringLiteral("hiddenList"))->toPlainText();
            box->close();
        });
        hidden->click();
        QVERIFY(listed.endsWith(QStringLiteral("  127.0.0.1  Bob: quiet\\r\\n")));

        const QPoint row = iplist->visualItemRect(iplist->item(0)).center();
        QCOMPARE(pickFromMenu(iplist->viewport(), row, ""),
                 QStringLiteral("Подписать...|Показывать сообщения с этого адреса"));
        QStringList dialog;
        pickFromMenu(iplist->viewport(), row, "labelPeer", [&] {
            QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
            QWidget* box = QApplication::activeModalWidget();
            dialog << box->windowTitle() << box->findChild<QLabel*>(QStringLiteral("Label2"))->text();
            auto* field = box->findChild<QLineEdit*>(QStringLiteral("podpis_edit"));
            field->insert(QStringLiteral("Шеф"));
            QTest::keyClick(field, Qt::Key_Return);
        });
        QCOMPARE(dialog, (QStringList{QStringLiteral("Подпись"), QStringLiteral("127.0.0.1")}));
        QTRY_COMPARE(iplist->item(0)->data(lirbo::ui::PeerRowDelegate::kNameRole).toString(), QStringLiteral("Шеф"));
        QVERIFY(!iplist->item(0)->data(lirbo::ui::PeerRowDelegate::kLearnedRole).toBool());
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

    // The connection check, opened from its menu item, shows each entry's verdict and the
    // datagrams counted, keeps up as more arrive, and copies what it shows as its report.
    void connectionCheckShowsVerdictsAndCopiesItsReport() {
        open({"127.0.0.1", "127.0.0.2"});
        m_probe->sendTo(m_window->listenPort(), "V1<b>Bob</b>;hi");
        m_probe->sendTo(m_window->listenPort(), "no chat message");
        QTRY_COMPARE(messages(), std::size_t(1));
        auto* item = m_window->findChild<QAction*>(QStringLiteral("CheckConnection"));
        QVERIFY(item != nullptr);
        QCOMPARE(item->text(), QStringLiteral("Проверка связи"));
        item->trigger();
        auto* window = m_window->connectionCheckWindow();
        QVERIFY(window != nullptr && window->isVisible());
        QVERIFY(!window->isModal());
        auto* peers = window->findChild<QTableWidget*>(QStringLiteral("peers"));
        auto* machine = window->findChild<QPlainTextEdit*>(QStringLiteral("machine"));
        QCOMPARE(peers->rowCount(), 2);
        QCOMPARE(peers->item(0, 4)->text().section(QStringLiteral(", "), 1), QStringLiteral("<b>Bob</b>"));
        QCOMPARE(peers->item(0, 5)->text(), QStringLiteral("отвечает"));
        QCOMPARE(peers->item(1, 5)->text(), QStringLiteral("ещё не писал"));
        QVERIFY(peers->item(0, 2)->text().startsWith(QStringLiteral("127.0.0.1")));
        QTRY_VERIFY2(
            machine->toPlainText().contains(QStringLiteral("Получено датаграмм: 2; отброшено: не сообщения чата — 1")),
            qPrintable(machine->toPlainText()));
        auto* iplist = m_window->findChild<QListWidget*>(QStringLiteral("iplist"));
        QTRY_VERIFY(iplist->item(0)->toolTip().contains(QStringLiteral("; отвечает\n")));
        QVERIFY(!iplist->item(0)->icon().isNull());

        m_probe->sendTo(m_window->listenPort(), "V1Bob;again");
        QTRY_VERIFY(machine->toPlainText().contains(QStringLiteral("Получено датаграмм: 3;")));
        window->findChild<QPushButton*>(QStringLiteral("copyReport"))->click();
        const QString report = QApplication::clipboard()->text();
        QCOMPARE(report, window->lastReport());
        QVERIFY(report.startsWith(QStringLiteral("Проверка связи\n")));
        QVERIFY(report.contains(machine->toPlainText()));
        QVERIFY(report.contains(QStringLiteral("\n127.0.0.2\n")));
    }

    // The icon's menu; with its options a window that starts hidden beside the icon, opens from its
    // menu, hides on the close button and ends from the menu's "Выход".
    void trayMenuAndCloseToTray() {
        lirbo::ui::AttentionTray::assumeTrayForTests([] { return true; });
        writeSettings({}, "[options]\r\nstart_minimised=1\r\nclose_to_tray=1\r\ndnd=1\r\n");
        m_window = std::make_unique<lirbo::test::LoopbackChat>(0, m_probe->port());
        lirbo::ui::AttentionTray::assumeTrayForTests(nullptr);
        m_window->showAtStart();
        QVERIFY(!m_window->isVisible());

        QMenu& menu = m_window->tray().menu();
        QStringList items;
        for (const QAction* action : menu.actions()) {
            items << (action->isSeparator() ? QStringLiteral("-") : action->objectName() + "=" + action->text());
        }
        QCOMPARE(items.join(QLatin1Char(' ')),
                 QStringLiteral("trayOpen=Открыть trayDoNotDisturb=Не беспокоить - trayExit=Выход"));
        emit menu.aboutToShow();
        auto* quiet = menu.findChild<QAction*>(QStringLiteral("trayDoNotDisturb"));
        QVERIFY(quiet->isChecked());
        quiet->trigger();
        QVERIFY(!m_window->session().options().doNotDisturb);

        menu.findChild<QAction*>(QStringLiteral("trayOpen"))->trigger();
        QVERIFY(m_window->isVisible());
        QSignalSpy ends(m_window.get(), &TMainChat::endRequested);
        m_window->close(); // the close button
        QVERIFY(!m_window->isVisible());
        QCOMPARE(ends.count(), 0);
        menu.findChild<QAction*>(QStringLiteral("trayExit"))->trigger();
        QCOMPARE(ends.count(), 1);
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

    void writeSettings(const std::vector<QByteArray>& peers, const QByteArray& more = {}) {
        QByteArray ini = "[user]\r\nnik_color=3\r\nnik=Ann\r\nstart=0\r\n[ip]\r\n";
        for (std::size_t i = 0; i < peers.size(); ++i) {
            ini += "ip" + QByteArray::number(static_cast<int>(i)) + "=" + peers[i] + "\r\n";
        }
        ini += more;
        QFile file(m_dir->filePath(QStringLiteral("lirbo.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(ini) == ini.size());
    }

    void open(const std::vector<QByteArray>& peers) {
        writeSettings(peers);
        m_window = std::make_unique<lirbo::test::LoopbackChat>(0, m_probe->port());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    // Opens the context menu of `widget` at `position` and triggers the item named `item` in it;
    // the item's text, or with no item named, every item's text joined by "|".
    // `meanwhile` runs once the item's command is under way (in its dialog's loop).
    static QString pickFromMenu(QWidget* widget, const QPoint& position, const char* item,
                                const std::function<void()>& meanwhile = {}) {
        QString text;
        QTimer::singleShot(0, [&] {
            QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
            QWidget* popup = QApplication::activePopupWidget();
            QStringList texts;
            for (QAction* action : popup->actions()) {
                if (!action->isSeparator()) {
                    texts << action->text();
                }
            }
            QAction* picked = *item != 0 ? popup->findChild<QAction*>(QString::fromLatin1(item)) : nullptr;
            text = picked != nullptr ? picked->text() : texts.join(QLatin1Char('|'));
            popup->close();
            if (picked != nullptr) {
                if (meanwhile) {
                    QTimer::singleShot(0, meanwhile);
                }
                picked->trigger();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, position, widget->mapToGlobal(position));
        QApplication::sendEvent(widget, &event);
        return text;
    }

    std::size_t messages() { return m_window->session().transcript().messages().size(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<UdpProbe> m_probe;
    std::unique_ptr<TMainChat> m_window;
};

QTEST_MAIN(AttentionTest)
#include "AttentionTest.moc"
