#include "ui/win32/DialogKeys.h"

namespace lirbo::win32 {

int enterTarget(HWND dialog, int otherwise) {
    HWND focus = GetFocus();
    if (focus == nullptr || GetParent(focus) != dialog) {
        return otherwise;
    }
    const auto code = SendMessageW(focus, WM_GETDLGCODE, 0, 0);
    if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0) {
        return GetDlgCtrlID(focus);
    }
    return otherwise;
}

} // namespace lirbo::win32
