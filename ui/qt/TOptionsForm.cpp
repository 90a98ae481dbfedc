#include "ui/qt/TOptionsForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace lirbo::ui {

namespace {

constexpr int kWidth = 345;
constexpr int kInnerWidth = kWidth - 16;
constexpr int kRowHeight = 17;

} // namespace

TOptionsForm::TOptionsForm(QWidget* parent) : FixedDialog(parent, QStringLiteral("Параметры"), QSize(kWidth, 285)) {
    setObjectName(QStringLiteral("options"));

    auto* sound = new QGroupBox(QStringLiteral("Звук при получении сообщения"), this);
    sound->setObjectName(QStringLiteral("SoundGroup"));
    sound->setGeometry(8, 8, kInnerWidth, 81);
    m_soundNone = addRadio(sound, "SoundNone", QStringLiteral("Не играть"), 20);
    m_soundPrivate = addRadio(sound, "SoundPrivate", QStringLiteral("Только личные сообщения"), 38);
    m_soundEvery = addRadio(sound, "SoundEvery", QStringLiteral("Все сообщения"), 56);

    m_doNotDisturb = addCheck(this, "DoNotDisturb", QStringLiteral("Не беспокоить"), QPoint(16, 96));
    m_onlyListed = addCheck(this, "OnlyListed", QStringLiteral("Показывать только сообщения от адресов из списка"),
                            QPoint(16, 116));
    m_history = addCheck(this, "HistoryEnabled", QStringLiteral("Вести историю разговора"), QPoint(16, 136));

    auto* tray = new QGroupBox(QStringLiteral("Область уведомлений"), this);
    tray->setObjectName(QStringLiteral("TrayGroup"));
    tray->setGeometry(8, 160, kInnerWidth, 81);
    m_startMinimised =
        addCheck(tray, "StartMinimised", QStringLiteral("Запускать свёрнутым в область уведомлений"), QPoint(8, 20));
    m_closeToTray = addCheck(tray, "CloseToTray", QStringLiteral("Кнопка закрытия прячет окно в область уведомлений"),
                             QPoint(8, 38));
    m_startWithSession =
        addCheck(tray, "StartWithSession", QStringLiteral("Запускать вместе с входом в систему"), QPoint(8, 56));

    // "ОК" in Cyrillic letters, as in the other dialogs.
    QPushButton* ok = addButton(QStringLiteral("BitBtn1"), QStringLiteral("\u041E\u041A"), QRect(174, 252, 75, 25));
    QPushButton* cancel = addButton(QStringLiteral("BitBtn2"), QStringLiteral("Отмена"), QRect(262, 252, 75, 25));
    connect(ok, &QPushButton::clicked, this, [this] { done(kResultOk); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(kResultCancel); });
    setInitialFocus(ok);
}

QRadioButton* TOptionsForm::addRadio(QGroupBox* group, const char* name, const QString& text, int top) {
    auto* radio = new QRadioButton(text, group);
    radio->setObjectName(QString::fromLatin1(name));
    radio->setGeometry(8, top, kInnerWidth - 16, kRowHeight);
    return radio;
}

QCheckBox* TOptionsForm::addCheck(QWidget* parent, const char* name, const QString& text, QPoint position) {
    auto* check = new QCheckBox(text, parent);
    check->setObjectName(QString::fromLatin1(name));
    check->setGeometry(position.x(), position.y(), kInnerWidth - 16, kRowHeight);
    return check;
}

bool TOptionsForm::ask(QWidget* parent, core::TChatOptions& options, bool& historyEnabled) {
    TOptionsForm dialog(parent);
    dialog.setOptions(options, historyEnabled);
    if (dialog.exec() != kResultOk) {
        return false;
    }
    options = dialog.options();
    historyEnabled = dialog.historyEnabled();
    return true;
}

void TOptionsForm::setOptions(const core::TChatOptions& options, bool historyEnabled) {
    switch (options.sound) {
    case core::TArrivalSound::None:
        m_soundNone->setChecked(true);
        break;
    case core::TArrivalSound::PrivateOnly:
        m_soundPrivate->setChecked(true);
        break;
    case core::TArrivalSound::Every:
        m_soundEvery->setChecked(true);
        break;
    }
    m_doNotDisturb->setChecked(options.doNotDisturb);
    m_onlyListed->setChecked(options.onlyListed);
    m_history->setChecked(historyEnabled);
    m_startMinimised->setChecked(options.startMinimised);
    m_closeToTray->setChecked(options.closeToTray);
    m_startWithSession->setChecked(options.startWithSession);
}

core::TChatOptions TOptionsForm::options() const {
    core::TChatOptions options;
    options.sound = m_soundNone->isChecked()    ? core::TArrivalSound::None
                    : m_soundEvery->isChecked() ? core::TArrivalSound::Every
                                                : core::TArrivalSound::PrivateOnly;
    options.doNotDisturb = m_doNotDisturb->isChecked();
    options.onlyListed = m_onlyListed->isChecked();
    options.startMinimised = m_startMinimised->isChecked();
    options.closeToTray = m_closeToTray->isChecked();
    options.startWithSession = m_startWithSession->isChecked();
    return options;
}

bool TOptionsForm::historyEnabled() const {
    return m_history->isChecked();
}

} // namespace lirbo::ui
