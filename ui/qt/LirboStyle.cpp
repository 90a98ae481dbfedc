#include "ui/qt/LirboStyle.h"

#include <QDialogButtonBox>

namespace lirbo::ui {

int LirboStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                          QStyleHintReturn* returnData) const {
    switch (hint) {
    case SH_ToolTip_WakeUpDelay:
        return kHintDelay;
    case SH_MessageBox_CenterButtons:
        return 1;
    case SH_DialogButtonLayout:
        return QDialogButtonBox::WinLayout;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

} // namespace lirbo::ui
