#pragma once

#include <cstdint>
#include <string>

namespace lirbo::core {

struct TColor {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(TColor a, TColor b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
    friend bool operator!=(TColor a, TColor b) { return !(a == b); }
};

// The fixed table of nick colours: 9 colours (0 to 8), of which the settings dialog names 8.
class TNickPalette {
public:
    static constexpr int kColourCount = 9;
    static constexpr int kNameCount = 8;
    static constexpr TColor kSuffixGreen{0, 128, 0};
    static constexpr TColor kDefaultText{0, 0, 0};

    // Colour of an index in 0..8; any other index gives the colour of 0.
    static TColor colour(int index);
    // Name (Windows-1251 bytes) of an index in 0..7; any other index gives the name of 0.
    static const std::string& name(int index);
    static int nameCount() { return kNameCount; }

    // An index outside the palette counts as 0 wherever it would be used.
    static int usableIndex(int index) { return index >= 0 && index < kColourCount ? index : 0; }
};

} // namespace lirbo::core
