// The print run on a recording printer and on Qt's PDF writer, whose output
// poppler's tools read back.

#include "files/loader.h"
#include "layout/pagination.h"
#include "print/pdfdevice.h"
#include "print/printrun.h"
#include "render/onebitpicture.h"
#include "render/pageimage.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>

namespace qv {
namespace {

// Lists what the print run asks of the printer.
class RecordingPrinter : public PrintDevice {
  public:
    PrinterGeometry geometry() const override { return {600, 600, 20, 10}; }
    bool begin(const std::string& title, int copies) override {
        calls.push_back("begin " + title + " x" + std::to_string(copies));
        return true;
    }
    void newPage() override { calls.push_back("new page"); }
    void drawImage(const QImage& image, const QRect& target) override {
        targets.push_back(target);
        images.push_back(image);
        calls.push_back("image");
    }
    bool end() override {
        calls.push_back("end");
        return true;
    }
    void abort() override { calls.push_back("abort"); }
    std::vector<std::string> calls;
    std::vector<QRect> targets;
    std::vector<QImage> images;
};

Score demoScore() {
    Score score;
    test::ScriptedUi ui;
    EXPECT_TRUE(loadScore(QUAVERLY_DEMO, LoadOptions{}, ui, score));
    return score;
}

class PrintRun : public ::testing::Test {
  protected:
    PrintRun() : score(demoScore()) {
        source.score = &score;
        source.filePath = QUAVERLY_DEMO;
        source.captionName = "demo.QVR";
        source.clock = QDateTime(QDate(2026, 12, 7), QTime(9, 30));
    }
    Score score;
    PrintSource source;
    RecordingPrinter printer;
    test::ScriptedUi ui;
};

TEST_F(PrintRun, DescendingPagesAreCountedFromTheFirstPrinted) {
    score.page.GutM = 0.25;
    ASSERT_EQ(pageCount(score), 2);
    EXPECT_EQ(printPages(source, {2, 1, 1, false}, printer, ui), PrintOutcome::Printed);
    EXPECT_EQ(ui.abortable, (std::vector<std::string>{
                                "Printing | Preparing page 1 of 2.", "Printing | Printing page 1 of 2.",
                                "Printing | Preparing page 2 of 2.", "Printing | Printing page 2 of 2."}));
    EXPECT_EQ(printer.calls,
              (std::vector<std::string>{"begin Quav. demo.QVR x1", "image", "new page", "image", "end"}));
    // Page 1 lies right of the gutter, page 2 at the left margin.
    ASSERT_EQ(printer.targets.size(), 2u);
    EXPECT_EQ(printer.targets[1].left() - printer.targets[0].left(), 150);
    EXPECT_EQ(printer.targets[0].topLeft(), QPoint(roundHalfEven(600 * score.page.LeftM) - 20,
                                                   roundHalfEven(600 * score.page.TopM) - 10));
    // Each page is its own picture, stretched to the paper inside the margins.
    EXPECT_NE(printer.images[0], printer.images[1]);
    EXPECT_EQ(printer.targets[0].size(), printTargetSize(score.page, printer.geometry()));
    EXPECT_EQ(ui.abortableClosed, 1);
}

TEST_F(PrintRun, CollatedCopiesRepeatTheRangeAndOnePageLeavesCopiesToThePrinter) {
    EXPECT_EQ(printPages(source, {1, 2, 2, true}, printer, ui), PrintOutcome::Printed);
    EXPECT_EQ(printer.calls.front(), "begin Quav. demo.QVR x1");
    EXPECT_EQ(printer.images.size(), 4u);
    EXPECT_EQ(ui.abortable.front(), "Printing copy 1 of 2 | Preparing page 1 of 2.");
    EXPECT_EQ(ui.abortable.back(), "Printing copy 2 of 2 | Printing page 2 of 2.");
    EXPECT_EQ(std::count(printer.calls.begin(), printer.calls.end(), "new page"), 3);

    RecordingPrinter single;
    EXPECT_EQ(printPages(source, {2, 2, 3, true}, single, ui), PrintOutcome::Printed);
    EXPECT_EQ(single.calls, (std::vector<std::string>{"begin Quav. demo.QVR x3", "image", "end"}));
}

TEST_F(PrintRun, AbortStopsAfterThePageInProgress) {
    ui.abortAfter = 2; // pressed while the first page is printing
    EXPECT_EQ(printPages(source, {1, 2, 1, false}, printer, ui), PrintOutcome::Aborted);
    EXPECT_EQ(printer.images.size(), 1u);
    EXPECT_EQ(printer.calls.back(), "abort");
    EXPECT_EQ(std::count(printer.calls.begin(), printer.calls.end(), "end"), 0);
    EXPECT_TRUE(ui.saw(PrintingAbortedMessage));
    EXPECT_EQ(ui.abortableClosed, 1);
}

// Qt's threshold conversion, black moved first in the colours: what the print run
// sent before it made the one-bit picture itself.
QImage qtTwoColour(const QImage& image) {
    QImage mono = image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    if (mono.color(0) != qRgb(0, 0, 0)) {
        mono.invertPixels();
        mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    }
    return mono;
}

long differentPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    long differ = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differ += a.pixelIndex(x, y) != b.pixelIndex(x, y);
    return differ;
}

TEST_F(PrintRun, TheOneBitPictureIsQtsThresholdConversion) {
    // Pages as drawn, and every shade of grey and colour at widths that end
    // inside a byte or inside a group of sixteen.
    std::vector<QImage> images{renderPrintPage(score, 1, source.filePath, source.clock),
                               renderPrintPage(score, 2, source.filePath, source.clock)};
    std::mt19937 rng(5);
    for (const int width : {1, 7, 8, 9, 16, 23, 333}) {
        QImage noise(width, 40, QImage::Format_RGB32);
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < width; ++x)
                noise.setPixel(x, y, (rng() % 3 ? 0xFFFFFFFFu : 0xFF000000u | (rng() & 0xFFFFFFu)));
        images.push_back(noise);
    }
    for (const QImage& image : images) {
        const QImage ours = oneBitPicture(image);
        const QImage qts = qtTwoColour(image);
        ASSERT_EQ(ours.format(), QImage::Format_Mono);
        EXPECT_EQ(ours.colorTable(), qts.colorTable());
        EXPECT_EQ(differentPixels(ours, qts), 0) << image.width() << " x " << image.height();
        // Taken off a surface of its own, the picture is the same and the surface white.
        QImage surface = image.copy();
        EXPECT_EQ(differentPixels(takeOneBitPicture(surface), qts), 0) << image.width();
        QImage white(image.size(), QImage::Format_RGB32);
        white.fill(Qt::white);
        EXPECT_EQ(surface, white) << image.width();
    }
}

