// Lines, filled rectangles, fractional lines and outlines on the screen page and
// the print image, and the exclusive-or rule that drawing twice restores the page.

#include "render/primitives.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

bool isBlack(const QImage& image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0; }

int blackPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += isBlack(image, x, y);
    return n;
}

// A page with some music-like content, so that exclusive-or is tried on more than white.
DrawContext busyPage() {
    DrawContext dc;
    dc.newScreenPage(120, 90);
    for (int y = 0; y < 90; y += 7)
        for (int x = (y * 3) % 11; x < 120; x += 5) dc.MainImage.setPixel(x, y, qRgb(x * 2, y * 2, 90));
    return dc;
}

TEST(Primitives, ThinScreenLinesLeaveOutTheirLastPoint) {
    DrawContext dc;
    dc.newScreenPage(40, 20);
    dc.ScreenOrigin = QPoint(3, 2);
    DrawLine(dc, 5, 4, 16, false, 0x000000, -1, 4); // a ledger line from x - 5 to x + 6
    EXPECT_EQ(blackPixels(dc.MainImage), 11);
    EXPECT_TRUE(isBlack(dc.MainImage, 8, 6)) << "the origin is added";
    EXPECT_TRUE(isBlack(dc.MainImage, 18, 6));
    EXPECT_FALSE(isBlack(dc.MainImage, 19, 6));
}

TEST(Primitives, ColoursAreWindowsValues) {
    DrawContext dc;
    dc.newScreenPage(10, 10);
    DrawLine(dc, 0, 0, 5, false, 0xFF0000, 1, 0); // 0x00BBGGRR: blue
    EXPECT_EQ(dc.MainImage.pixel(2, 0) & 0xFFFFFF, 0x0000FFu);
}

TEST(Primitives, ExclusiveOrDrawnTwiceRestoresThePage) {
    DrawContext dc = busyPage();
    const QImage before = dc.MainImage.copy();
    const auto drawAll = [&] {
        DrawLine(dc, 3, 3, 80, true, 0xFF0000, 1, 60);
        DrawLine(dc, 10, 80, 100, true, 0x0000FF, 5, 20); // wide and slanted
        DrawLine(dc, 50, 5, 50, true, 0x008000, 3, 70);
        DrawRectOutline(dc, 20, 20, 60, 50, true, 0x80FF00);
        DrawFracLine(dc, 3, true, 0x000000, 10.5, 40.49, 90.5, 30.5);
    };
    drawAll();
    EXPECT_NE(dc.MainImage, before);
    drawAll();
    EXPECT_EQ(dc.MainImage, before);
}

TEST(Primitives, ExclusiveOrOnWhiteShowsTheColour) {
    DrawContext dc;
    dc.newScreenPage(20, 20);
    DrawRectOutline(dc, 2, 2, 12, 8, true, 0x0000FF);
    EXPECT_EQ(dc.MainImage.pixel(2, 2) & 0xFFFFFF, 0xFF0000u) << "each corner is drawn once, not cancelled";
    EXPECT_EQ(dc.MainImage.pixel(12, 8) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(dc.MainImage.pixel(12, 2) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(dc.MainImage.pixel(6, 5) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(Primitives, HighResolutionVerticalLineOfThicknessFour) {
    DrawContext dc;
    dc.HighResMode = true;
    dc.newPrintPage(30, 50);
    DrawLine(dc, 10, 20, 10, false, 0x000000, 4, 40);
    // From (24, 54) to (36, 126), moved one right, right and bottom edges left out.
    EXPECT_EQ(blackPixels(dc.Printimage), 12 * 72);
    EXPECT_TRUE(isBlack(dc.Printimage, 25, 54));
    EXPECT_TRUE(isBlack(dc.Printimage, 36, 125));
    EXPECT_FALSE(isBlack(dc.Printimage, 24, 54));
    EXPECT_FALSE(isBlack(dc.Printimage, 37, 100));
    EXPECT_FALSE(isBlack(dc.Printimage, 30, 126));
    EXPECT_EQ(blackPixels(dc.MainImage), 0) << "nothing reaches the screen page";
}

TEST(Primitives, HighResolutionLinesFollowTheOriginAndOrderTheirEnds) {
    DrawContext dc;
    dc.HighResMode = true;
    dc.HiResOrigin = QPoint(5, 7);
    dc.newPrintPage(40, 40);
    DrawLine(dc, 20, 10, 4, false, 0x000000, 2, 10); // right to left, horizontal
    EXPECT_EQ(blackPixels(dc.Printimage), 3 * 18 * 6) << "widened by the thickness at both ends";
    EXPECT_TRUE(isBlack(dc.Printimage, 3 * 3 + 1 + 5, 3 * 9 + 7));

    DrawContext thin;
    thin.HighResMode = true;
    thin.newPrintPage(20, 20);
    DrawLine(thin, 5, 2, 5, false, 0x000000, -1, 8);
    EXPECT_EQ(blackPixels(thin.Printimage), 2 * 18) << "the thinnest vertical line is two pixels wide";

    DrawContext slanted;
    slanted.HighResMode = true;
    slanted.newPrintPage(20, 20);
    DrawLine(slanted, 1, 1, 15, false, 0x0000FF, 1, 12);
    EXPECT_GT(blackPixels(slanted.Printimage), 0);
    EXPECT_EQ(slanted.Printimage.pixel(20, 18) & 0xFFFFFF, 0u) << "the print image is black whatever the colour";
}

TEST(Primitives, FractionalEndsRoundHalvesAwayFromZero) {
    EXPECT_EQ(fracRound(2.49), 2);
    EXPECT_EQ(fracRound(2.5), 3);
    EXPECT_EQ(fracRound(-2.5), -3);
    EXPECT_EQ(fracRound(-2.49), -2);
    EXPECT_EQ(fracRound(0.0), 0);

    DrawContext dc;
    dc.newScreenPage(20, 10);
    DrawFracLine(dc, 1, false, 0x000000, 1.5, 3.4, 9.5, 3.4); // from (2, 3) to (10, 3)
    EXPECT_TRUE(isBlack(dc.MainImage, 2, 3));
    EXPECT_FALSE(isBlack(dc.MainImage, 1, 3));
    EXPECT_EQ(blackPixels(dc.MainImage), 8);
}

} // namespace
} // namespace qv
