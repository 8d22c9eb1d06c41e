#include "print/pagepictures.h"

#include "files/safewrite.h"
#include "model/ui.h"

#include <QBuffer>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

std::vector<std::uint8_t> pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
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
    PagePicturesResult result;
    for (std::size_t i = 0; i < pages.size() && result.ok; ++i) {
        ui.abortableProgress("Exporting", "Preparing page " + std::to_string(i + 1) + " of " +
                                              std::to_string(pages.size()) + ".");
        const std::string path = pagePictureName(prefix, pages[i]);
        const WriteFileResult written = writeFileSafely(path, pngBytes(printImageForPrinter(source, pages[i])));
        if (!written.ok()) result = {false, path, written.error};
        else if (ui.progressAborted() && i + 1 < pages.size()) result = {false, path, ECANCELED};
    }
    ui.closeAbortableProgress();
    return result;
}

} // namespace qv
