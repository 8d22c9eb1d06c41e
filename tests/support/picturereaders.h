#pragma once
// Pictures read back by readers that are not ours: ImageMagick's convert and
// identify, and netpbm's pcxtoppm. Header-only, for the tests that link QtGui.
//
// A one-bit PCX says in its palette which bit value is black. netpbm (and
// ImageMagick 7) follow it; ImageMagick 6 reads every one-bit PCX with set bits
// black, whatever the palette says. So netpbm is held to the exact pixels of a
// PCX, and ImageMagick to the same pixels up to that reversal.

#include <QImage>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <string>

namespace qv::test {

// The picture in `path` as ImageMagick reads it (converted to `png`, loaded by
// Qt), or a null image when ImageMagick refuses it.
inline QImage readWithImageMagick(const std::string& path, const std::string& png) {
    if (QProcess::execute("convert", {QString::fromStdString(path), QString::fromStdString(png)}) != 0)
        return {};
    return QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
}

// A PCX file as netpbm's pcxtoppm reads it, or a null image when it refuses it.
inline QImage readPcxWithNetpbm(const std::string& path) {
    QProcess reader;
    reader.start("pcxtoppm", {QString::fromStdString(path)});
    if (!reader.waitForFinished(60000) || reader.exitCode() != 0) return {};
    return QImage::fromData(reader.readAllStandardOutput(), "PPM").convertToFormat(QImage::Format_RGB32);
}

// The file format ImageMagick takes `path` for ("PCX", "BMP" ...), empty when none.
inline std::string identifiedFormat(const std::string& path) {
    QProcess identify;
    identify.start("identify", {"-format", "%m", QString::fromStdString(path)});
    if (!identify.waitForFinished() || identify.exitCode() != 0) return {};
    return identify.readAllStandardOutput().trimmed().toStdString();
}

// How many pixels of `readBack` are not what `original` becomes on paper: black
// where it is not pure white, white where it is. -1 when the sizes differ.
inline long inkMismatches(const QImage& readBack, const QImage& original) {
    if (readBack.isNull() || readBack.size() != original.size()) return -1;
    const QImage source = original.convertToFormat(QImage::Format_RGB32);
    long wrong = 0;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const QRgb expected = (source.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF ? 0xFFFFFF : 0x000000;
            wrong += (readBack.pixel(x, y) & 0xFFFFFF) != expected;
        }
    return wrong;
}

// The same, allowing ImageMagick 6's reversal of a one-bit PCX: 0 when every pixel
// is right or every pixel is reversed.
inline long inkMismatchesEitherPolarity(const QImage& readBack, const QImage& original) {
    const long wrong = inkMismatches(readBack, original);
    return wrong < 0 ? wrong : std::min(wrong, long(original.width()) * original.height() - wrong);
}

} // namespace qv::test
