// Pictures of the demo score's first page and of boxes on it, read back by
// ImageMagick and netpbm, and every way an export can fail without leaving a file behind.

#include "files/loader.h"
#include "print/pcx.h"
#include "print/pictureexport.h"
#include "render/pageimage.h"
#include "support/picturereaders.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qv {
namespace {

namespace fs = std::filesystem;

struct Demo {
    Score score;
    test::ScriptedUi ui;
    test::ScratchFolder folder;
    const QDateTime clock{QDate(2024, 3, 9), QTime(10, 30)};
    Demo() { EXPECT_TRUE(loadScore(QUAVERLY_DEMO, LoadOptions{}, ui, score)); }
    PictureSource source() { return PictureSource{score, 1, "demo.QVR", clock}; }
    QImage page() { return renderPrintPage(score, 1, "demo.QVR", clock); }
    QImage readBack(const std::string& name) {
        return test::readWithImageMagick(folder.at(name), folder.at(name + ".png"));
    }
};

bool rowAllInk(const QImage& image, int y) {
    for (int x = 0; x < image.width(); ++x)
        if ((image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) return false;
    return true;
}

TEST(PictureExport, TheCurrentPageAsPcxIsThePrintImage) {
    Demo d;
    ASSERT_TRUE(OutputCurrentPage(d.source(), d.folder.at("page.pcx"), d.ui));
    EXPECT_EQ(d.ui.lastText(), PcxSavedMessage);
    EXPECT_EQ(test::identifiedFormat(d.folder.at("page.pcx")), "PCX");
    const QImage page = d.page();
    EXPECT_EQ(test::inkMismatches(test::readPcxWithNetpbm(d.folder.at("page.pcx")), page), 0);
    EXPECT_EQ(test::inkMismatchesEitherPolarity(d.readBack("page.pcx"), page), 0);
}

TEST(PictureExport, ABoxCutsWhatWasBoxedBelowTheHeaderInEitherFormat) {
    Demo d;
    d.score.page.Header = 0.45; // the music starts lower on the print image
    const Stave& first = d.score.stave(1);
    const QPoint topLeft(200, first.Ycoord - 20), bottomRight(300, first.Ycoord + 20);
    ASSERT_TRUE(
        OutputBox(d.source(), d.folder.at("ltr.pcx"), PictureFormat::Pcx, topLeft, bottomRight, d.ui));
    ASSERT_TRUE(OutputBox(d.source(), d.folder.at("rtl"), PictureFormat::Pcx, QPoint(300, first.Ycoord - 20),
                          QPoint(200, first.Ycoord + 20), d.ui));
    EXPECT_EQ(test::fileBytes(d.folder.at("ltr.PCX")), test::fileBytes(d.folder.at("rtl.PCX")));
    ASSERT_TRUE(
        OutputBox(d.source(), d.folder.at("box.pcx"), PictureFormat::Bmp, bottomRight, topLeft, d.ui));
    EXPECT_EQ(test::identifiedFormat(d.folder.at("box.BMP")).substr(0, 3), "BMP");
    EXPECT_TRUE(d.ui.messages.empty());

    const QImage pcx = test::readPcxWithNetpbm(d.folder.at("ltr.PCX")), bmp = d.readBack("box.BMP");
    ASSERT_EQ(pcx.size(), QSize(300, 120));
    EXPECT_EQ(test::inkMismatches(bmp, pcx), 0);
    EXPECT_EQ(test::inkMismatches(pcx, boxPicture(d.page(), printImageOrigin(d.score),
                                                  {200, first.Ycoord - 20, 300, first.Ycoord + 20})),
              0);
    // The stave's five lines run right across the box, 4 page units below its top
    // and 8 apart; between them the paper shows.
    for (int k = 0; k < 5; ++k)
        EXPECT_TRUE(rowAllInk(pcx, 3 * (4 + 8 * k))) << "line " << k;
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(rowAllInk(pcx, 3 * (4 + 8 * k) + 12)) << "space " << k;
}

TEST(PictureExport, FailuresLeaveNoFileAndTheOldOneUntouched) {
    Demo d;
    fs::create_directory(d.folder.at("taken.PCX"));
    test::writeBytes(d.folder.at("old.PCX"), test::bytesOf("old picture"));
    const struct {
        QPoint a, b;
        const char* name;
        const char* message;
    } boxes[] = {
        {{100, 50}, {100, 90}, "flat", NoThicknessMessage},
        {{0, 0}, {1 << 20, 1 << 20}, "huge", NotEnoughMemoryMessage},
        {{100, 50}, {200, 90}, "taken.pcx", UnableToSavePictureMessage},
    };
    for (const auto& b : boxes) {
        EXPECT_FALSE(OutputBox(d.source(), d.folder.at(b.name), PictureFormat::Pcx, b.a, b.b, d.ui))
            << b.name;
        EXPECT_EQ(d.ui.lastText(), b.message) << b.name;
    }
    d.ui.abortAfter = 3;
    EXPECT_FALSE(OutputCurrentPage(d.source(), d.folder.at("old.PCX"), d.ui));
    EXPECT_TRUE(d.ui.saw(PcxAbortedMessage));
    EXPECT_EQ(d.ui.lastText(), FileNotCreatedMessage);
    EXPECT_FALSE(OutputBox(d.source(), d.folder.at("new"), PictureFormat::Pcx, {0, 0}, {400, 400}, d.ui));
    EXPECT_EQ(d.folder.names(), (std::vector<std::string>{"old.PCX", "taken.PCX"}));
    EXPECT_EQ(test::fileBytes(d.folder.at("old.PCX")), test::bytesOf("old picture"));
}

} // namespace
} // namespace qv
