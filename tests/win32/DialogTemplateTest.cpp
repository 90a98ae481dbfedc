#include "ui/win32/DialogTemplate.h"

#include <gtest/gtest.h>
#include <string>

namespace lirbo::win32 {
namespace {

using K = ui::ControlKind;

// Reads a template back as the dialog manager walks it.
class Reader {
public:
    explicit Reader(const DialogTemplate& dialog)
        : m_at(reinterpret_cast<const WORD*>(dialog.get())), m_end(m_at + dialog.byteCount() / sizeof(WORD)),
          m_start(m_at) {}
    WORD word() { return m_at < m_end ? *m_at++ : 0xDEAD; }
    DWORD dword() {
        const WORD low = word();
        return MAKELONG(low, word());
    }
    std::wstring text() {
        std::wstring read;
        for (WORD unit = word(); unit != 0 && unit != 0xDEAD; unit = word()) {
            read += static_cast<wchar_t>(unit);
        }
        return read;
    }
    ui::Rect rect() {
        ui::Rect read;
        for (int* value : {&read.x, &read.y, &read.width, &read.height}) {
            *value = static_cast<short>(word());
        }
        return read;
    }
    void alignToDword() { m_at += (m_at - m_start) % 2; }
    bool atEnd() const { return m_at == m_end; }

private:
    const WORD* m_at;
    const WORD* m_end;
    const WORD* m_start;
};

// Each kind and flag as the resource compiler wrote the same control in the templates of old;
// one-letter captions leave items that end off a DWORD boundary.
TEST(DialogTemplate, WritesEveryControlAsTheDialogManagerReadsIt) {
    const struct {
        int id;
        K kind;
        unsigned flags;
        const char* caption;
        WORD atom;
        DWORD style;
    } cases[] = {
        {10, K::Label, ui::kLink, "a", 0x82, 0x50020100},
        {11, K::Label, ui::kEndEllipsis, "", 0x82, 0x50024080},
        {12, K::Edit, ui::kTabStop | ui::kMultiLine | ui::kReadOnly, "", 0x81, 0x50a10844},
        {13, K::Edit, ui::kTabStop, "", 0x81, 0x50810080},
        {14, K::Button, ui::kTabStop | ui::kHidden | ui::kDefaultButton, "ab", 0x80, 0x40010000},
        {15, K::RadioButton, ui::kStartsGroup | ui::kTabStop, "b", 0x80, 0x50030009},
        {16, K::RadioButton, ui::kNoFlags, "c", 0x80, 0x50000009},
        {17, K::CheckBox, ui::kTabStop, "d", 0x80, 0x50010003},
        {18, K::GroupBox, ui::kNoFlags, "e", 0x80, 0x50000007},
        {19, K::ComboBox, ui::kTabStop, "", 0x85, 0x50210003},
        {20, K::Picture, ui::kNoFlags, "", 0x82, 0x5400004e},
    };
    // Each control somewhere of its own; a negative x, as for a control left of the client area.
    const auto rectOf = [](int id) { return ui::Rect{10 - id, id, id + 100, id + 200}; };
    ui::ControlDescription controls[std::size(cases)];
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        controls[i] = {"", c.id, c.kind, rectOf(c.id), ui::kAnchorTopLeft, c.flags, c.caption, {}, {}, {}};
    }
    const ui::FormDescription form{"probe", "\xD0\x81\xD0\xB6", {345, 285}, {}, {controls, std::size(controls)}};

    for (const auto& [frame, style] :
         {std::pair{DialogFrame::Modal, 0x80c808c0UL}, {DialogFrame::Modeless, 0x80ca0040UL}}) {
        const DialogTemplate dialog(form, frame);
        Reader read(dialog);
        EXPECT_EQ(read.word(), 1);
        EXPECT_EQ(read.word(), 0xFFFF);
        EXPECT_EQ(read.dword(), 0u); // help
        EXPECT_EQ(read.dword(), 0u); // extended style
        EXPECT_EQ(read.dword(), style);
        ASSERT_EQ(read.word(), std::size(cases));
        EXPECT_EQ(read.rect(), (ui::Rect{0, 0, 345, 285}));
        EXPECT_EQ(read.word(), 0); // menu
        EXPECT_EQ(read.word(), 0); // class
        EXPECT_EQ(read.text(), L"\x0401\x0436");
        EXPECT_EQ(read.word(), 8);                                // points
        EXPECT_EQ(read.word(), 0);                                // weight
        EXPECT_EQ(read.word(), MAKEWORD(FALSE, DEFAULT_CHARSET)); // italic, character set
        EXPECT_EQ(read.text(), L"Tahoma");
        for (const auto& c : cases) {
            read.alignToDword();
            EXPECT_EQ(read.dword(), 0u) << c.id;
            EXPECT_EQ(read.dword(), 0u) << c.id;
            EXPECT_EQ(read.dword(), c.style) << c.id;
            EXPECT_EQ(read.rect(), rectOf(c.id)) << c.id;
            EXPECT_EQ(read.dword(), static_cast<DWORD>(c.id)) << c.id;
            EXPECT_EQ(read.word(), 0xFFFF) << c.id;
            EXPECT_EQ(read.word(), c.atom) << c.id;
            const std::string caption(c.caption);
            EXPECT_EQ(read.text(), std::wstring(caption.begin(), caption.end())) << c.id;
            EXPECT_EQ(read.word(), 0) << c.id; // no creation data
        }
        EXPECT_TRUE(read.atEnd());
    }
}

} // namespace
} // namespace lirbo::win32
