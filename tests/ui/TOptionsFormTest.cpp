#include "ui/qt/TOptionsForm.h"

#include "DialogTestSupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPushButton>

using lirbo::core::TArrivalSound;
using lirbo::core::TChatOptions;
using lirbo::ui::TOptionsForm;

class TOptionsFormTest : public QObject {
    Q_OBJECT

private slots:
    // Each value alone, so that two controls wired to one option, or swapped, show up.
    void everyValueComesBackAsSet() {
        std::vector<std::pair<TChatOptions, bool>> cases(9, {TChatOptions{}, true});
        cases[0].first.sound = TArrivalSound::None;
        cases[1].first.sound = TArrivalSound::Every;
        cases[2].first.doNotDisturb = true;
        cases[3].first.onlyListed = true;
        cases[4].first.startMinimised = true;
        cases[5].first.closeToTray = true;
        cases[6].first.startWithSession = true;
        cases[7].second = false;
        for (const auto& [options, history] : cases) {
            TOptionsForm dialog;
            dialog.setOptions(options, history);
            QVERIFY(dialog.options() == options);
            QCOMPARE(dialog.historyEnabled(), history);
            int checks = 0;
            for (const QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
                checks += box->isChecked() ? 1 : 0;
            }
            QCOMPARE(checks, int(history) + options.doNotDisturb + options.onlyListed + options.startMinimised +
                                 options.closeToTray + options.startWithSession);
        }
    }

    void showsItsTextsWithinItsBounds() {
        TOptionsForm dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Параметры"));
        const QStringList texts{QStringLiteral("Не играть"),
                                QStringLiteral("Только личные сообщения"),
                                QStringLiteral("Все сообщения"),
                                QStringLiteral("Не беспокоить"),
                                QStringLiteral("Показывать только сообщения от адресов из списка"),
                                QStringLiteral("Вести историю разговора"),
                                QStringLiteral("Запускать свёрнутым в область уведомлений"),
                                QStringLiteral("Кнопка закрытия прячет окно в область уведомлений"),
                                QStringLiteral("Запускать вместе с входом в систему"),
                                QStringLiteral("\u041E\u041A"),
                                QStringLiteral("Отмена")};
        QStringList shown;
        for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
            shown << button->text();
            const QRect inDialog(button->mapTo(&dialog, QPoint()), button->size());
            QVERIFY2(dialog.rect().contains(inDialog), qPrintable(button->text()));
            // A push button's hint has a minimum width of the style's; the boxes' texts must fit.
            QVERIFY2(qobject_cast<const QPushButton*>(button) || button->sizeHint().width() <= button->width(),
                     qPrintable(button->text()));
        }
        QCOMPARE(shown, texts);
    }
};

QTEST_MAIN(TOptionsFormTest)
#include "TOptionsFormTest.moc"
