#include "ui/qt/TMainChat.h"

#include "LoopbackChat.h"
#include "app/StartupFailure.h"
#include "core/Exception.h"
#include "core/NickPalette.h"
#include "support/UdpProbe.h"
#include "ui/common/MainWindowForm.h"
#include "ui/qt/Cp1251.h"
#include "ui/qt/HistoryViewer.h"
#include "ui/qt/LirboLook.h"
#include "ui/qt/MessageBoxes.h"
#include "ui/qt/ModalSeam.h"
#include "ui/qt/PeerListBox.h"
#include "ui/qt/TranscriptView.h"
#include "ui/qt/UiText.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

using lirbo::test::UdpProbe;
using lirbo::ui::ModalSeam;
using lirbo::ui::TMainChat;
using lirbo::ui::uiText;

namespace {

const QByteArray kGone = "\xCE\xD2\xCA\xCB\xDE\xD7\xC8\xCB\xD1\xDF"; // "ОТКЛЮЧИЛСЯ"

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The probe's next datagram as Qt bytes; nothing when none arrives within `timeoutMs`.
std::optional<QByteArray> nextDatagram(const UdpProbe& probe, int timeoutMs = 2000) {
    const std::optional<std::string> bytes = probe.receive(timeoutMs);
    if (!bytes) {
        return std::nullopt;
    }
    return QByteArray::fromStdString(*bytes);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Runs `inside` in the modal loop of the box or dialog the next command opens.
void whenModalOpens(std::function<void(QWidget*)> inside) {
    QTimer::singleShot(0, [inside] {
        QVERIFY(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
        inside(QApplication::activeModalWidget());
    });
}

} // namespace

class MainChatTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { lirbo::ui::LirboLook::setUpApplication(*qApp); }

    void init() {
        ModalSeam::reset();
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

    // Every control, at the design size and a larger one, and the menu, as the description says.
    void buildsTheWindowAsDescribed() {
        open();
        const lirbo::ui::FormDescription& form = lirbo::ui::mainWindowForm();
        TMainChat& w = *m_window;
        QCOMPARE(w.pos(), QPoint(0, 0));
        QCOMPARE(w.windowTitle(), uiText(form.caption));
        QVERIFY(!w.windowIcon().isNull());
        QTRY_COMPARE(QApplication::focusWidget(), child("messaga"));
        QVERIFY(qobject_cast<lirbo::ui::PeerListBox*>(child("iplist")) != nullptr); // no gesture clears it
        QCOMPARE(child("add")->toolTip(), QStringLiteral("Добавить новый IP"));     // decoded as UTF-8
        QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 500);
        QWidget* central = w.centralWidget();
        const QSize design(form.client.width, form.client.height);
        QStringList tabStops;
        for (const QSize size : {design, design + QSize(100, 40)}) {
            w.resize(w.size() + size - central->size());
            QCOMPARE(central->size(), size);
            for (const lirbo::ui::ControlDescription& control : form.controls) {
                QWidget* widget = child(std::string(control.name).c_str());
                const QString name = widget->objectName();
                const lirbo::ui::Rect at = form.place(control, {size.width(), size.height()});
                const QRect placed(widget->mapTo(central, QPoint(0, 0)), widget->size());
                QVERIFY2(placed == QRect(at.x, at.y, at.width, at.height), qPrintable(name));
                QVERIFY2(widget->toolTip() == uiText(control.hint), qPrintable(name));
                QVERIFY2(control.hint.empty() || widget->toolTipDuration() == 2500, qPrintable(name));
                QVERIFY2(widget->accessibleName() == uiText(control.accessibleName), qPrintable(name));
                auto* button = qobject_cast<QAbstractButton*>(widget);
                QVERIFY2(control.glyph.empty() || (button != nullptr && !button->icon().isNull()), qPrintable(name));
                QVERIFY2(widget->isHidden() == ((control.flags & lirbo::ui::kHidden) != 0), qPrintable(name));
                const bool tabStop = (control.flags & lirbo::ui::kTabStop) != 0;
                QVERIFY2(((widget->focusPolicy() & Qt::TabFocus) != 0) == tabStop, qPrintable(name));
                if (tabStop && size == design) {
                    tabStops << name;
                }
            }
        }
        QStringList visited{QApplication::focusWidget()->objectName()};
        while (visited.size() < tabStops.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, tabStops);

        QStringList described;
        for (const lirbo::ui::MenuEntry& entry : form.menu) {
            described << QString::number(static_cast<int>(entry.kind)) + uiText(entry.name) + "|" +
                             uiText(entry.caption);
        }
        QStringList built;
        const auto entry = [](lirbo::ui::MenuEntryKind kind, const QAction* action) { // and no shortcut
            return QString::number(static_cast<int>(kind)) + action->objectName() + "|" + action->text() +
                   action->shortcut().toString();
        };
        for (const QAction* top : w.menuBar()->actions()) {
            built << entry(lirbo::ui::MenuEntryKind::Menu, top);
            for (const QAction* item : top->menu()->actions()) {
                using K = lirbo::ui::MenuEntryKind;
                built << entry(item->isSeparator() ? K::Separator : item->isCheckable() ? K::CheckItem : K::Item, item);
            }
        }
        QCOMPARE(built, described);

        w.resize(10, 10);
        QCOMPARE(w.frameGeometry().size(), QSize(form.minimumFrame.width, form.minimumFrame.height));
    }

    void sendsOnEnterAndOnTheButton() {
        open("127.0.0.1\r\n");
        type(QStringLiteral("Hello"));
        QTest::keyClick(input(), Qt::Key_Return);
        QCOMPARE(nextDatagram(*m_probe), QByteArray("V3Ann;Hello"));
        QCOMPARE(input()->text(), QString());
        type(QStringLiteral("Привет"));
        QTest::mouseClick(child<QPushButton>("bsend"), Qt::LeftButton);
        QCOMPARE(nextDatagram(*m_probe), QByteArray("V3Ann;\xCF\xF0\xE8\xE2\xE5\xF2"));
        const auto& messages = m_window->session().transcript().messages();
        QCOMPARE(messages.size(), std::size_t(2));
        QCOMPARE(messages.back().body, std::string("\xCF\xF0\xE8\xE2\xE5\xF2"));
        QTRY_COMPARE(m_window->memoChat().document()->lastBlock().text(), QStringLiteral("Привет"));
        QCOMPARE(m_window->beeper().count(), 0);
    }

    void emptyLineBeepsAndSendsNothing() {
        open("127.0.0.1\r\n");
        QTest::keyClick(input(), Qt::Key_Return);
        QCOMPARE(m_window->beeper().count(), 1);
        QVERIFY(m_window->session().transcript().messages().empty());
        QVERIFY(!nextDatagram(*m_probe, 100));
    }

    void privateSendNeedsASelection() {
        open("127.0.0.2\r\n127.0.0.1\r\n");
        type(QStringLiteral("psst"));
        QTest::mouseClick(child<QPushButton>("privat"), Qt::LeftButton);
        QVERIFY(m_window->session().transcript().messages().empty());
        QCOMPARE(input()->text(), QStringLiteral("psst"));

        auto* list = child<QListWidget>("iplist");
        const QRect row = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(m_window->session().peers().selectedIndex(), 1);
        QTest::mouseClick(child<QPushButton>("privat"), Qt::LeftButton);
        QCOMPARE(nextDatagram(*m_probe), QByteArray("T3Ann;psst"));
        const auto& echo = m_window->session().transcript().messages().back();
        // "лично для"
        const std::string suffix = "] \xEB\xE8\xF7\xED\xEE \xE4\xEB\xFF 127.0.0.1";
        QVERIFY(echo.header.size() > suffix.size());
        QCOMPARE(echo.header.substr(echo.header.size() - suffix.size()), suffix);
        QCOMPARE(echo.boldLength, std::size_t(3 + 7));
        QCOMPARE(m_window->session().peers().selectedIndex(), 1);
    }

    void burstIntoAFullTranscriptEndsWithTheNewestBodyInView() {
        open();
        auto& transcript = m_window->session().transcript();
        while (transcript.length() + 200 < lirbo::core::TChatTranscript::kCapacity) {
            transcript.appendMessage("Old[12:00]//127.0.0.1", 10, {}, "an older message that fills the transcript");
        }
        QTRY_VERIFY(m_window->memoChat().upToDate());
        for (int i = 0; i < 2500; ++i) {
            m_probe->sendTo(m_window->listenPort(),
                            "V2Eve;burst " + std::to_string(i) + std::string(static_cast<std::size_t>(i % 160), '.'));
            QTest::qWait(1);
        }
        lirbo::ui::TranscriptView& view = m_window->memoChat();
        QTRY_COMPARE(transcript.messages().back().body.substr(0, 11), std::string("burst 2499."));
        QTRY_VERIFY(view.upToDate());
        QVERIFY(view.document()->lastBlock().text().startsWith(QStringLiteral("burst 2499.")));
        QTextCursor end(view.document()->lastBlock());
        end.movePosition(QTextCursor::EndOfBlock);
        const QRect caret = view.cursorRect(end);
        QVERIFY2(view.viewport()->rect().contains(caret.center()),
                 qPrintable(QStringLiteral("end of the newest body at y %1, view %2 high, bar %3 of %4")
                                .arg(caret.center().y())
                                .arg(view.viewport()->height())
                                .arg(view.verticalScrollBar()->value())
                                .arg(view.verticalScrollBar()->maximum())));
    }

    void showsReceivedMessagesFormattedAndUninterpreted() {
        open();
        m_probe->sendTo(m_window->listenPort(), "V3Eve;<b>x</b>");
        QTextDocument* doc = m_window->memoChat().document();
        QTRY_COMPARE(doc->blockCount(), 2);
        QCOMPARE(doc->lastBlock().text(), QStringLiteral("<b>x</b>"));
        const QTextBlock header = doc->begin();
        QVERIFY(QRegularExpression(QStringLiteral("^Eve\\[\\d\\d:\\d\\d\\]//127\\.0\\.0\\.1$"))
                    .match(header.text())
                    .hasMatch());
        const QTextFragment bold = header.begin().fragment();
        QCOMPARE(bold.text().size(), 10);
        QCOMPARE(bold.charFormat().fontWeight(), int(QFont::Bold));
        QCOMPARE(bold.charFormat().foreground().color(), QColor(255, 255, 0));
        const QTextFragment suffix = (++header.begin()).fragment();
        QVERIFY(suffix.charFormat().fontItalic());
        QCOMPARE(suffix.charFormat().foreground().color(), QColor(0, 128, 0));
        QCOMPARE(doc->lastBlock().begin().fragment().charFormat().foreground().color(), QColor(255, 255, 0));
    }

    // A message that arrives while the confirmation box is open shows at once and is cleared by "OK".
    void messageDuringTheClearConfirmationIsClearedWithTheRest() {
        open();
        m_probe->sendTo(m_window->listenPort(), "V1Old;before");
        QTRY_COMPARE(m_window->session().transcript().messages().size(), std::size_t(1));
        bool shownWhileOpen = false;
        whenModalOpens([&](QWidget* box) {
            QCOMPARE(box->windowTitle(), QStringLiteral("Warning"));
            m_probe->sendTo(m_window->listenPort(), "V2New;during");
            shownWhileOpen = QTest::qWaitFor(
                [&] { return m_window->memoChat().document()->lastBlock().text() == QStringLiteral("during"); });
            QTest::keyClick(box, Qt::Key_Return);
        });
        trigger("N8");
        QVERIFY(shownWhileOpen);
        QVERIFY(m_window->session().transcript().messages().empty());
        QTRY_COMPARE(m_window->memoChat().document()->toPlainText(), QString());
    }

    void clearAnsweredOtherwiseKeepsTheTranscript() {
        open();
        m_window->session().transcript().appendMessage("a[00:00]", 8, {}, "b");
        QString copied;
        whenModalOpens([&](QWidget* box) {
            QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
            copied = QApplication::clipboard()->text();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        trigger("N8");
        QCOMPARE(m_window->session().transcript().messages().size(), std::size_t(1));
        QCOMPARE(copied, QStringLiteral("---------------------------\nWarning\n---------------------------\n"
                                        "Вы действительно хотите очистить чат?\n---------------------------\n"
                                        "OK   Cancel   \n---------------------------\n"));
        whenModalOpens([](QWidget* box) { box->close(); });
        trigger("N8");
        QCOMPARE(m_window->session().transcript().messages().size(), std::size_t(1));
    }

    void closeSendsNoticesAndWritesThePeerList() {
        open("127.0.0.1\r\n");
        m_window->session().peers().add("127.0.0.5");
        m_window->session().peers().remove(1);
        m_window->session().peers().add("127.0.0.1");
        QSignalSpy ended(m_window.get(), &TMainChat::endRequested);
        trigger("N2");
        QCOMPARE(ended.count(), 1);
        QCOMPARE(nextDatagram(*m_probe), QByteArray("V3Ann;") + kGone);
        QCOMPARE(nextDatagram(*m_probe), QByteArray("V3Ann;") + kGone);
        const QByteArray ini = readFile(iniPath());
        QVERIFY2(ini.contains("ip0=127.0.0.1") && ini.contains("ip1=127.0.0.1"), ini.constData());
        QVERIFY(m_window->isVisible()); // stays on screen until destroyed
    }

    void failingNoticeSkipsItsPeerAndTheCloseGoesOn() {
        open("127.0.0.1\r\n255.255.255.255\r\n127.0.0.1\r\n");
        m_window->session().peers().add("127.0.0.3");
        ModalSeam::queueButton(QMessageBox::Ok);
        m_window->close();
        QVERIFY(m_window->ended());
        QCOMPARE(ModalSeam::shown(), QStringList({"Lirbo|Socket Error # 10013\nAccess denied."}));
        // The peers on both sides of the failing entry are told.
        QCOMPARE(nextDatagram(*m_probe), QByteArray("V3Ann;") + kGone);
        QCOMPARE(nextDatagram(*m_probe), QByteArray("V3Ann;") + kGone);
        const QByteArray ini = readFile(iniPath());
        QVERIFY2(ini.contains("ip1=255.255.255.255") && ini.contains("ip3=127.0.0.3"), ini.constData());
        // The failing row is red, its hint led by the error.
        const QListWidgetItem* failed = qobject_cast<QListWidget*>(child("iplist"))->item(1);
        QTRY_COMPARE(failed->data(Qt::ForegroundRole).value<QBrush>().color(), QColor(0xC0, 0x00, 0x00));
        QVERIFY(failed->toolTip().startsWith(QStringLiteral("не отправлено: Socket Error # 10013 Access denied.; ")));
    }

    void readOnlySettingsFileShowsItsErrorAndTheCloseGoesOn() {
        open("127.0.0.1\r\n");
        const QByteArray before = readFile(iniPath());
        QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        m_window->session().peers().add("127.0.0.3");
        ModalSeam::queueButton(QMessageBox::Ok);
        m_window->close();
        QVERIFY(m_window->ended());
        QCOMPARE(ModalSeam::shown().size(), 1);
        QVERIFY(ModalSeam::shown().constFirst().startsWith(QStringLiteral("Lirbo|Unable to write to ")));
        QVERIFY(ModalSeam::shown().constFirst().endsWith(QStringLiteral("lirbo.ini.")));
        QCOMPARE(readFile(iniPath()), before);
    }

    void logOffSendsNoticesOnly() {
        open("127.0.0.1\r\n");
        const QByteArray before = readFile(iniPath());
        m_window->session().peers().add("127.0.0.9");
        QSignalSpy ended(m_window.get(), &TMainChat::endRequested);
        m_window->logOff();
        QCOMPARE(ended.count(), 1);
        QCOMPARE(nextDatagram(*m_probe), QByteArray("V3Ann;") + kGone);
        QCOMPARE(readFile(iniPath()), before);
        QVERIFY(ModalSeam::shown().isEmpty());
    }

    void savesTheConversationAsRtfWhateverTheName() {
        open();
        m_window->session().transcript().appendMessage("a[00:00]", 8, {}, "hello");
        const QString path = m_dir->filePath(QStringLiteral("talk.txt"));
        ModalSeam::queueFileName(path);
        trigger("N9");
        QVERIFY(readFile(path).startsWith("{\\rtf"));
        QVERIFY(readFile(path).contains("hello"));
        ModalSeam::queueFileName(QString());
        QFile::remove(path);
        trigger("N9");
        QVERIFY(!QFile::exists(path));
        // The first opening offers "chat"; the next, the path last chosen.
        QCOMPARE(ModalSeam::shown(), QStringList({"|chat", "|" + path}));
    }

    void peerListRoundTripsThroughFiles() {
        open("a\r\n\r\nb\r\n");
        const QString path = m_dir->filePath(QStringLiteral("list.txt"));
        ModalSeam::queueFileName(path);
        QTest::mouseClick(child<QPushButton>("savelist"), Qt::LeftButton);
        QCOMPARE(readFile(path), QByteArray("a\r\n\r\nb\r\n"));
        m_window->session().peers().clear();
        ModalSeam::queueFileName(path);
        QTest::mouseClick(child<QPushButton>("loadlist"), Qt::LeftButton);
        QCOMPARE(child<QListWidget>("iplist")->count(), 3);
        QCOMPARE(child<QListWidget>("iplist")->item(2)->text(), QStringLiteral("b"));
        // A file that vanished after the chooser closed: the error box, the list unchanged.
        QFile::remove(path);
        ModalSeam::queueFileName(path);
        ModalSeam::queueButton(QMessageBox::Ok);
        QTest::mouseClick(child<QPushButton>("loadlist"), Qt::LeftButton);
        QCOMPARE(m_window->session().peers().count(), 3);
        QVERIFY(ModalSeam::shown().last().startsWith(QStringLiteral("Lirbo|Cannot open file \"") + path));
        QCOMPARE(ModalSeam::shown().at(0), QStringLiteral("Сохранить список IP|list"));
    }

    void settingsDialogStoresAndAdoptsTheNick() {
        open();
        bool messageShown = false;
        whenModalOpens([&](QWidget* dialog) {
            QCOMPARE(dialog->findChild<QLineEdit*>("nik")->text(), QStringLiteral("Ann"));
            m_probe->sendTo(m_window->listenPort(), "V0Zed;while the dialog is open");
            messageShown = QTest::qWaitFor([&] { return m_window->memoChat().shownMessages() == 1; });
            dialog->findChild<QLineEdit*>("nik")->setText(QStringLiteral("Боб"));
            dialog->findChild<QComboBox*>("ComboBox1")->setCurrentIndex(6);
            QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
        });
        trigger("N6");
        QVERIFY(messageShown);
        QCOMPARE(m_window->session().controller().nick(), std::string("\xC1\xEE\xE1"));
        QCOMPARE(m_window->session().controller().colourIndex(), 6);
        const QByteArray ini = readFile(iniPath());
        QVERIFY(ini.contains("nik=\xC1\xEE\xE1") && ini.contains("nik_color=6"));
    }

    void optionsDialogAndDoNotDisturbItemReadBack() {
        open();
        whenModalOpens([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Параметры"));
            dialog->findChild<QRadioButton*>("SoundEvery")->setChecked(true);
            dialog->findChild<QCheckBox*>("DoNotDisturb")->setChecked(true);
            dialog->findChild<QCheckBox*>("CloseToTray")->setChecked(true);
            QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
        });
        trigger("OptionsItem");
        QVERIFY(m_window->session().options() ==
                (lirbo::core::TChatOptions{lirbo::core::TArrivalSound::Every, true, false, false, true, false}));
        auto* quiet = m_window->findChild<QAction*>("DoNotDisturbItem");
        QVERIFY(quiet->isCheckable() && quiet->isChecked());
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Lirbo (не беспокоить)"));

        trigger("DoNotDisturbItem");
        QVERIFY(!m_window->session().options().doNotDisturb && !quiet->isChecked());
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Lirbo"));
    }

    void addressEditorAddsAndEdits() {
        open();
        whenModalOpens([](QWidget* editor) {
            QTest::keyClicks(editor->findChild<QLineEdit*>("newip"), QStringLiteral("10.0.0.3"));
            QTest::keyClick(editor->findChild<QLineEdit*>("newip"), Qt::Key_Return);
        });
        QTest::mouseClick(child<QPushButton>("add"), Qt::LeftButton);
        QCOMPARE(m_window->session().peers().entries(), std::vector<std::string>({"10.0.0.3"}));
        // Nothing selected: edit opens nothing.
        QTest::mouseClick(child<QPushButton>("editIP"), Qt::LeftButton);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        m_window->session().peers().setSelectedIndex(0);
        whenModalOpens([](QWidget* editor) {
            auto* field = editor->findChild<QLineEdit*>("newip");
            QCOMPARE(field->text(), QStringLiteral("10.0.0.3"));
            field->setText(QStringLiteral("10.0.0.4"));
            QTest::mouseClick(editor->findChild<QPushButton*>("Button1"), Qt::LeftButton);
        });
        QTest::mouseClick(child<QPushButton>("editIP"), Qt::LeftButton);
        QCOMPARE(m_window->session().peers().entries(), std::vector<std::string>({"10.0.0.4"}));
        QCOMPARE(child<QListWidget>("iplist")->item(0)->text(), QStringLiteral("10.0.0.4"));
        QCOMPARE(m_window->session().peers().selectedIndex(), 0);
        QTest::mouseClick(child<QPushButton>("del"), Qt::LeftButton);
        QCOMPARE(m_window->session().peers().count(), 0);
    }

    void errorBoxShowsTheTextAsGiven_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("full stop") << QByteArray("Host not found.") << QStringLiteral("Host not found.");
        QTest::newRow("cr lf") << QByteArray("Socket Error # 11004\r\n") << QStringLiteral("Socket Error # 11004\n");
        QTest::newRow("cyrillic") << QByteArray("\xCE\xF8\xE8\xE1\xEA\xE0.") << QStringLiteral("Ошибка.");
    }
    void errorBoxShowsTheTextAsGiven() {
        QFETCH(QByteArray, message);
        QFETCH(QString, shown);
        ModalSeam::queueButton(QMessageBox::Ok);
        lirbo::ui::MessageBoxes::showError(nullptr, message.toStdString());
        QCOMPARE(ModalSeam::shown(), QStringList({"Lirbo|" + shown}));
    }

    void errorBoxIsARealModalBox() {
        QString caption;
        QMessageBox::Icon icon{};
        int buttons = 0;
        whenModalOpens([&](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            QVERIFY(box != nullptr);
            caption = box->windowTitle();
            icon = box->icon();
            buttons = static_cast<int>(box->buttons().size());
            QTest::keyClick(box, Qt::Key_Return);
        });
        lirbo::ui::MessageBoxes::showError(nullptr, "boom");
        QCOMPARE(caption, QStringLiteral("Lirbo"));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons, 1);
    }

    void portInUseStopsTheWindowWithItsReport() {
        UdpProbe holder;
        try {
            lirbo::test::LoopbackChat window(holder.port(), m_probe->port());
            QFAIL("the window was built although its port is taken");
        } catch (const lirbo::core::Exception& error) {
            QCOMPARE(error.className(), "EIdCouldNotBindSocket");
            const QString text = QString::fromStdString(lirbo::app::StartupFailure::text(error));
            const QRegularExpression pattern(
                QStringLiteral("^Exception EIdCouldNotBindSocket in module ui_main_window at [0-9A-F]{8}\\.\\n"
                               "Could not bind socket\\. Address and port are already in use\\.\\n$"));
            QVERIFY2(pattern.match(text).hasMatch(), qPrintable(text));
        }
        // A window built afterwards works as usual.
        open();
        QVERIFY(m_window->listenPort() > 0);
    }

    void inputLineSendsWhatItShows() {
        open("127.0.0.1\r\n");
        QApplication::clipboard()->setText(QStringLiteral("one\ntwo\r\nthree"));
        input()->paste();
        QCOMPARE(input()->text(), QStringLiteral("one two three"));
        QTest::keyClick(input(), Qt::Key_Return);
        QCOMPARE(nextDatagram(*m_probe), QByteArray("V3Ann;one two three"));

        // A character Windows-1251 lacks: nothing goes out, the box names it, the line keeps it.
        input()->setText(QStringLiteral("smile \U0001F600"));
        ModalSeam::queueButton(QMessageBox::Ok);
        QTest::keyClick(input(), Qt::Key_Return);
        QCOMPARE(ModalSeam::shown().size(), 1);
        QVERIFY2(ModalSeam::shown().constFirst().endsWith(QStringLiteral("U+1F600.")),
                 qPrintable(ModalSeam::shown()[0]));
        QCOMPARE(input()->text(), QStringLiteral("smile \U0001F600"));
        QVERIFY(!nextDatagram(*m_probe, 100));

        // Ctrl+Up brings the sent line back, Ctrl+Down the one being typed.
        QTest::keyClick(input(), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(input()->text(), QStringLiteral("one two three"));
        QTest::keyClick(input(), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(input()->text(), QStringLiteral("smile \U0001F600"));
    }

    void focusComesBackToTheInputLineAfterAListButton() {
        open("127.0.0.1\r\n127.0.0.2\r\n");
        QTest::mouseClick(child<QPushButton>("del"), Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(input()));
        // A space typed next goes into the line, not to the button.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(input()->text(), QStringLiteral(" "));
    }

    void findBarHighlightsEachMatch() {
        open();
        m_probe->sendTo(m_window->listenPort(), "V1Eve;\xCF\xF0\xE8\xE2\xE5\xF2");  // Привет
        m_probe->sendTo(m_window->listenPort(), "V2Bob;\xEF\xF0\xE8\xE2\xE5\xF2!"); // привет!
        QTRY_COMPARE(m_window->session().transcript().messages().size(), std::size_t(2));
        QTest::keySequence(m_window.get(), QKeySequence::Find);
        auto* field = child<QLineEdit>("findText");
        QTRY_VERIFY(field->hasFocus());
        // The transcript gives the bar its height and takes it back.
        const lirbo::ui::FormDescription& form = lirbo::ui::mainWindowForm();
        const QSize area = m_window->centralWidget()->size();
        const int memoHeight = form.place(*form.find("MemoChat"), {area.width(), area.height()}).height;
        QCOMPARE(child("MemoChat")->height() + child("FindBar")->height(), memoHeight);
        QCOMPARE(child("FindBar")->y(), child("MemoChat")->geometry().bottom() + 1);
        field->setText(QStringLiteral("ПРИВ"));
        const auto highlighted = [this] {
            const auto selections = m_window->memoChat().extraSelections();
            return selections.isEmpty() ? QString()
                                        : QString::number(selections[0].cursor.blockNumber()) + ":" +
                                              selections[0].cursor.selectedText();
        };
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(highlighted(), QStringLiteral("1:Прив"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(highlighted(), QStringLiteral("3:прив"));
        QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(highlighted(), QStringLiteral("1:Прив"));
        field->setText(QStringLiteral("нет такого"));
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(child("findNotFound")->isVisible());
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!child("FindBar")->isVisible());
        QCOMPARE(child("MemoChat")->height(), memoHeight);
    }

    void historyItemOpensTodaysLog() {
        open("127.0.0.1\r\n");
        QUrl opened;
        bool viewer = true;
        m_window->setFileOpener([&opened, &viewer](const QUrl& url) {
            opened = url;
            return viewer;
        });
        type(QStringLiteral("kept\r"));
        trigger("N10");
        const QString expected = QDir(m_dir->filePath(QStringLiteral("history")))
                                     .filePath(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) + ".txt");
        QCOMPARE(opened.toLocalFile(), expected);
        QVERIFY(readFile(expected).endsWith("\tAnn\tkept\t3\r\n"));
        // Without a viewer the error box names the file.
        viewer = false;
        ModalSeam::queueButton(QMessageBox::Ok);
        trigger("N10");
        QCOMPARE(ModalSeam::shown().size(), 1);
        QVERIFY2(ModalSeam::shown().constFirst().contains(expected), qPrintable(ModalSeam::shown().constFirst()));
    }

    void historyViewerReadsFindsAndCopiesTheLog() {
        open("127.0.0.1\r\n");
        type(QStringLiteral("Привет, <b>Мир</b>\r"));
        trigger("N12");
        auto* viewer = m_window->historyViewer();
        QVERIFY(viewer != nullptr && viewer->isVisible() && !viewer->isModal());
        auto* days = viewer->findChild<QListWidget*>(QStringLiteral("days"));
        QCOMPARE(days->count(), 1);
        QCOMPARE(days->item(0)->text(), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
        auto* view = viewer->findChild<lirbo::ui::TranscriptView*>(QStringLiteral("dayView"));
        QTRY_VERIFY(viewer->idle() && view->toPlainText().endsWith(QStringLiteral("\nПривет, <b>Мир</b>")));
        QVERIFY(view->toPlainText().startsWith(QStringLiteral("Ann[")));

        auto* search = viewer->findChild<QLineEdit*>(QStringLiteral("searchText"));
        search->setText(QStringLiteral("мИР"));
        QTest::keyClick(search, Qt::Key_Return);
        auto* hits = viewer->findChild<QListWidget*>(QStringLiteral("hits"));
        QTRY_COMPARE(hits->count(), 1);
        QVERIFY(hits->item(0)->text().endsWith(QStringLiteral(": Привет, <b>Мир</b>")));
        hits->setCurrentRow(0);
        emit hits->itemActivated(hits->item(0));
        QTRY_COMPARE(view->extraSelections().size(), 1);
        QCOMPARE(view->extraSelections().constFirst().cursor.selectedText(), QStringLiteral("Мир"));

        view->setFocus();
        view->selectAll();
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QApplication::clipboard()->text().endsWith(QStringLiteral("Привет, <b>Мир</b>")));
    }

private:
    void open(const QByteArray& peers = {}) {
        QByteArray ini = "[user]\r\nnik_color=3\r\nnik=Ann\r\nstart=0\r\n[ip]\r\n";
        int i = 0;
        for (const QByteArray& peer : peers.split('\n')) {
            if (!peer.isEmpty()) {
                ini += "ip" + QByteArray::number(i++) + "=" + peer.trimmed() + "\r\n";
            }
        }
        if (peers.contains("\r\n\r\n")) { // an empty entry between others
            ini = "[user]\r\nnik_color=3\r\nnik=Ann\r\nstart=0\r\n[ip]\r\nip0=a\r\nip1=\r\nip2=b\r\n";
        }
        writeFile(iniPath(), ini);
        m_window = std::make_unique<lirbo::test::LoopbackChat>(0, m_probe->port());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->activateWindow();
    }

    QString iniPath() const { return m_dir->filePath(QStringLiteral("lirbo.ini")); }

    template <typename W = QWidget> W* child(const char* name) const {
        W* widget = m_window->findChild<W*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qFatal("no child %s", name);
        }
        return widget;
    }

    QLineEdit* input() const { return child<QLineEdit>("messaga"); }
    // Types as a keyboard would, any character, into the input line.
    void type(const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(input(), &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(input(), &release);
        }
    }
    void trigger(const char* action) { m_window->findChild<QAction*>(QString::fromLatin1(action))->trigger(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<UdpProbe> m_probe;
    std::unique_ptr<TMainChat> m_window;
};

QTEST_MAIN(MainChatTest)
#include "TMainChatTest.moc"
