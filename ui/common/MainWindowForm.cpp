#include "ui/common/MainWindowForm.h"

#include "core/Texts.h"
#include "ui/common/ControlIds.h"

namespace lirbo::ui {

namespace {

using K = ControlKind;
using M = MenuEntryKind;

constexpr unsigned kBottomStretch = kAnchorLeft | kAnchorRight | kAnchorBottom;
constexpr unsigned kBottomRight = kAnchorRight | kAnchorBottom;
constexpr unsigned kTopRight = kAnchorTop | kAnchorRight;

// The input line and the send button make the 34-pixel panel along the bottom; the peer list and
// its buttons the 166-pixel panel on the right above it; the transcript fills the rest.
// Keyboard order: messaga, bsend, iplist, the buttons top to bottom but editIP last, MemoChat.
constexpr ControlDescription kControls[] = {
    {"messaga", IDC_MESSAGA, K::Edit, {8, 341, 471, 21}, kBottomStretch, kTabStop, {}, {}, text::kMessagaName, {}},
    {"bsend", IDC_BSEND, K::Button, {486, 341, 121, 21}, kBottomRight, kTabStop, "bsend", {}, {}, "bsend"},
    {"iplist", IDC_IPLIST, K::List, {488, 8, 121, 185}, kTopRight, kTabStop, {}, {}, text::kIplistName, {}},
    {"add", IDC_ADD, K::GlyphButton, {456, 8, 25, 25}, kTopRight, kTabStop, {}, text::kAddHint, text::kAddHint, "add"},
    {"del", IDC_DEL, K::GlyphButton, {456, 72, 25, 25}, kTopRight, kTabStop, {}, text::kDelHint, text::kDelHint, "del"},
    {"loadlist",
     IDC_LOADLIST,
     K::GlyphButton,
     {456, 104, 25, 25},
     kTopRight,
     kTabStop,
     {},
     text::kLoadListHint,
     text::kLoadListHint,
     "loadlist"},
    {"savelist",
     IDC_SAVELIST,
     K::GlyphButton,
     {456, 136, 25, 25},
     kTopRight,
     kTabStop,
     {},
     text::kSaveListHint,
     text::kSaveListHint,
     "savelist"},
    {"privat",
     IDC_PRIVAT,
     K::GlyphButton,
     {456, 168, 25, 25},
     kTopRight,
     kTabStop,
     {},
     text::kPrivatHint,
     text::kPrivatHint,
     "privat"},
    {"editIP",
     IDC_EDITIP,
     K::GlyphButton,
     {456, 40, 25, 25},
     kTopRight,
     kTabStop,
     {},
     text::kEditIpHint,
     text::kEditIpHint,
     "editIP"},
    // "скрыто: N", shown once a message was hidden; a click lists them.
    {"hiddenCount", IDC_HIDDENCOUNT, K::Label, {488, 198, 121, 17}, kTopRight, kHidden, {}, {}, {}, {}},
    {"MemoChat", IDC_MEMOCHAT, K::Transcript, {0, 0, 448, 333}, kAnchorAll, kTabStop, {}, {}, text::kMemoChatName, {}},
};

// No access keys, no shortcut keys. Items added later stand below the old ones, so that those keep
// their places in the menu and for the keyboard.
constexpr MenuEntry kMenu[] = {
    {M::Menu, "N1", IDM_FILE, text::kMenuFile},
    {M::Item, "N9", IDM_N9, text::kMenuSaveConversation},
    {M::Separator, "N3", IDM_N3, {}},
    {M::Item, "N2", IDM_N2, text::kMenuExit},
    {M::Separator, "N11", IDM_N11, {}},
    {M::Item, "N10", IDM_N10, text::kMenuTodaysHistory},
    {M::Item, "N12", IDM_N12, text::kMenuHistory},
    {M::Menu, "N5", IDM_SETTINGS, text::kMenuSettings},
    {M::Item, "N6", IDM_N6, text::kMenuSettingsItem},
    {M::Item, "N8", IDM_N8, text::kMenuClearChat},
    {M::Separator, "OptionsSeparator", IDM_OPTIONS_SEPARATOR, {}},
    {M::Item, "OptionsItem", IDM_OPTIONS, text::kMenuOptions},
    {M::CheckItem, "DoNotDisturbItem", IDM_DONOTDISTURB, text::kMenuDoNotDisturb},
    {M::Menu, "N7", IDM_HELP, text::kMenuHelp},
    {M::Item, "N4", IDM_N4, text::kMenuAbout},
    {M::Item, "CheckConnection", IDM_CHECK, text::kMenuCheckConnection},
};

const FormDescription kMainWindow{
    "MainChat", text::kProgramTitle, {614, 367}, {400, 282}, entriesOf(kControls), entriesOf(kMenu),
};

} // namespace

const FormDescription& mainWindowForm() {
    return kMainWindow;
}

} // namespace lirbo::ui
