#include "ui/win32/DialogTemplate.h"

#include "ui/win32/WindowText.h"

namespace lirbo::win32 {

namespace {

// The predefined window classes a template names by atom.
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;
constexpr WORD kListBoxAtom = 0x0083;
constexpr WORD kComboBoxAtom = 0x0085;

constexpr WORD kFontPoints = 8;
constexpr std::string_view kFontFace = "Tahoma";

using ui::ControlKind;

WORD classAtom(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
    case ControlKind::Picture:
        return kStaticAtom;
    case ControlKind::Edit:
    case ControlKind::Transcript:
        return kEditAtom;
    case ControlKind::List:
        return kListBoxAtom;
    case ControlKind::ComboBox:
        return kComboBoxAtom;
    case ControlKind::Button:
    case ControlKind::GlyphButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::GroupBox:
        break;
    }
    return kButtonAtom;
}

// The style a kind has before any flag. A label starts a group, so that the arrow keys never move
// past it. A transcript in a template is the plain read-only, multi-line edit.
DWORD kindStyle(const ui::ControlDescription& control) {
    const bool multiLine = (control.flags & ui::kMultiLine) != 0 || control.kind == ControlKind::Transcript;
    switch (control.kind) {
    case ControlKind::Label:
        return SS_LEFT | WS_GROUP;
    case ControlKind::Edit:
    case ControlKind::Transcript:
        return WS_BORDER | (multiLine ? ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL);
    case ControlKind::Button:
        return BS_PUSHBUTTON;
    case ControlKind::GlyphButton:
        return BS_PUSHBUTTON | BS_BITMAP;
    case ControlKind::CheckBox:
        return BS_AUTOCHECKBOX;
    case ControlKind::RadioButton:
        return BS_AUTORADIOBUTTON;
    case ControlKind::GroupBox:
        return BS_GROUPBOX;
    case ControlKind::ComboBox:
        return CBS_DROPDOWNLIST | WS_VSCROLL;
    case ControlKind::List:
        return LBS_NOTIFY | WS_BORDER | WS_VSCROLL;
    case ControlKind::Picture: // the banner, drawn over by the labels after it
        return SS_BITMAP | SS_REALSIZECONTROL | WS_CLIPSIBLINGS;
    }
    return 0;
}

} // namespace

DWORD dialogStyle(DialogFrame frame) {
    const DWORD common = DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    return frame == DialogFrame::Modal ? common | DS_MODALFRAME | DS_CENTER : common | WS_MINIMIZEBOX;
}

// The default button flag sets no style: Enter is each dialog's own (DialogKeys), and a default
// push button would both look pressed-by-Enter while a field has the focus and turn Enter in a
// field into its click, where the settings and the options let Enter do nothing.
DWORD controlStyle(const ui::ControlDescription& control) {
    DWORD style = WS_CHILD | kindStyle(control);
    const unsigned flags = control.flags;
    style |= (flags & ui::kHidden) != 0 ? 0 : WS_VISIBLE;
    style |= (flags & ui::kTabStop) != 0 ? WS_TABSTOP : 0;
    style |= (flags & ui::kStartsGroup) != 0 ? WS_GROUP : 0;
    style |= (flags & ui::kLink) != 0 ? SS_NOTIFY : 0;
    style |= (flags & ui::kEndEllipsis) != 0 ? SS_NOPREFIX | SS_ENDELLIPSIS : 0;
    style |= (flags & ui::kReadOnly) != 0 ? ES_READONLY : 0;
    return style;
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
        alignToDword();
        addDword(0); // helpID
        addDword(0); // exStyle
        addDword(controlStyle(control));
        addRect(control.rect);
        addDword(static_cast<DWORD>(control.id));
        addWord(0xFFFF);
        addWord(classAtom(control.kind));
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
