#include "ui/win32/ControlStyle.h"

#include <commctrl.h>

namespace lirbo::win32 {

namespace {

using ui::ControlKind;

// The predefined window classes a template names by atom.
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;
constexpr WORD kListBoxAtom = 0x0083;
constexpr WORD kComboBoxAtom = 0x0085;

struct KindStyle {
    const wchar_t* className;
    WORD classAtom;
    DWORD style; // before flags and host
};

KindStyle kindStyle(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return {WC_STATICW, kStaticAtom, SS_LEFT};
    case ControlKind::Edit:
    case ControlKind::Transcript:
        return {WC_EDITW, kEditAtom, 0};
    case ControlKind::Button: // a glyph goes left of the caption, the two centred together
        return {WC_BUTTONW, kButtonAtom, BS_PUSHBUTTON};
    case ControlKind::GlyphButton:
        return {WC_BUTTONW, kButtonAtom, BS_PUSHBUTTON | BS_BITMAP};
    case ControlKind::CheckBox:
        return {WC_BUTTONW, kButtonAtom, BS_AUTOCHECKBOX};
    case ControlKind::RadioButton:
        return {WC_BUTTONW, kButtonAtom, BS_AUTORADIOBUTTON};
    case ControlKind::GroupBox:
        return {WC_BUTTONW, kButtonAtom, BS_GROUPBOX};
    case ControlKind::ComboBox:
        return {WC_COMBOBOXW, kComboBoxAtom, CBS_DROPDOWNLIST | WS_VSCROLL};
    case ControlKind::List:
        return {WC_LISTBOXW, kListBoxAtom, LBS_NOTIFY | WS_VSCROLL};
    case ControlKind::Picture:
        return {WC_STATICW, kStaticAtom, SS_BITMAP | SS_REALSIZECONTROL};
    }
    return {WC_STATICW, kStaticAtom, SS_LEFT};
}

// What each host adds to a kind.
struct HostStyle {
    DWORD labelStyle;   // every label
    DWORD boxStyle;     // edits and lists: their sunken frame as a style...
    DWORD boxExStyle;   // ...or as an extended style
    DWORD listStyle;    // lists
    DWORD pictureStyle; // pictures
};

// The window's labels pass clicks on and show their text as it stands; its list's rows are drawn
// by the window, which keeps their strings. A dialog's label starts a group, so that the arrow keys
// never move past it; its banner is drawn over by the labels after it.
constexpr HostStyle kWindow{SS_NOTIFY | SS_NOPREFIX, 0, WS_EX_CLIENTEDGE,
                            LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 0};
constexpr HostStyle kDialog{WS_GROUP, WS_BORDER, 0, 0, WS_CLIPSIBLINGS};

bool has(const ui::ControlDescription& control, unsigned flag) {
    return (control.flags & flag) != 0;
}

} // namespace

// The default button flag sets no style: Enter is each dialog's own (DialogKeys), and a default
// push button would both look pressed-by-Enter while a field has the focus and turn Enter in a
// field into its click, where the settings and the options let Enter do nothing.
ControlStyle controlStyle(const ui::ControlDescription& control, ControlHost host) {
    const HostStyle& added = host == ControlHost::Window ? kWindow : kDialog;
    const KindStyle kind = kindStyle(control.kind);
    ControlStyle made{kind.className, kind.classAtom, WS_CHILD | kind.style, 0};
    made.style |= has(control, ui::kHidden) ? 0 : WS_VISIBLE;
    made.style |= has(control, ui::kTabStop) ? WS_TABSTOP : 0;
    made.style |= has(control, ui::kStartsGroup) ? WS_GROUP : 0;
    switch (control.kind) {
    case ControlKind::Label:
        made.style |= added.labelStyle | (has(control, ui::kLink) ? SS_NOTIFY : 0) |
                      (has(control, ui::kEndEllipsis) ? SS_NOPREFIX | SS_ENDELLIPSIS : 0);
        break;
    case ControlKind::Edit:
    case ControlKind::Transcript: {
        const bool multiLine = has(control, ui::kMultiLine) || control.kind == ControlKind::Transcript;
        made.style |= added.boxStyle | (multiLine ? ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL) |
                      (has(control, ui::kReadOnly) ? ES_READONLY : 0);
        made.exStyle = added.boxExStyle;
        break;
    }
    case ControlKind::List:
        made.style |= added.boxStyle | added.listStyle;
        made.exStyle = added.boxExStyle;
        break;
    case ControlKind::Picture:
        made.style |= added.pictureStyle;
        break;
    default:
        break;
    }
    return made;
}

} // namespace lirbo::win32
