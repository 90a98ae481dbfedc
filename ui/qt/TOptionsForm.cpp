#include "ui/qt/TOptionsForm.h"

#include "ui/common/DialogForms.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace lirbo::ui {

TOptionsForm::TOptionsForm(QWidget* parent) : FixedDialog(parent, optionsForm()) {
    m_soundNone = control<QRadioButton>("SoundNone");
    m_soundPrivate = control<QRadioButton>("SoundPrivate");
    m_soundEvery = control<QRadioButton>("SoundEvery");
    m_doNotDisturb = control<QCheckBox>("DoNotDisturb");
    m_onlyListed = control<QCheckBox>("OnlyListed");
    m_history = control<QCheckBox>("HistoryEnabled");
    m_startMinimised = control<QCheckBox>("StartMinimised");
    m_closeToTray = control<QCheckBox>("CloseToTray");
    m_startWithSession = control<QCheckBox>("StartWithSession");

    auto* ok = control<QPushButton>("BitBtn1");
    connect(ok, &QPushButton::clicked, this, [this] { done(kResultOk); });
    connect(control<QPushButton>("BitBtn2"), &QPushButton::clicked, this, [this] { done(kResultCancel); });
    setInitialFocus(ok);
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
