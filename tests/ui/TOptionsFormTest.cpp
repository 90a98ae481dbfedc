#include "ui/qt/TOptionsForm.h"

#include "DialogTestSupport.h"

#include <QAbstractButton>
#include <QPushButton>
#include <tuple>

using lirbo::core::TArrivalSound;
using lirbo::core::TChatOptions;
using lirbo::ui::TOptionsForm;

class TOptionsFormTest : public QObject {
    Q_OBJECT

private slots:
    // Each value alone checks its own control, so that swapped or shared wiring shows up.
    void everyValueComesBackAsSetOnItsControl() {
        using Sound = TArrivalSound;
        const std::tuple<TChatOptions, bool, QString> cases[] = {
            {{Sound::None}, false, "SoundNone"},
            {{Sound::Every}, false, "SoundEvery"},
            {{Sound::PrivateOnly, 1}, false, "SoundPrivate DoNotDisturb"},
            {{Sound::PrivateOnly, 0, 1}, false, "SoundPrivate OnlyListed"},
            {{Sound::PrivateOnly, 0, 0, 1}, false, "SoundPrivate StartMinimised"},
            {{Sound::PrivateOnly, 0, 0, 0, 1}, false, "SoundPrivate CloseToTray"},
            {{Sound::PrivateOnly, 0, 0, 0, 0, 1}, false, "SoundPrivate StartWithSession"},
            {{}, true, "SoundPrivate HistoryEnabled"}};
        for (const auto& [options, history, expected] : cases) {
            TOptionsForm dialog;
            dialog.setOptions(options, history);
            QVERIFY(dialog.options() == options && dialog.historyEnabled() == history);
            QStringList checked;
            for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
                if (button->isChecked()) {
                    checked << button->objectName();
                }
            }
            QCOMPARE(checked.join(u' '), expected);
        }
    }

    void showsItsTextsWithinItsBounds() {
        TOptionsForm dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Параметры"));
        QStringList shown;
        for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
            shown << button->text();
            const QRect inDialog(button->mapTo(&dialog, QPoint()), button->size());
            QVERIFY2(dialog.rect().contains(inDialog), qPrintable(button->text()));
            // A push button's hint has a minimum width of the style's; the boxes' texts must fit.
            QVERIFY2(qobject_cast<const QPushButton*>(button) || button->sizeHint().width() <= button->width(),
                     qPrintable(button->text()));
        }
        QCOMPARE(shown.join(u'|'), QStringLiteral("Не играть|Только личные сообщения|Все сообщения|Не беспокоить|"
                                                  "Показывать только сообщения от адресов из списка|"
                                                  "Вести историю разговора|Запускать свёрнутым в область уведомлений|"
                                                  "Кнопка закрытия прячет окно в область уведомлений|"
                                                  "Запускать вместе с входом в систему|\u041E\u041A|Отмена"));
    }
};

QTEST_MAIN(TOptionsFormTest)
#include "TOptionsFormTest.moc"
