#include "ui/win32/DialogTemplate.h"

#include "ui/win32/ControlStyle.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace lirbo::win32 {
namespace {

using K = ui::ControlKind;
using Words = std::vector<WORD>;

// A form of one control as the dialog manager reads it, word by word: the control's class and
// style as the resource compiler wrote the same control in the templates of old.
TEST(DialogTemplate, WritesEachControlAsTheDialogManagerReadsIt) {
    const std::tuple<K, unsigned, WORD, DWORD> cases[] = {
        {K::Label, ui::kLink, 0x82, 0x50020100},
        {K::Label, ui::kEndEllipsis, 0x82, 0x50024080},
        {K::Edit, ui::kTabStop | ui::kMultiLine | ui::kReadOnly, 0x81, 0x50a10844},
        {K::Edit, ui::kTabStop, 0x81, 0x50810080},
        {K::Button, ui::kTabStop | ui::kHidden, 0x80, 0x40010000},
        {K::RadioButton, ui::kStartsGroup | ui::kTabStop, 0x80, 0x50030009},
        {K::RadioButton, ui::kNoFlags, 0x80, 0x50000009},
        {K::CheckBox, ui::kTabStop, 0x80, 0x50010003},
        {K::GroupBox, ui::kNoFlags, 0x80, 0x50000007},
        {K::ComboBox, ui::kTabStop, 0x85, 0x50210003},
        {K::Picture, ui::kNoFlags, 0x82, 0x5400004e},
    };
    for (const auto& [kind, flags, atom, style] : cases) {
        const ui::ControlDescription control{"", 7, kind, {-1, 2, 3, 4}, ui::kAnchorTopLeft, flags, "a", {}, {}, {}};
        const DialogTemplate dialog({"", "\xD0\x81", {5, 6}, {}, {&control, 1}}, DialogFrame::Modal);
        const auto* words = reinterpret_cast<const WORD*>(dialog.get());
        const Words read(words, words + dialog.byteCount() / sizeof(WORD));
        // The header, caption U+0401, Tahoma 8, one word to the DWORD boundary, then the control.
        EXPECT_EQ(read, (Words{1, 0xFFFF, 0,      0,   0, 0, 0x08c0,        0x80c8,        1,      0,   0,   5,   6,
                               0, 0,      0x0401, 0,   8, 0, 0x0100,        'T',           'a',    'h', 'o', 'm', 'a',
                               0, 0,      0,      0,   0, 0, LOWORD(style), HIWORD(style), 0xFFFF, 2,   3,   4,   7,
                               0, 0xFFFF, atom,   'a', 0, 0}))
            << static_cast<int>(kind) << " " << flags;
    }
    EXPECT_EQ(dialogStyle(DialogFrame::Modeless), 0x80ca0040u);
}

// The same kinds made in the main window: a list whose rows the window draws, sunken frames as an
// extended style, labels that pass clicks on and show "&" as it stands.
TEST(ControlStyle, MakesTheMainWindowsControlsAsItDrawsThem) {
    using H = ControlHost;
    const std::tuple<K, unsigned, H, std::wstring, DWORD, DWORD> cases[] = {
        {K::List, ui::kTabStop, H::Window, L"ListBox", 0x50210151, WS_EX_CLIENTEDGE},
        {K::List, ui::kTabStop, H::Dialog, L"ListBox", 0x50a10001, 0},
        {K::Edit, ui::kTabStop, H::Window, L"Edit", 0x50010080, WS_EX_CLIENTEDGE},
        {K::Label, ui::kEndEllipsis, H::Window, L"Static", 0x50004180, 0},
        {K::GlyphButton, ui::kTabStop, H::Window, L"Button", 0x50010080, 0},
    };
    for (const auto& [kind, flags, host, className, style, exStyle] : cases) {
        const ui::ControlDescription control{"", 7, kind, {}, ui::kAnchorTopLeft, flags, {}, {}, {}, {}};
        const ControlStyle made = controlStyle(control, host);
        EXPECT_EQ(std::wstring(made.className), className) << static_cast<int>(kind);
        EXPECT_EQ(made.style, style) << static_cast<int>(kind);
        EXPECT_EQ(made.exStyle, exStyle) << static_cast<int>(kind);
    }
}

} // namespace
} // namespace lirbo::win32
