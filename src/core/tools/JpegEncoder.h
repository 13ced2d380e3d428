#pragma once

#include <QByteArray>

// Compresses a picture to JPEG with libjpeg-turbo: 24-bit colour, baseline
// (not progressive), the given quality. The pixels are 32-bit words laid out
// as a screen grab holds them (blue, green, red, unused in memory order), so a
// capture is compressed without a conversion pass.
class JpegEncoder {
public:
    // An empty result when the picture is empty or libjpeg reports an error.
    static QByteArray encodeBgrx(const uchar* pixels, int width, int height, qsizetype bytesPerLine, int quality);
};
