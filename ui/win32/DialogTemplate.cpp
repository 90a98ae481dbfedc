#include "ui/win32/DialogTemplate.h"

#include "ui/win32/ControlStyle.h"
#include "ui/win32/WindowText.h"

namespace lirbo::win32 {

namespace {

constexpr WORD kFontPoints = 8;
constexpr std::string_view kFontFace = "Tahoma";

} // namespace

DWORD dialogStyle(DialogFrame frame) {
    const DWORD common = DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    return frame == DialogFrame::Modal ? common | DS_MODALFRAME | DS_CENTER : common | WS_MINIMIZEBOX;
}

DialogTemplate::DialogTemplate(const ui::FormDescription& form, DialogFrame frame) {
    addWord(1);      // dlgVer
    addWord(0xFFFF); // signature: the extended template
    addDword(0);     // helpID
    addDword(0);     // exStyle
    addDword(dialogStyle(frame));
    addWord(static_cast<WORD>(form.controls.size()));
    addRect({0, 0, form.client.width, form.client.height});
    addWord(0); // no menu
    addWord(0); // the dialog class
    addText(form.caption);
    addWord(kFontPoints);
    addWord(0); // weight: normal
    addWord(MAKEWORD(FALSE, DEFAULT_CHARSET));
    addText(kFontFace);
    for (const ui::ControlDescription& control : form.controls) {
        const ControlStyle made = controlStyle(control, ControlHost::Dialog);
        alignToDword();
        addDword(0); // helpID
        addDword(made.exStyle);
        addDword(made.style);
        addRect(control.rect);
        addDword(static_cast<DWORD>(control.id));
        addWord(0xFFFF);
        addWord(made.classAtom);
        addText(control.caption);
        addWord(0); // no creation data
    }
}

void DialogTemplate::addDword(DWORD dword) {
    addWord(LOWORD(dword));
    addWord(HIWORD(dword));
}

void DialogTemplate::addRect(const ui::Rect& rect) {
    for (const int value : {rect.x, rect.y, rect.width, rect.height}) {
        addWord(static_cast<WORD>(static_cast<short>(value)));
    }
}

void DialogTemplate::addText(std::string_view utf8) {
    for (const wchar_t unit : uiText(utf8)) {
        addWord(static_cast<WORD>(unit));
    }
    addWord(0);
}

void DialogTemplate::alignToDword() {
    if (m_words.size() % 2 != 0) {
        addWord(0);
    }
}

INT_PTR showDialog(HINSTANCE instance, HWND owner, const ui::FormDescription& form, DLGPROC procedure,
                   LPARAM parameter) {
    const DialogTemplate dialog(form, DialogFrame::Modal);
    return DialogBoxIndirectParamW(instance, dialog.get(), owner, procedure, parameter);
}

HWND createModelessDialog(HINSTANCE instance, HWND owner, const ui::FormDescription& form, DLGPROC procedure,
                          LPARAM parameter) {
    const DialogTemplate dialog(form, DialogFrame::Modeless);
    return CreateDialogIndirectParamW(instance, dialog.get(), owner, procedure, parameter);
}

} // namespace lirbo::win32
