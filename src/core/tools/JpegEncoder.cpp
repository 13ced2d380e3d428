#include "core/tools/JpegEncoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {
struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

// libjpeg's default handler ends the process; a failed capture must only be lost.
[[noreturn]] void onError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1);
}

void onMessage(j_common_ptr) {}
} // namespace

QByteArray JpegEncoder::encodeBgrx(const uchar* pixels, int width, int height, qsizetype bytesPerLine, int quality)
{
    if (!pixels || width <= 0 || height <= 0) {
        return {};
    }
    jpeg_compress_struct info = {};
    ErrorJump error = {};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = onError;
    error.manager.output_message = onMessage;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    // Only plain data lives across setjmp: no object with a destructor.
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels + qsizetype(info.next_scanline) * bytesPerLine);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray jpeg(reinterpret_cast<const char*>(buffer), qsizetype(size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return jpeg;
}
