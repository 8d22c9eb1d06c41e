#include "print/pictureexport.h"

#include "files/safewrite.h"
#include "files/saving.h"
#include "model/bounds.h"
#include "model/ui.h"
#include "print/pcx.h"
#include "render/pageimage.h"

#include <QBuffer>

#include <algorithm>
#include <cstring>

namespace qv {

namespace {

constexpr int PixelsPerPageUnit = 3; // the print image's scale

// A box no larger than the largest paper (either way round); anything more is
// refused before memory is taken for it.
bool fitsLargestPage(std::int64_t width, std::int64_t height) {
    if (width > MaxPageUnits || height > MaxPageUnits) return false;
    const SurfaceSize bounded = boundSurface(static_cast<int>(width), static_cast<int>(height));
    return bounded.width == width && bounded.height == height;
}

// Ink black (colour 0) and paper white (colour 1), one bit a pixel: the very bytes
// of the PCX lines.
QImage twoColourPicture(const QImage& source) {
    const QImage image =
        source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
    QImage mono(image.size(), QImage::Format_Mono);
    if (mono.isNull()) return mono;
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    std::vector<std::uint8_t> line;
    for (int y = 0; y < image.height(); ++y) {
        packPcxLine(image, y, line);
        std::memcpy(mono.scanLine(y), line.data(), line.size());
    }
    return mono;
}

bool encodeBmp(const QImage& image, std::vector<std::uint8_t>& bytes) {
    const QImage mono = twoColourPicture(image);
    if (mono.isNull()) return false;
    QByteArray encoded;
    QBuffer buffer(&encoded);
    if (!buffer.open(QIODevice::WriteOnly) || !mono.save(&buffer, "BMP")) return false;
    bytes.assign(encoded.begin(), encoded.end());
    return true;
}

} // namespace

std::string pictureFileName(const std::string& name, PictureFormat format) {
    return withExtension(name, format == PictureFormat::Pcx ? ".PCX" : ".BMP");
}

PictureWrite writePictureFile(const std::string& path, const QImage& image, PictureFormat format, Ui& ui) {
    std::vector<std::uint8_t> bytes;
    if (format == PictureFormat::Pcx) {
        if (image.isNull() || image.width() > PcxLargestSide || image.height() > PcxLargestSide)
            return PictureWrite::Failed;
        const ByteSink collect = [&](const std::uint8_t* piece, std::size_t count) {
            bytes.insert(bytes.end(), piece, piece + count);
        };
        if (!WritePcx(image, collect, ui)) return PictureWrite::Aborted;
    } else if (!encodeBmp(image, bytes)) {
        return PictureWrite::Failed;
    }
    return writeFileSafely(path, bytes).ok() ? PictureWrite::Written : PictureWrite::Failed;
}

QImage boxPicture(const QImage& printImage, QPoint origin, const BlockBox& box) {
    const std::int64_t boxWidth = std::int64_t(box.right) - box.left,
                       boxHeight = std::int64_t(box.bottom) - box.top;
    if (boxWidth <= 0 || boxHeight <= 0 || !fitsLargestPage(boxWidth, boxHeight)) return {};
    const int width = static_cast<int>(PixelsPerPageUnit * boxWidth);
    const int height = static_cast<int>(PixelsPerPageUnit * boxHeight);
    QImage picture(width, height, QImage::Format_RGB32);
    if (picture.isNull()) return picture;
    picture.fill(Qt::white);
    const QImage image = printImage.format() == QImage::Format_RGB32
                             ? printImage
                             : printImage.convertToFormat(QImage::Format_RGB32);
    // The box's corner on the print image, and the part of the image it covers.
    const std::int64_t left = PixelsPerPageUnit * std::int64_t(box.left) + origin.x();
    const std::int64_t top = PixelsPerPageUnit * std::int64_t(box.top) + origin.y();
    const std::int64_t x0 = std::max<std::int64_t>(left, 0),
                       x1 = std::min<std::int64_t>(left + width, image.width());
    const std::int64_t y0 = std::max<std::int64_t>(top, 0),
                       y1 = std::min<std::int64_t>(top + height, image.height());
    if (x0 >= x1 || y0 >= y1) return picture;
    const std::size_t rowBytes = static_cast<std::size_t>(x1 - x0) * sizeof(QRgb);
    for (std::int64_t y = y0; y < y1; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(static_cast<int>(y))) + x0;
        auto* to = reinterpret_cast<QRgb*>(picture.scanLine(static_cast<int>(y - top))) + (x0 - left);
        std::memcpy(to, from, rowBytes);
    }
    return picture;
}

bool OutputBox(const PictureSource& source, const std::string& fileName, PictureFormat format, QPoint corner1,
               QPoint corner2, Ui& ui) {
    const std::string path = pictureFileName(fileName, format);
    const BlockBox box = BlockBox::spanning(corner1.x(), corner1.y(), corner2.x(), corner2.y());
    if (box.right == box.left || box.bottom == box.top) {
        showError(ui, NoThicknessMessage);
        return false;
    }
    QImage picture;
    if (fitsLargestPage(std::int64_t(box.right) - box.left, std::int64_t(box.bottom) - box.top)) {
        const QImage page = renderPrintPage(source.score, source.page, source.filePath, source.clock);
        if (!page.isNull()) picture = boxPicture(page, printImageOrigin(source.score), box);
    }
    if (picture.isNull()) {
        showError(ui, NotEnoughMemoryMessage);
        return false;
    }
    switch (writePictureFile(path, picture, format, ui)) {
    case PictureWrite::Written: return true;
    case PictureWrite::Aborted: return false; // the writer has said so
    case PictureWrite::Failed: break;
    }
    showError(ui, UnableToSavePictureMessage);
    return false;
}

bool OutputCurrentPage(const PictureSource& source, const std::string& fileName, Ui& ui) {
    const QImage page = renderPrintPage(source.score, source.page, source.filePath, source.clock);
    if (page.isNull()) showError(ui, NotEnoughMemoryMessage);
    if (!page.isNull() && writePictureFile(fileName, page, PictureFormat::Pcx, ui) == PictureWrite::Written) {
        showInformation(ui, PcxSavedMessage);
        return true;
    }
    showError(ui, FileNotCreatedMessage);
    return false;
}

} // namespace qv
