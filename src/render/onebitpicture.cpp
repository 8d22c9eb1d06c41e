#include "render/onebitpicture.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qv {

namespace {

constexpr QRgb Paper = 0xFFFFFFFF;

// qGray(p) >= 128 without the division: qGray is (11 r + 16 g + 5 b) / 32.
inline unsigned paperBit(QRgb p) {
    return unsigned(11 * qRed(p) + 16 * qGreen(p) + 5 * qBlue(p) >= 128 * 32);
}

// Bit k set when pixel k of the sixteen is white; alpha is not looked at.
inline unsigned whiteOfSixteen(const QRgb* in) {
#if defined(__SSE2__)
    const __m128i alpha = _mm_set1_epi32(int(0xFF000000u));
    const __m128i white = _mm_set1_epi32(-1);
    __m128i four[4];
    for (int q = 0; q < 4; ++q) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 4 * q));
        four[q] = _mm_cmpeq_epi32(_mm_or_si128(pixels, alpha), white);
    }
    const __m128i bytes = _mm_packs_epi16(_mm_packs_epi32(four[0], four[1]), _mm_packs_epi32(four[2], four[3]));
    return unsigned(_mm_movemask_epi8(bytes));
#else
    unsigned mask = 0;
    for (int k = 0; k < 16; ++k)
        mask |= unsigned((in[k] | 0xFF000000u) == Paper) << k;
    return mask;
#endif
}

// Pixels `in`[0..n) as the top n bits of a byte, the rest paper.
inline uchar pack(const QRgb* in, int n) {
    unsigned byte = 0xFFu >> n;
    for (int k = 0; k < n; ++k)
        byte |= paperBit(in[k]) << (7 - k);
    return uchar(byte);
}

// One row: sixteen white pixels at a time are two paper bytes, read and left as
// they are; only groups with ink are looked at pixel by pixel, and whitened in
// `clear` (the same row, writable) when it is given.
void packRow(const QRgb* in, int width, uchar* out, QRgb* clear) {
    const auto group = [&](int x, int n) {
        const uchar byte = pack(in + x, n);
        if (clear) std::fill(clear + x, clear + x + n, Paper);
        return byte;
    };
    int x = 0;
    for (; x + 16 <= width; x += 16, out += 2) {
        const unsigned white = whiteOfSixteen(in + x);
        out[0] = (white & 0xFF) == 0xFF ? 0xFF : group(x, 8);
        out[1] = (white >> 8) == 0xFF ? 0xFF : group(x + 8, 8);
    }
    for (; x < width; x += 8, ++out)
        *out = group(x, std::min(8, width - x));
}

QImage twoColourOf(QSize size) {
    QImage image(size, QImage::Format_Mono);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    return image;
}

} // namespace

QImage oneBitPicture(const QImage& printImage) {
    const QImage source = printImage.format() == QImage::Format_RGB32 || printImage.format() == QImage::Format_ARGB32
                              ? printImage
                              : printImage.convertToFormat(QImage::Format_RGB32);
    QImage image = twoColourOf(source.size());
    for (int y = 0; y < source.height(); ++y)
        packRow(reinterpret_cast<const QRgb*>(source.constScanLine(y)), source.width(), image.scanLine(y), nullptr);
    return image;
}

QImage takeOneBitPicture(QImage& printImage) {
    if (printImage.format() != QImage::Format_RGB32) {
        QImage image = oneBitPicture(printImage);
        printImage.fill(Qt::white);
        return image;
    }
    QImage image = twoColourOf(printImage.size());
    for (int y = 0; y < printImage.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(printImage.scanLine(y));
        packRow(row, printImage.width(), image.scanLine(y), row);
    }
    return image;
}

} // namespace qv
