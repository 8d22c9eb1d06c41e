#include "print/pdfdevice.h"

#include "render/onebitpicture.h"

#include <QImage>
#include <QRect>

#include <cstdio>
#include <cstring>

namespace qv {

namespace {

constexpr double PointsPerInch = 72.0;
// zlib's fastest level: the one-bit pages are mostly white runs, which it packs
// nearly as well as the default level in a fraction of the time.
constexpr int Compression = 1;

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", v);
    std::string s = text;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

// A text string as UTF-16 with its byte order mark, in hex: any title survives.
std::string pdfText(const std::string& utf8) {
    const QString text = QString::fromStdString(utf8);
    std::string hex = "<FEFF";
    char unit[8];
    for (const QChar c : text) {
        std::snprintf(unit, sizeof unit, "%04X", unsigned(c.unicode()));
        hex += unit;
    }
    return hex + ">";
}

bool isTwoColour(const QImage& image) {
    return image.format() == QImage::Format_Mono && image.colorCount() == 2 && image.color(0) == qRgb(0, 0, 0) &&
           image.color(1) == qRgb(255, 255, 255);
}

// The picture's rows packed without Qt's padding, zlib-compressed.
QByteArray packedRows(const QImage& image) {
    const int rowBytes = (image.width() + 7) / 8;
    QByteArray rows(qsizetype(rowBytes) * image.height(), Qt::Uninitialized);
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(rows.data() + qsizetype(rowBytes) * y, image.constScanLine(y), std::size_t(rowBytes));
    // qCompress puts the length in four bytes before the zlib stream.
    return qCompress(rows, Compression).mid(4);
}

} // namespace

// The objects written so far and the page being filled; only the conveyor's jobs
// touch it, one at a time and in order.
struct PdfPrintDevice::Document {
    QByteArray& out;
    std::vector<qsizetype> offsets{0}; // of object n at [n]; 1 catalogue, 2 page tree, 3 information
    std::vector<int> pages;            // the page objects
    std::string content;               // the current page's drawing
    std::string resources;             // and the pictures it names
    int pictures = 0;                  // on the current page

    explicit Document(QByteArray& bytes) : out(bytes) { offsets.resize(4, 0); }

    int reserve() {
        offsets.push_back(0);
        return int(offsets.size() - 1);
    }
    void write(const std::string& text) { out.append(text.data(), qsizetype(text.size())); }
    void object(int n, const std::string& body) {
        offsets[std::size_t(n)] = out.size();
        write(std::to_string(n) + " 0 obj\n" + body + "\nendobj\n");
    }
    void stream(int n, const std::string& dictionary, const QByteArray& data) {
        offsets[std::size_t(n)] = out.size();
        write(std::to_string(n) + " 0 obj\n<<" + dictionary + " /Length " + std::to_string(data.size()) +
              ">>\nstream\n");
        out.append(data);
        write("\nendstream\nendobj\n");
    }
};

PdfPrintDevice::PdfPrintDevice(const PageData& paper)
    : widthPoints_(paper.Width * PointsPerInch), lengthPoints_(paper.Length * PointsPerInch) {}

PdfPrintDevice::~PdfPrintDevice() { conveyor_.reset(); }

PrinterGeometry PdfPrintDevice::geometry() const { return {Resolution, Resolution, 0, 0}; }

bool PdfPrintDevice::begin(const std::string& title, int /*copiesPerPage*/) {
    bytes_.clear();
    document_ = std::make_unique<Document>(bytes_);
    conveyor_ = std::make_unique<PageConveyor>();
    const std::string information = "<</Title " + pdfText(title) + " /Creator (Quaverly) /Producer (Quaverly)>>";
    Document* d = document_.get();
    return conveyor_->push([d, information] {
        d->write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
        d->object(3, information);
        return true;
    });
}

void PdfPrintDevice::drawImage(const QImage& image, const QRect& target) {
    if (!conveyor_) return;
    QImage picture = isTwoColour(image) ? image : oneBitPicture(image);
    const double scale = PointsPerInch / Resolution;
    // The picture's unit square stretched onto the target, measured from the
    // sheet's foot as PDF measures.
    const std::string place = number(target.width() * scale) + " 0 0 " + number(target.height() * scale) + " " +
                              number(target.left() * scale) + " " +
                              number(lengthPoints_ - (target.top() + target.height()) * scale);
    Document* d = document_.get();
    conveyor_->push([d, place, picture = std::move(picture)] {
        const int n = d->reserve();
        const std::string name = "/Im" + std::to_string(d->pictures++);
        d->stream(n,
                  "/Type /XObject /Subtype /Image /Width " + std::to_string(picture.width()) + " /Height " +
                      std::to_string(picture.height()) +
                      " /ColorSpace /DeviceGray /BitsPerComponent 1 /Filter /FlateDecode",
                  packedRows(picture));
        d->content += "q " + place + " cm " + name + " Do Q\n";
        d->resources += name + " " + std::to_string(n) + " 0 R ";
        return true;
    });
}

void PdfPrintDevice::closePage() {
    Document* d = document_.get();
    const std::string media = "[0 0 " + number(widthPoints_) + " " + number(lengthPoints_) + "]";
    conveyor_->push([d, media] {
        const int contents = d->reserve();
        d->stream(contents, "", QByteArray::fromStdString(d->content));
        const int page = d->reserve();
        d->object(page, "<</Type /Page /Parent 2 0 R /MediaBox " + media + " /Resources <</XObject <<" +
                            d->resources + ">> >> /Contents " + std::to_string(contents) + " 0 R>>");
        d->pages.push_back(page);
        d->content.clear();
        d->resources.clear();
        d->pictures = 0;
        return true;
    });
}

void PdfPrintDevice::newPage() {
    if (conveyor_) closePage();
}

bool PdfPrintDevice::end() {
    if (!conveyor_) return false;
    closePage();
    Document* d = document_.get();
    conveyor_->push([d] {
        std::string kids;
        for (const int page : d->pages)
            kids += std::to_string(page) + " 0 R ";
        d->object(2, "<</Type /Pages /Kids [" + kids + "] /Count " + std::to_string(d->pages.size()) + ">>");
        d->object(1, "<</Type /Catalog /Pages 2 0 R>>");
        const qsizetype table = d->out.size();
        std::string xref = "xref\n0 " + std::to_string(d->offsets.size()) + "\n0000000000 65535 f \n";
        char entry[24];
        for (std::size_t n = 1; n < d->offsets.size(); ++n) {
            std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", static_cast<long long>(d->offsets[n]));
            xref += entry;
        }
        d->write(xref + "trailer\n<</Size " + std::to_string(d->offsets.size()) +
                 " /Root 1 0 R /Info 3 0 R>>\nstartxref\n" + std::to_string(table) + "\n%%EOF\n");
        return true;
    });
    const bool ok = conveyor_->finish();
    conveyor_.reset();
    document_.reset();
    if (!ok) bytes_.clear();
    return ok && !bytes_.isEmpty();
}

void PdfPrintDevice::abort() {
    conveyor_.reset();
    document_.reset();
    bytes_.clear();
}

} // namespace qv
