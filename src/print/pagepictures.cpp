#include "print/pagepictures.h"

#include "files/safewrite.h"
#include "files/tempfiles.h"
#include "model/ui.h"
#include "print/pageconveyor.h"
#include "render/pageimage.h"

#include <QBuffer>
#include <QImageWriter>

#include <array>
#include <cerrno>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

// zlib's fastest level: a page of music at one bit a pixel is mostly white runs,
// which it packs nearly as well as the default level in a fraction of the time.
constexpr int PngQuality = 89; // Qt maps quality q to zlib level (100 - q) * 9 / 91: level 1

// Files being written at once: one, on a writer of its own, which keeps the waits
// for the disk out of drawing and encoding.
constexpr std::size_t Writers = 1;

std::vector<std::uint8_t> pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "PNG");
    writer.setQuality(PngQuality);
    if (!writer.write(image)) throw std::runtime_error("the picture could not be encoded");
    return {bytes.begin(), bytes.end()};
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

// Pictures encoded by one worker and written by `Writers` writers in turn:
// writeFileSafely waits for the disk to take each file, and those waits hold up
// neither drawing nor encoding. What failed is kept.
class PictureOutput {
  public:
    PictureOutput() {
        for (auto& w : writers_) w = std::make_unique<PageConveyor>();
    }
    // The `n`th picture of the run; false once a picture has failed.
    bool queue(std::size_t n, const std::string& path, QImage picture) {
        PageConveyor& writer = *writers_[n % Writers];
        PagePicturesResult& failure = failed_[n % Writers];
        return encoder_.push([this, &writer, &failure, path, picture = std::move(picture)] {
            std::vector<std::uint8_t> bytes;
            try {
                bytes = pngBytes(picture);
            } catch (const std::exception&) {
                unencoded_ = path;
                return false;
            }
            return writer.push([&failure, path, bytes = std::move(bytes)] {
                const WriteFileResult written = writeFileSafely(path, bytes);
                if (!written.ok()) failure = {false, path, written.error};
                return written.ok();
            });
        });
    }
    // Waits for every picture queued; true when all were written.
    bool finish() {
        bool ok = encoder_.finish();
        for (auto& w : writers_) ok = w->finish() && ok;
        return ok;
    }
    // After finish: of the pictures that failed, the first of `pages`.
    PagePicturesResult firstFailure(const std::vector<int>& pages, const std::string& prefix) const {
        for (const int page : pages) {
            const std::string path = pagePictureName(prefix, page);
            if (path == unencoded_) return {false, path, EIO};
            for (const PagePicturesResult& f : failed_)
                if (!f.ok && f.path == path) return f;
        }
        return {false, unencoded_, EIO};
    }

  private:
    std::array<PagePicturesResult, Writers> failed_; // each set by its writer only
    std::string unencoded_;                           // set by the encoder only
    std::array<std::unique_ptr<PageConveyor>, Writers> writers_;
    PageConveyor encoder_; // last: stopped first, while the writers still take its work
};

} // namespace

std::string pagePictureName(const std::string& prefix, int page) {
    return prefix + "-" + std::to_string(page) + ".png";
}

PagePicturesResult writePagePictures(const PrintSource& source, const PrintRequest& range,
                                     const std::string& prefix, Ui& ui) {
    const std::vector<int> pages = pageOrder(range);
    if (pages.empty()) return {};
    if (const int refused = placeRefused(prefix)) return {false, pagePictureName(prefix, pages.front()), refused};
    // Pages are drawn here, one after another on one print image, while the
    // pictures of those before are encoded and written.
    PrintPageDrawer drawer;
    PagePicturesResult result;
    {
        PictureOutput output;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            ui.abortableProgress("Exporting", "Preparing page " + std::to_string(i + 1) + " of " +
                                                  std::to_string(pages.size()) + ".");
            const std::string path = pagePictureName(prefix, pages[i]);
            if (!output.queue(i, path, drawer.drawOneBit(*source.score, pages[i], source.filePath, source.clock)))
                break;
            if (ui.progressAborted() && i + 1 < pages.size()) {
                result = {false, path, ECANCELED};
                break;
            }
        }
        if (!output.finish()) result = output.firstFailure(pages, prefix);
    }
    ui.closeAbortableProgress();
    return result;
}

} // namespace qv
