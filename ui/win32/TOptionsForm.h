#pragma once

#include "core/ChatOptions.h"
#include "ui/win32/ModalDialog.h"

#include <windows.h>

namespace lirbo::win32 {

// The options dialog "Параметры": the arrival sound, do-not-disturb, only-listed, the history log
// and the notification area's choices. Enter and Esc do nothing; the buttons end it.
class TOptionsForm : ModalDialog {
public:
    // Shows it modally on `options` and `historyEnabled`; true and the chosen values on OK.
    static bool execute(HINSTANCE instance, HWND owner, core::TChatOptions& options, bool& historyEnabled);

private:
    TOptionsForm(core::TChatOptions& options, bool& historyEnabled);
    void fill(HWND dialog) override;   // FormCreate
    bool accept(HWND dialog) override; // OkClick

    core::TChatOptions& m_options;
    bool& m_historyEnabled;
};

} // namespace lirbo::win32
