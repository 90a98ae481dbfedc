#include "ui/win32/JpegBanner.h"

#include "ui/common/JpegPicture.h"

#include <algorithm>
#include <cstring>

namespace lirbo::win32 {

HBITMAP loadJpegBanner(HINSTANCE instance, int resourceId, int width, int height) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    const auto* data = loaded != nullptr ? static_cast<const unsigned char*>(LockResource(loaded)) : nullptr;
    if (data == nullptr) {
        return nullptr;
    }
    BITMAPINFO bitmap{};
    bitmap.bmiHeader.biSize = sizeof bitmap.bmiHeader;
    bitmap.bmiHeader.biWidth = width;
    bitmap.bmiHeader.biHeight = -height; // top-down
    bitmap.bmiHeader.biPlanes = 1;
    bitmap.bmiHeader.biBitCount = 24;
    bitmap.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP result = CreateDIBSection(nullptr, &bitmap, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (result == nullptr) {
        return nullptr;
    }
    const jpeg::Picture picture = jpeg::decode(data, SizeofResource(instance, found));
    if (picture.empty()) {
        DeleteObject(result);
        return nullptr;
    }
    // White where the picture does not reach; the picture cut at the area's edges; BGR rows.
    const int stride = (width * 3 + 3) & ~3;
    auto* pixels = static_cast<unsigned char*>(bits);
    std::memset(pixels, 0xFF, static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    const int columns = std::min(width, picture.width);
    for (int y = 0; y < std::min(height, picture.height); ++y) {
        const unsigned char* in = picture.rgb.data() + 3 * static_cast<std::size_t>(picture.width) * y;
        unsigned char* out = pixels + static_cast<std::size_t>(stride) * y;
        for (int x = 0; x < columns; ++x) {
            out[3 * x] = in[3 * x + 2];
            out[3 * x + 1] = in[3 * x + 1];
            out[3 * x + 2] = in[3 * x];
        }
    }
    return result;
}

} // namespace lirbo::win32
