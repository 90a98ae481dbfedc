#include "ui/qt/TOptionsForm.h"

#include "DialogTestSupport.h"

#include <QAbstractButton>
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
};

QTEST_MAIN(TOptionsFormTest)
#include "TOptionsFormTest.moc"
