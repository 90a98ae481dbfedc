#include "core/NickPalette.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace lirbo::core {
namespace {

TEST(NickPalette, ColoursNamesAndOutOfRangeIndexes) {
    EXPECT_EQ(TNickPalette::colour(2), (TColor{128, 0, 0}));
    EXPECT_EQ(TNickPalette::colour(7), (TColor{128, 0, 128}));
    EXPECT_EQ(TNickPalette::colour(8), (TColor{255, 0, 255}));
    // The dialog lists names 0 to 7: each one its own, and any other index names colour 0.
    std::set<std::string> names;
    for (int index = 0; index < TNickPalette::nameCount(); ++index) {
        EXPECT_FALSE(TNickPalette::name(index).empty()) << index;
        names.insert(TNickPalette::name(index));
    }
    EXPECT_EQ(names.size(), 8u);
    EXPECT_EQ(TNickPalette::name(8), TNickPalette::name(0));
    EXPECT_EQ(TNickPalette::name(-1), TNickPalette::name(0));
    EXPECT_EQ(TNickPalette::name(0), "\xD7\xE5\xF0\xED\xFB\xE9");         // Черный
    EXPECT_EQ(TNickPalette::name(4), "\xC7\xE5\xEB\xB8\xED\xED\xFB\xE9"); // Зелённый
    EXPECT_EQ(TNickPalette::name(7), "\xD0\xEE\xE7\xEE\xE2\xFB\xE9");     // Розовый
    for (const int outside : {-1, 9, 12, 1000}) {
        EXPECT_EQ(TNickPalette::usableIndex(outside), 0);
        EXPECT_EQ(TNickPalette::colour(outside), TNickPalette::colour(0));
    }
    EXPECT_EQ(TNickPalette::usableIndex(8), 8);
}

} // namespace
} // namespace lirbo::core
