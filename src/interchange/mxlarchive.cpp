#include "interchange/mxlarchive.h"

#include <QXmlStreamReader>

#include <zip.h>

#include <memory>

namespace qv {

namespace {

struct ArchiveCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct EntryCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
using Entry = std::unique_ptr<zip_file_t, EntryCloser>;

// Opens the archive over the caller's bytes; libzip neither copies nor frees them.
Archive openArchive(const std::vector<std::uint8_t>& bytes, std::string& problem) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source) {
        problem = "the archive cannot be read";
        zip_error_fini(&error);
        return nullptr;
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive) {
        zip_source_free(source);
        problem = "the archive is damaged (" + std::string(zip_error_strerror(&error)) + ")";
    }
    zip_error_fini(&error);
    return Archive(archive);
}

// The named entry, refused beyond `limit` bytes by the size the archive states, and
// cut off there whatever it inflates to.
bool readEntry(zip_t* archive, const std::string& name, std::size_t limit, std::vector<std::uint8_t>& out,
               std::string& problem) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(archive, name.c_str(), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) {
        problem = "the archive has no " + name;
        return false;
    }
    if (st.size > limit) {
        problem = name + " in the archive is too large (more than " + std::to_string(limit / (1024 * 1024)) +
                  " MB)";
        return false;
    }
    Entry entry(zip_fopen(archive, name.c_str(), 0));
    if (!entry) {
        problem = name + " in the archive cannot be opened";
        return false;
    }
    out.assign(static_cast<std::size_t>(st.size), 0);
    std::size_t got = 0;
    while (got < out.size()) {
        const zip_int64_t n = zip_fread(entry.get(), out.data() + got, out.size() - got);
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    if (got != out.size()) {
        problem = name + " in the archive is damaged";
        return false;
    }
    return true;
}

// The full-path of the first rootfile that container.xml names.
std::string rootFileName(const std::vector<std::uint8_t>& container) {
    QXmlStreamReader xml(QByteArray::fromRawData(reinterpret_cast<const char*>(container.data()),
                                                 static_cast<qsizetype>(container.size())));
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("rootfile"))
            return xml.attributes().value(QLatin1String("full-path")).toString().toStdString();
    }
    return {};
}

} // namespace

bool looksLikeZip(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= 4 && bytes[0] == 'P' && bytes[1] == 'K' && bytes[2] == 3 && bytes[3] == 4;
}

ArchiveResult readMxlRootFile(const std::vector<std::uint8_t>& zipBytes) {
    ArchiveResult result;
    const Archive archive = openArchive(zipBytes, result.problem);
    if (!archive) return result;
    std::vector<std::uint8_t> container;
    if (!readEntry(archive.get(), "META-INF/container.xml", MaxContainerBytes, container, result.problem))
        return result;
    const std::string root = rootFileName(container);
    if (root.empty()) {
        result.problem = "the archive's container.xml names no root file";
        return result;
    }
    readEntry(archive.get(), root, MaxMusicXmlBytes, result.bytes, result.problem);
    if (!result.ok()) result.bytes.clear();
    return result;
}

} // namespace qv