// Pages drawn one after another on the kept surface, which is not cleared between
// one-bit pictures, come out as each page drawn on its own.
TEST_F(PrintRun, PagesDrawnInTurnOnTheKeptSurfaceAreEachPageAlone) {
    std::vector<QImage> alone;
    for (int page = 1; page <= 2; ++page)
        alone.push_back(oneBitPicture(renderPrintPage(score, page, source.filePath, source.clock)));
    ASSERT_GT(differentPixels(alone[0], alone[1]), 1000);
    PrintPageDrawer drawer;
    for (const int page : {1, 2, 2, 1}) {
        const QImage picture = drawer.drawOneBit(score, page, source.filePath, source.clock);
        EXPECT_EQ(differentPixels(picture, alone[std::size_t(page - 1)]), 0) << "page " << page;
    }
    // The print image itself after a one-bit picture, and a one-bit picture after it.
    EXPECT_EQ(differentPixels(oneBitPicture(drawer.draw(score, 2, source.filePath, source.clock)), alone[1]), 0);
    EXPECT_EQ(differentPixels(drawer.drawOneBit(score, 1, source.filePath, source.clock), alone[0]), 0);
}

// Runs a command and returns what it printed.
std::string output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        pclose(pipe);
    }
    return text;
}

// The value after `name` on its line of pdfinfo's listing.
std::string field(const std::string& listing, const std::string& name) {
    const auto at = listing.find(name);
    if (at == std::string::npos) return {};
    const auto start = listing.find_first_not_of(' ', at + name.size());
    return listing.substr(start, listing.find('\n', start) - start);
}

// Ink as black and paper as white, one byte a pixel: pictures of any format compare.
QImage inked(const QImage& image) {
    return image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_Mono, Qt::ThresholdDither)
        .convertToFormat(QImage::Format_Grayscale8);
}

// The ink pixels of `a` with no ink within one pixel at the same place in `b`,
// which shows `a` from `at` on.
long unmatchedInk(const QImage& a, const QImage& b, QPoint at = {}) {
    long unmatched = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixelColor(x, y).value() != 0) continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = b.valid(at.x() + x + dx, at.y() + y + dy) &&
                           b.pixelColor(at.x() + x + dx, at.y() + y + dy).value() == 0;
            unmatched += !near;
        }
    return unmatched;
}

