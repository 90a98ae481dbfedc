#include "ui/common/FormDescription.h"

#include "ui/common/DialogForms.h"
#include "ui/common/MainWindowForm.h"

#include <gtest/gtest.h>
#include <set>

namespace lirbo::ui {
namespace {

// Where the main window's controls lie after a resize and at 144 DPI: the distances to anchored
// edges are kept, each scaled on its own as Windows' MulDiv rounds.
TEST(FormDescription, PlacesAnchoredControlsAtAnySizeAndScaling) {
    const FormDescription& form = mainWindowForm();
    const struct {
        const char* name;
        Size now;
        int dpi;
        Rect expected;
    } cases[] = {
        {"messaga", {614, 367}, 96, {8, 341, 471, 21}},
        {"messaga", {714, 400}, 96, {8, 374, 571, 21}},   // stretched, follows the bottom
        {"bsend", {714, 400}, 96, {586, 374, 121, 21}},   // follows the right and the bottom
        {"iplist", {714, 400}, 96, {588, 8, 121, 185}},   // follows the right, keeps its size
        {"MemoChat", {714, 400}, 96, {0, 0, 548, 366}},   // fills the rest
        {"messaga", {921, 551}, 144, {12, 512, 706, 32}}, // 921 - MulDiv(143, 144, 96) = 921 - 215
        {"bsend", {921, 551}, 144, {729, 512, 182, 32}},  // 921 - 192; 121 * 1.5 = 181.5 -> 182
        {"MemoChat", {921, 551}, 144, {0, 0, 672, 500}},
        {"messaga", {100, 50}, 96, {8, 24, 0, 21}}, // narrower than its margins: no negative width
    };
    for (const auto& c : cases) {
        const ControlDescription* control = form.find(c.name);
        ASSERT_NE(control, nullptr) << c.name;
        const Rect placed = form.place(*control, c.now, c.dpi);
        EXPECT_EQ(placed, c.expected) << c.name << " at " << c.now.width << " x " << c.now.height << ", " << c.dpi
                                      << " DPI: " << placed.x << "," << placed.y << " " << placed.width << " x "
                                      << placed.height;
    }
}

// Each form's controls and menu entries have names and numbers of their own (a test finds them by
// those), and whatever Tab reaches has a name a screen reader can say.
TEST(FormDescription, EveryFormNamesItsControlsOnce) {
    for (const FormDescription* form : {&mainWindowForm(), &nastroyForm(), &ipEditForm(), &peerLabelForm(),
                                        &optionsForm(), &aboutForm(), &connectionCheckForm()}) {
        std::set<std::string_view> names;
        std::set<int> ids;
        for (const ControlDescription& control : form->controls) {
            EXPECT_TRUE(names.insert(control.name).second) << form->name << ": " << control.name;
            EXPECT_TRUE(ids.insert(control.id).second) << form->name << ": " << control.name;
            EXPECT_LE(control.rect.x + control.rect.width, form->client.width) << form->name << ": " << control.name;
            if (control.flags & kTabStop) {
                EXPECT_FALSE(control.accessibleName.empty() && control.caption.empty())
                    << form->name << ": " << control.name << " is reached with Tab but has no name";
            }
        }
        for (const MenuEntry& entry : form->menu) {
            EXPECT_TRUE(names.insert(entry.name).second) << form->name << ": " << entry.name;
            EXPECT_TRUE(ids.insert(entry.id).second) << form->name << ": " << entry.name;
        }
        EXPECT_EQ(form->find("nothing"), nullptr);
    }
}

} // namespace
} // namespace lirbo::ui
