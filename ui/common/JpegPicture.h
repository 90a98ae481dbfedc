#pragma once

#include <cstddef>
#include <vector>

namespace lirbo::jpeg {

// A decoded picture: `height` rows of `width` RGB triplets, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    bool empty() const { return rgb.empty(); }
};

// Pictures with more pixels than this are refused rather than allocated.
constexpr long long kMaxPixels = 64LL * 1024 * 1024;

// Decodes JPEG data with libjpeg, for either front-end. Anything libjpeg would complain about, a
// warning included (a truncated file, corrupt entropy data), gives an empty picture instead of a
// partial one; libjpeg's own handler, which ends the program, never runs.
Picture decode(const unsigned char* data, std::size_t size);

} // namespace lirbo::jpeg