TEST_F(PrintRun, PopplerReadsThePdfAsTheScoresPaperWithTheMusicWhereItPrints) {
    PdfPrintDevice pdf(score.page);
    const int pages = pageCount(score);
    ASSERT_EQ(printPages(source, {1, pages, 1, false}, pdf, ui), PrintOutcome::Printed);
    test::ScratchFolder dir;
    test::writeBytes(dir.at("demo.pdf"), {pdf.bytes().begin(), pdf.bytes().end()});
    const std::string info = output("pdfinfo " + dir.at("demo.pdf"));
    EXPECT_EQ(field(info, "Pages:"), std::to_string(pages)) << info;
    EXPECT_EQ(field(info, "Page size:"), "594 x 792 pts") << info; // 8.25 x 11 inches

    // The pictures in the PDF are the print images, pixel for pixel.
    output("pdfimages -png " + dir.at("demo.pdf") + " " + dir.at("image"));
    for (int page = 1; page <= pages; ++page) {
        const QImage embedded(QString::fromStdString(dir.at("image-00" + std::to_string(page - 1) + ".png")));
        EXPECT_EQ(inked(embedded), inked(printImageForPrinter(source, page))) << "page " << page;
    }

    // Page 2 rendered at the print image's resolution shows it at the margins. The
    // renderer may repeat or drop a row or column when it places a picture, which
    // shifts ink by a pixel or loses a lone pixel here and there.
    const QImage printed = inked(printImageForPrinter(source, 2));
    const int dpi = roundHalfEven(3 * pageUnitsPerInch(score.StvSiz));
    const std::string png = dir.at("page");
    output("pdftoppm -r " + std::to_string(dpi) + " -f 2 -l 2 -singlefile -png " + dir.at("demo.pdf") + " " + png);
    const QImage sheet(QString::fromStdString(png + ".png"));
    ASSERT_FALSE(sheet.isNull());
    EXPECT_EQ(sheet.size(), QSize(roundHalfEven(dpi * score.page.Width), roundHalfEven(dpi * score.page.Length)));
    const QPoint corner(roundHalfEven(dpi * score.page.LeftM), roundHalfEven(dpi * score.page.TopM));
    const QImage music = inked(sheet);
    QImage paper(printed.size(), QImage::Format_Grayscale8);
    paper.fill(Qt::white);
    const long ink = unmatchedInk(printed, paper);
    EXPECT_GT(ink, 10000) << "the page has music on it";
    EXPECT_LE(unmatchedInk(printed, music, corner), ink / 10000);
    EXPECT_LE(unmatchedInk(music.copy(QRect(corner, printed.size())), printed), ink / 10000);
}

// The PDF written directly: a title of any script, and a picture that is not yet
// two colours (grey darker than mid grey is ink) placed where the target says.
TEST(PdfDevice, TheTitleAndAPictureOfAnyFormatArriveAsGiven) {
    PageData paper;
    PdfPrintDevice pdf(paper);
    ASSERT_TRUE(pdf.begin("Quav. Über Étude.QVR", 1));
    QImage picture(120, 60, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 10; y < 50; ++y)
        for (int x = 20; x < 70; ++x)
            picture.setPixel(x, y, x < 45 ? qRgb(0, 0, 0) : qRgb(100, 100, 100));
    pdf.drawImage(picture, QRect(1200, 2400, 1200, 600)); // an inch from the left, two from the top
    ASSERT_TRUE(pdf.end());
    test::ScratchFolder dir;
    test::writeBytes(dir.at("one.pdf"), {pdf.bytes().begin(), pdf.bytes().end()});
    const std::string info = output("pdfinfo " + dir.at("one.pdf"));
    EXPECT_EQ(field(info, "Title:"), "Quav. Über Étude.QVR") << info;
    EXPECT_EQ(field(info, "Pages:"), "1") << info;
    output("pdfimages -png " + dir.at("one.pdf") + " " + dir.at("image"));
    EXPECT_EQ(inked(QImage(QString::fromStdString(dir.at("image-000.png")))), inked(picture));
    // At 120 dots an inch the picture's pixels are the sheet's.
    output("pdftoppm -r 120 -singlefile -png " + dir.at("one.pdf") + " " + dir.at("sheet"));
    const QImage sheet = inked(QImage(QString::fromStdString(dir.at("sheet.png"))));
    EXPECT_LE(unmatchedInk(inked(picture), sheet, QPoint(120, 240)), 20);
    EXPECT_LE(unmatchedInk(sheet.copy(120, 240, 120, 60), inked(picture)), 20);
}

} // namespace
} // namespace qv
