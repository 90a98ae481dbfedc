#include "core/NickPalette.h"

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
        "\xD7\xE5\xF0\xED\xFB\xE9",             // Черный
        "\xCA\xF0\xE0\xF1\xED\xFB\xE9",         // Красный
        "\xCE\xF0\xE0\xED\xE6\xE5\xE2\xFB\xE9", // Оранжевый
        "\xC6\xE5\xEB\xF2\xFB\xE9",             // Желтый
        "\xC7\xE5\xEB\xB8\xED\xED\xFB\xE9",     // Зелённый
        "\xC3\xEE\xEB\xF3\xE1\xEE\xE9",         // Голубой
        "\xD1\xE8\xED\xE8\xE9",                 // Синий
        "\xD0\xEE\xE7\xEE\xE2\xFB\xE9",         // Розовый
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
