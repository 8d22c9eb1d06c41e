#include "print/pagepictures.h"

#include "files/safewrite.h"
#include "model/ui.h"
#include "print/pageconveyor.h"
#include "render/pageimage.h"

#include <QBuffer>
#include <QImageWriter>

#include <cerrno>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

// zlib's fastest level: a page of music at one bit a pixel is mostly white runs,
// which it packs nearly as well as the default level in a fraction of the time.
constexpr int PngQuality = 89; // Qt maps quality q to zlib level (100 - q) * 9 / 91: level 1

std::vector<std::uint8_t> pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "PNG");
    writer.setQuality(PngQuality);
    if (!writer.write(image)) throw std::runtime_error("the picture could not be encoded");
    return {bytes.begin(), bytes.end()};
}

// The folder the pictures go to: the prefix up to its last slash.
std::string folderOf(const std::string& prefix) {
    const auto slash = prefix.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : prefix.substr(0, slash);
}

// 0 when pictures can be made in the prefix's folder, else the system's reason. A
// prefix ending in a slash names no file.
int placeRefused(const std::string& prefix) {
    if (prefix.empty() || prefix.back() == '/') return EISDIR;
    struct stat folder {};
    if (::stat(folderOf(prefix).c_str(), &folder) != 0) return errno;
    if (!S_ISDIR(folder.st_mode)) return ENOTDIR;
    return ::access(folderOf(prefix).c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

} // namespace

std::string pagePictureName(const std::string& prefix, int page) {
    return prefix + "-" + std::to_string(page) + ".png";
}

PagePicturesResult writePagePictures(const PrintSource& source, const PrintRequest& range,
                                     const std::string& prefix, Ui& ui) {
    const std::vector<int> pages = pageOrder(range);
    if (pages.empty()) return {};
    if (const int refused = placeRefused(prefix)) return {false, pagePictureName(prefix, pages.front()), refused};
    // Pages are drawn here, one after another on one print image; each page's
    // one-bit picture is encoded and written by the conveyor's worker meanwhile.
    PrintPageDrawer drawer;
    PagePicturesResult failure; // set by the worker only, read after finish()
    PagePicturesResult result;
    {
        PageConveyor conveyor;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            ui.abortableProgress("Exporting", "Preparing page " + std::to_string(i + 1) + " of " +
                                                  std::to_string(pages.size()) + ".");
            const std::string path = pagePictureName(prefix, pages[i]);
            QImage picture = drawer.drawOneBit(*source.score, pages[i], source.filePath, source.clock);
            const bool queued = conveyor.push([&failure, path, picture = std::move(picture)] {
                const WriteFileResult written = writeFileSafely(path, pngBytes(picture));
                if (!written.ok()) failure = {false, path, written.error};
                return written.ok();
            });
            if (!queued) break;
            if (ui.progressAborted() && i + 1 < pages.size()) {
                result = {false, path, ECANCELED};
                break;
            }
        }
        if (!conveyor.finish()) result = failure;
    }
    ui.closeAbortableProgress();
    return result;
}

} // namespace qv
