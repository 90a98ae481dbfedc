#pragma once

#include "core/ChatOptions.h"
#include "ui/qt/FixedDialog.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace lirbo::ui {

// The options dialog: the arrival sound, do-not-disturb, only-listed, the history log, and the
// notification area's choices. The caller sets the values and reads them back when
// exec() returns kResultOk.
class TOptionsForm : public FixedDialog {
    Q_OBJECT

public:
    explicit TOptionsForm(QWidget* parent = nullptr);

    // Opens the dialog on `options` and `historyEnabled`; true and the chosen values on OK.
    static bool ask(QWidget* parent, core::TChatOptions& options, bool& historyEnabled);

    void setOptions(const core::TChatOptions& options, bool historyEnabled);
    core::TChatOptions options() const;
    bool historyEnabled() const;

private:
    QRadioButton* m_soundNone = nullptr;
    QRadioButton* m_soundPrivate = nullptr;
    QRadioButton* m_soundEvery = nullptr;
    QCheckBox* m_doNotDisturb = nullptr;
    QCheckBox* m_onlyListed = nullptr;
    QCheckBox* m_history = nullptr;
    QCheckBox* m_startMinimised = nullptr;
    QCheckBox* m_closeToTray = nullptr;
    QCheckBox* m_startWithSession = nullptr;
};

} // namespace lirbo::ui
