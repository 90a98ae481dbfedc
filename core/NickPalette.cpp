#include "core/NickPalette.h"

#include "core/CodePage1251.h"
#include "core/Texts.h"

#include <array>

namespace lirbo::core {

namespace {

constexpr std::array<TColor, TNickPalette::kColourCount> kColours{{
    {0, 0, 0},
    {255, 0, 0},
    {128, 0, 0},
    {255, 255, 0},
    {0, 255, 0},
    {0, 255, 255},
    {0, 0, 255},
    {128, 0, 128},
    {255, 0, 255},
}};

const std::array<std::string, TNickPalette::kNameCount>& names() {
    static const std::array<std::string, TNickPalette::kNameCount> table{{
        cp1251::fromUtf8Once<text::kColourBlack>(),
        cp1251::fromUtf8Once<text::kColourRed>(),
        cp1251::fromUtf8Once<text::kColourOrange>(),
        cp1251::fromUtf8Once<text::kColourYellow>(),
        cp1251::fromUtf8Once<text::kColourGreen>(),
        cp1251::fromUtf8Once<text::kColourLightBlue>(),
        cp1251::fromUtf8Once<text::kColourBlue>(),
        cp1251::fromUtf8Once<text::kColourPink>(),
    }};
    return table;
}

} // namespace

TColor TNickPalette::colour(int index) {
    return kColours[static_cast<std::size_t>(usableIndex(index))];
}

const std::string& TNickPalette::name(int index) {
    const bool named = index >= 0 && index < kNameCount;
    return names()[static_cast<std::size_t>(named ? index : 0)];
}

} // namespace lirbo::core
