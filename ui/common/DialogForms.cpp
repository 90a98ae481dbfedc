#include "ui/common/DialogForms.h"

#include "core/Texts.h"
#include "ui/common/ControlIds.h"

namespace lirbo::ui {

namespace {

using K = ControlKind;

// No button of these dialogs is a default button: Enter presses only the button that has the focus.
constexpr unsigned kTop = kAnchorTopLeft;
constexpr unsigned kGroupTab = kStartsGroup | kTabStop;

// A control with only a caption: a label, a button, a check box.
constexpr ControlDescription captioned(std::string_view name, int id, ControlKind kind, Rect rect,
                                       std::string_view caption, unsigned flags = kNoFlags) {
    return {name, id, kind, rect, kTop, flags, caption, {}, {}, {}};
}

// A control without a caption, named for a screen reader by the label before it or by `name`.
constexpr ControlDescription uncaptioned(std::string_view name, int id, ControlKind kind, Rect rect, unsigned flags,
                                         std::string_view accessibleName = {}) {
    return {name, id, kind, rect, kTop, flags, {}, {}, accessibleName, {}};
}

// Keyboard order: nik, ОК, Отмена, ComboBox1, as the dialog has always had it.
constexpr ControlDescription kNastroy[] = {
    captioned("Label1", IDC_NASTROY_LABEL1, K::Label, {8, 8, 24, 13}, text::kNastroyNick),
    uncaptioned("nik", IDC_NIK, K::Edit, {8, 24, 161, 21}, kTabStop, text::kNastroyNick),
    captioned("Label2", IDC_NASTROY_LABEL2, K::Label, {8, 56, 30, 13}, text::kNastroyColour),
    captioned("BitBtn1", IDC_BITBTN1, K::Button, {8, 112, 75, 25}, text::kOkCyrillic, kTabStop),
    captioned("BitBtn2", IDC_BITBTN2, K::Button, {96, 112, 75, 25}, text::kCancel, kTabStop),
    // The drop-down's height is that of its open list.
    uncaptioned("ComboBox1", IDC_COMBOBOX1, K::ComboBox, {8, 80, 161, 127}, kTabStop, text::kNastroyColour),
};

constexpr ControlDescription kIpEdit[] = {
    captioned("Label1", IDC_IPEDIT_LABEL1, K::Label, {8, 8, 80, 13}, text::kIpEditAddress),
    uncaptioned("newip", IDC_NEWIP, K::Edit, {8, 24, 129, 21}, kTabStop, text::kIpEditAddress),
    captioned("Button1", IDC_IPEDIT_BUTTON1, K::Button, {8, 56, 57, 25}, text::kOkLatin, kTabStop),
    captioned("Button2", IDC_IPEDIT_BUTTON2, K::Button, {80, 56, 57, 25}, text::kCancel, kTabStop),
};

// Label2 shows the address, filled in when the dialog opens.
constexpr ControlDescription kPeerLabel[] = {
    captioned("Label1", IDC_PODPIS_LABEL1, K::Label, {8, 8, 169, 13}, text::kPeerLabelPrompt),
    uncaptioned("Label2", IDC_PODPIS_LABEL2, K::Label, {8, 24, 169, 13}, kEndEllipsis),
    uncaptioned("podpis_edit", IDC_PODPIS_EDIT, K::Edit, {8, 40, 169, 21}, kTabStop, text::kPeerLabelPrompt),
    captioned("Button1", IDC_PODPIS_BUTTON1, K::Button, {8, 72, 75, 25}, text::kOkLatin, kTabStop),
    captioned("Button2", IDC_PODPIS_BUTTON2, K::Button, {102, 72, 75, 25}, text::kCancel, kTabStop),
};

// The sound's radio buttons follow its values 0, 1, 2.
constexpr ControlDescription kOptions[] = {
    captioned("SoundGroup", IDC_OPTIONS_SOUND_GROUP, K::GroupBox, {8, 8, 329, 81}, text::kOptionsSoundGroup),
    captioned("SoundNone", IDC_OPTIONS_SOUND_NONE, K::RadioButton, {16, 28, 313, 17}, text::kOptionsSoundNone,
              kGroupTab),
    captioned("SoundPrivate", IDC_OPTIONS_SOUND_PRIVATE, K::RadioButton, {16, 46, 313, 17}, text::kOptionsSoundPrivate),
    captioned("SoundEvery", IDC_OPTIONS_SOUND_EVERY, K::RadioButton, {16, 64, 313, 17}, text::kOptionsSoundEvery),
    captioned("DoNotDisturb", IDC_OPTIONS_DND, K::CheckBox, {16, 96, 313, 17}, text::kOptionsDoNotDisturb, kGroupTab),
    captioned("OnlyListed", IDC_OPTIONS_ONLY_LISTED, K::CheckBox, {16, 116, 313, 17}, text::kOptionsOnlyListed,
              kTabStop),
    captioned("HistoryEnabled", IDC_OPTIONS_HISTORY, K::CheckBox, {16, 136, 313, 17}, text::kOptionsHistory, kTabStop),
    captioned("TrayGroup", IDC_OPTIONS_TRAY_GROUP, K::GroupBox, {8, 160, 329, 81}, text::kOptionsTrayGroup),
    captioned("StartMinimised", IDC_OPTIONS_START_MINIMISED, K::CheckBox, {16, 180, 313, 17},
              text::kOptionsStartMinimised, kTabStop),
    captioned("CloseToTray", IDC_OPTIONS_CLOSE_TO_TRAY, K::CheckBox, {16, 198, 313, 17}, text::kOptionsCloseToTray,
              kTabStop),
    captioned("StartWithSession", IDC_OPTIONS_AUTOSTART, K::CheckBox, {16, 216, 313, 17}, text::kOptionsAutostart,
              kTabStop),
    captioned("BitBtn1", IDC_OPTIONS_OK, K::Button, {174, 252, 75, 25}, text::kOkCyrillic, kGroupTab),
    captioned("BitBtn2", IDC_OPTIONS_CANCEL, K::Button, {262, 252, 75, 25}, text::kCancel, kTabStop),
};

// White; Label6 overlaps the banner and is drawn over it, so it comes after Image1.
constexpr ControlDescription kAbout[] = {
    uncaptioned("Image1", IDC_IMAGE1, K::Picture, {0, 0, 417, 128}, kNoFlags),
    captioned("Label1", IDC_ABOUT_LABEL1, K::Label, {8, 128, 36, 13}, text::kAboutEmailLabel),
    captioned("Label2", IDC_ABOUT_LABEL2, K::Label, {8, 144, 30, 13}, text::kAboutUrlLabel),
    captioned("Label3", IDC_LABEL3, K::Label, {48, 128, 100, 13}, text::kAboutEmail, kLink),
    captioned("Label4", IDC_LABEL4, K::Label, {48, 144, 120, 13}, text::kAboutWebAddress, kLink),
    captioned("Label5", IDC_LABEL5, K::Label, {8, 168, 250, 13}, text::kAboutCopyright),
    captioned("Label6", IDC_LABEL6, K::Label, {264, 120, 140, 13}, text::kAboutMadeIn),
    captioned("Label7", IDC_LABEL7, K::Label, {264, 136, 140, 13}, text::kAboutAuthors),
    captioned("Button1", IDC_ABOUT_BUTTON1, K::Button, {336, 152, 75, 25}, text::kOkCyrillic, kTabStop),
};

// The report is read-only and copyable; "Разрешить в брандмауэре" shows only while a rule would help.
constexpr ControlDescription kCheck[] = {
    uncaptioned("Report", IDC_CHECK_REPORT, K::Edit, {8, 8, 504, 304}, kTabStop | kMultiLine | kReadOnly,
                text::kCheckReportName),
    captioned("CopyReport", IDC_CHECK_COPY, K::Button, {8, 324, 130, 25}, text::kCheckCopyReport, kTabStop),
    captioned("AllowRule", IDC_CHECK_ALLOW, K::Button, {146, 324, 170, 25}, text::kCheckAllow, kTabStop | kHidden),
    captioned("Close", IDC_CHECK_CLOSE, K::Button, {437, 324, 75, 25}, text::kCheckClose, kTabStop),
};

const FormDescription kNastroyForm{"nastroy", text::kNastroyCaption, {181, 149}, {}, entriesOf(kNastroy)};
const FormDescription kIpEditForm{"ipedit", text::kIpEditCaption, {145, 88}, {}, entriesOf(kIpEdit)};
const FormDescription kPeerLabelForm{"podpis", text::kPeerLabelCaption, {185, 104}, {}, entriesOf(kPeerLabel)};
const FormDescription kOptionsForm{"options", text::kOptionsCaption, {345, 285}, {}, entriesOf(kOptions)};
const FormDescription kAboutForm{"AboutForm", text::kAboutCaption, {417, 184}, {}, entriesOf(kAbout)};
const FormDescription kCheckForm{"ConnectionCheck", text::kCheckCaption, {520, 360}, {}, entriesOf(kCheck)};

} // namespace

const FormDescription& nastroyForm() {
    return kNastroyForm;
}
const FormDescription& ipEditForm() {
    return kIpEditForm;
}
const FormDescription& peerLabelForm() {
    return kPeerLabelForm;
}
const FormDescription& optionsForm() {
    return kOptionsForm;
}
const FormDescription& aboutForm() {
    return kAboutForm;
}
const FormDescription& connectionCheckForm() {
    return kCheckForm;
}

} // namespace lirbo::ui
