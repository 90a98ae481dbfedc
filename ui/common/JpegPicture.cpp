#include "ui/common/JpegPicture.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace lirbo::jpeg {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// libjpeg's default error handler calls exit(); return to decodeInto() instead.
[[noreturn]] void onError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Warnings mean damaged data (a truncated file is padded with grey, for one); refuse the picture.
void onMessage(j_common_ptr info, int level) {
    if (level < 0) {
        onError(info);
    }
}

// Decodes into *out, which lives in the caller's frame so that the jump back here leaves it
// well defined. Only plain C structures live in this frame across setjmp.
bool decodeInto(const unsigned char* data, unsigned long size, Picture* out) {
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
    // Checked before decompression starts, which allocates by the declared size.
    const long long pixels = static_cast<long long>(info.image_width) * info.image_height;
    if (pixels <= 0 || pixels > kMaxPixels) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    out->width = static_cast<int>(info.output_width);
    out->height = static_cast<int>(info.output_height);
    const std::size_t stride = 3 * static_cast<std::size_t>(info.output_width);
    out->rgb.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out->rgb.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

Picture decode(const unsigned char* data, std::size_t size) {
    Picture picture;
    if (data == nullptr || size == 0 || !decodeInto(data, static_cast<unsigned long>(size), &picture)) {
        return {};
    }
    return picture;
}

} // namespace lirbo::jpeg
