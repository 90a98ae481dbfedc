#include "ui/win32/JpegBanner.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace lirbo::win32 {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// libjpeg's default error handler calls exit(); return to decodeInto() instead.
[[noreturn]] void onError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void onMessage(j_common_ptr info, int level) {
    if (level < 0) {
        onError(info); // damaged data: refuse the picture
    }
}

// Copies the decoded rows into `pixels` (top-down BGR rows of `stride` bytes). Only plain C
// structures live in this frame across setjmp.
bool decodeInto(const unsigned char* data, unsigned long size, unsigned char* pixels, int width, int height, int stride,
                unsigned char* row) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    std::memset(&info, 0, sizeof info);
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.emit_message = onMessage;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    if (info.image_width > 4096 || info.image_height > 4096) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const int columns = std::min(width, static_cast<int>(info.output_width));
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW rows[1] = {row};
        jpeg_read_scanlines(&info, rows, 1);
        if (y < height) {
            unsigned char* out = pixels + y * stride;
            for (int x = 0; x < columns; ++x) {
                out[3 * x] = row[3 * x + 2];
                out[3 * x + 1] = row[3 * x + 1];
                out[3 * x + 2] = row[3 * x];
            }
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

HBITMAP loadJpegBanner(HINSTANCE instance, int resourceId, int width, int height) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(10)); // RT_RCDATA
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
    const int stride = (width * 3 + 3) & ~3;
    std::memset(bits, 0xFF, static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    std::vector<unsigned char> row(4096 * 3);
    if (!decodeInto(data, SizeofResource(instance, found), static_cast<unsigned char*>(bits), width, height, stride,
                    row.data())) {
        DeleteObject(result);
        return nullptr;
    }
    return result;
}

} // namespace lirbo::win32
