// Pages as PNG pictures: their names, the range, the pictures against the print
// image, and places that are refused before anything is drawn.

#include "files/loader.h"
#include "layout/pagination.h"
#include "print/pagepictures.h"
#include "render/pageimage.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

namespace qv {
namespace {

class PagePictures : public ::testing::Test {
  protected:
    PagePictures() {
        EXPECT_TRUE(loadScore(QUAVERLY_DEMO, LoadOptions{}, ui, score));
        source.score = &score;
        source.filePath = QUAVERLY_DEMO;
        source.clock = QDateTime(QDate(2026, 12, 7), QTime(9, 30));
    }
    QImage picture(const std::string& name) const { return QImage(QString::fromStdString(dir.at(name))); }
    Score score;
    PrintSource source;
    test::ScriptedUi ui;
    test::ScratchFolder dir;
};

TEST_F(PagePictures, EachPageOfTheRangeIsNamedByItsNumber) {
    ASSERT_EQ(pageCount(score), 2);
    struct Case {
        PrintRequest range;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {{2, 1, 1, false}, {"song-1.png", "song-2.png"}},
        {{2, 2, 1, false}, {"song-2.png"}},
        {{1, 1, 1, false}, {"song-1.png"}},
    };
    for (const Case& c : cases) {
        test::ScratchFolder folder;
        const PagePicturesResult result = writePagePictures(source, c.range, folder.at("song"), ui);
        EXPECT_TRUE(result.ok) << result.path;
        EXPECT_EQ(folder.names(), c.names) << c.range.first << "-" << c.range.last;
    }
    EXPECT_EQ(pagePictureName("out/part", 12), "out/part-12.png");
}

// Every pixel of the picture is ink exactly where the print image the render
// command writes is dark.
TEST_F(PagePictures, APictureIsThePrintImagePixelForPixel) {
    ASSERT_TRUE(writePagePictures(source, {1, 2, 1, false}, dir.at("p"), ui).ok);
    for (int page = 1; page <= 2; ++page) {
        const QImage written = picture("p-" + std::to_string(page) + ".png").convertToFormat(QImage::Format_RGB32);
        const QImage drawn = renderPrintPage(score, page, source.filePath, source.clock);
        ASSERT_EQ(written.size(), drawn.size());
        long differ = 0;
        long ink = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            const auto* a = reinterpret_cast<const QRgb*>(written.constScanLine(y));
            const auto* b = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
            for (int x = 0; x < drawn.width(); ++x) {
                const bool dark = qGray(b[x]) < 128;
                ink += dark;
                differ += (a[x] == qRgb(0, 0, 0)) != dark || (a[x] != qRgb(0, 0, 0) && a[x] != qRgb(255, 255, 255));
            }
        }
        EXPECT_GT(ink, 10000) << "page " << page << " has music";
        EXPECT_EQ(differ, 0) << "page " << page;
    }
}

TEST_F(PagePictures, ARefusedPlaceLeavesNothingAndNamesThePicture) {
    test::writeBytes(dir.at("plain"), test::bytesOf("a file, not a folder"));
    const auto before = dir.names();
    struct Case {
        std::string prefix;
        int error;
    };
    const Case cases[] = {
        {dir.at("missing/p"), ENOENT},
        {dir.at("plain/p"), ENOTDIR},
        {dir.path() + "/", EISDIR},
        {"", EISDIR},
    };
    for (const Case& c : cases) {
        const PagePicturesResult result = writePagePictures(source, {2, 1, 1, false}, c.prefix, ui);
        EXPECT_FALSE(result.ok) << c.prefix;
        EXPECT_EQ(result.error, c.error) << c.prefix;
        EXPECT_EQ(result.path, pagePictureName(c.prefix, 2)) << c.prefix;
    }
    EXPECT_EQ(dir.names(), before);
}

TEST_F(PagePictures, APictureThatCannotBeWrittenStopsTheRun) {
    ASSERT_EQ(::mkdir(dir.at("p-1.png").c_str(), 0755), 0); // a folder where page 1 goes
    const PagePicturesResult result = writePagePictures(source, {2, 1, 1, false}, dir.at("p"), ui);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.path, dir.at("p-1.png"));
    EXPECT_EQ(picture("p-2.png").isNull(), false) << "the page before it is whole";

    // Of several that fail, the first in the range's order is named.
    for (const char* taken : {"q-1.png", "q-2.png"})
        ASSERT_EQ(::mkdir(dir.at(taken).c_str(), 0755), 0);
    EXPECT_EQ(writePagePictures(source, {2, 1, 1, false}, dir.at("q"), ui).path, dir.at("q-2.png"));
    EXPECT_EQ(writePagePictures(source, {1, 2, 1, false}, dir.at("q"), ui).path, dir.at("q-1.png"));
}

TEST_F(PagePictures, AbortStopsAfterThePageInProgress) {
    ui.abortAfter = 1;
    const PagePicturesResult result = writePagePictures(source, {1, 2, 1, false}, dir.at("p"), ui);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, ECANCELED);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"p-1.png"});
    EXPECT_EQ(ui.abortableClosed, 1);
}

} // namespace
} // namespace qv
