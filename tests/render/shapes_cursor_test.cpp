// Shapes on the screen and on paper, and the entry cursor.

#include "render/cursor.h"
#include "render/primitives.h"
#include "render/shapes.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

QRgb rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

ScoreObject shape(int type, int x, int y, int a, int b, bool filled, bool blanking) {
    ScoreObject s = makeObject(ObjectKind::Shape, x, y);
    s.setShapeType(type);
    s.setShapeSize1(a);
    s.setShapeSize2(b);
    s.setShapeFilled(filled);
    s.setShapeBlanking(blanking);
    return s;
}

// A black note-like blob at (20..23, 20..23) page units, on screen and on paper.
DrawContext pageWithMusic() {
    DrawContext dc;
    dc.newScreenPage(60, 60);
    dc.newPrintPage(60, 60);
    for (int y = 20; y < 24; ++y)
        for (int x = 20; x < 24; ++x) dc.MainImage.setPixel(x, y, qRgb(0, 0, 0));
    for (int y = 60; y < 72; ++y)
        for (int x = 60; x < 72; ++x) dc.Printimage.setPixel(x, y, qRgb(0, 0, 0));
    return dc;
}

TEST(DrawShape, AnUnfilledRectangleLeavesTheMusicInsideVisible) {
    DrawContext dc = pageWithMusic();
    DrawShape(dc, shape(2, 10, 10, 30, 20, false, false), 0x0000FF, false);
    EXPECT_EQ(rgb(dc.MainImage, 10, 10), 0xFF0000u) << "the outline in the colour";
    EXPECT_EQ(rgb(dc.MainImage, 39, 29), 0xFF0000u) << "the last covered corner";
    EXPECT_EQ(rgb(dc.MainImage, 40, 29), 0xFFFFFFu) << "the right edge is left out";
    EXPECT_EQ(rgb(dc.MainImage, 39, 30), 0xFFFFFFu) << "the bottom edge is left out";
    EXPECT_EQ(rgb(dc.MainImage, 21, 21), 0x000000u) << "music inside stays visible";
    EXPECT_EQ(rgb(dc.MainImage, 15, 15), 0xFFFFFFu);
}

TEST(DrawShape, FilledShapesTakeTheColourAndCirclesCentreOnTheirPoint) {
    DrawContext dc = pageWithMusic();
    DrawShape(dc, shape(0, 30, 30, 10, 0, true, false), 0x00FF00, false);
    EXPECT_EQ(rgb(dc.MainImage, 30, 30), 0x00FF00u);
    EXPECT_EQ(rgb(dc.MainImage, 21, 30), 0x00FF00u);
    EXPECT_EQ(rgb(dc.MainImage, 22, 22), 0x000000u) << "outside the circle, near its box corner";
    EXPECT_EQ(rgb(dc.MainImage, 40, 30), 0xFFFFFFu);
}

TEST(DrawShape, BlankingShapesShowInTheEraseColourOnScreenAndHideMusicOnPaper) {
    DrawContext dc = pageWithMusic();
    const ScoreObject blank = shape(1, 22, 22, 6, 0, false, true);
    DrawShape(dc, blank, 0x000000, false);
    EXPECT_EQ(rgb(dc.MainImage, 16, 16), 0xFFFF00u) << "Erase colour 0x00FFFF is yellow";
    EXPECT_EQ(rgb(dc.MainImage, 21, 21), 0x000000u) << "on screen the music still shows";

    dc.HighResMode = true;
    DrawShape(dc, blank, 0x000000, false);
    for (int y = 48; y < 84; ++y)
        for (int x = 48; x < 84; ++x) ASSERT_EQ(rgb(dc.Printimage, x, y), 0xFFFFFFu) << x << "," << y;

    DrawContext filled = pageWithMusic();
    filled.HighResMode = true;
    filled.HiResOrigin = QPoint(2, 1);
    DrawShape(filled, shape(2, 1, 1, 4, 2, true, false), 0x0000FF, false);
    EXPECT_EQ(rgb(filled.Printimage, 5, 4), 0x000000u) << "filled in black on paper, origin added";
    EXPECT_EQ(rgb(filled.Printimage, 16, 9), 0x000000u) << "(1 + 4) * 3 + 2, less the right edge";
    EXPECT_EQ(rgb(filled.Printimage, 17, 9), 0xFFFFFFu);
    EXPECT_EQ(rgb(filled.Printimage, 10, 10), 0xFFFFFFu);
}

TEST(DrawShape, ExclusiveOrTwiceRestoresAndTheCallIsRecorded) {
    DrawContext dc = pageWithMusic();
    std::vector<std::string> calls;
    dc.record = &calls;
    const QImage before = dc.MainImage.copy();
    for (const ScoreObject& s : {shape(3, 5, 5, 40, 25, true, false), shape(0, 25, 25, 9, 0, false, true)}) {
        DrawShape(dc, s, 0x0000FF, true);
        EXPECT_NE(dc.MainImage, before);
        DrawShape(dc, s, 0x0000FF, true);
        EXPECT_EQ(dc.MainImage, before);
    }
    EXPECT_EQ(calls.front(), "shape ellipse at (5, 5) size 40, 25 filled xor colour 0000FF");
}

TEST(DrawCursor, ThreeShapesDrawnByExclusiveOrTwiceHide) {
    for (int type = 0; type < 3; ++type) {
        DrawContext dc;
        dc.newScreenPage(100, 100);
        std::vector<std::string> calls;
        dc.record = &calls;
        int scrolledX = -1, scrolledY = -1;
        dc.scrollIntoView = [&](int x, int y) {
            scrolledX = x;
            scrolledY = y;
        };
        const QImage before = dc.MainImage.copy();
        DrawCursor(dc, 50, 40, 2, type);
        EXPECT_TRUE(dc.cursor.shown);
        EXPECT_EQ(dc.cursor.x, 50);
        EXPECT_EQ(dc.cursor.y, 40);
        EXPECT_EQ(scrolledX, 50);
        EXPECT_EQ(scrolledY, 40);
        EXPECT_NE(dc.MainImage, before);
        DrawCursor(dc, 50, 40, 2, type);
        EXPECT_FALSE(dc.cursor.shown);
        EXPECT_EQ(dc.MainImage, before);
        if (type == 0) {
            EXPECT_EQ(calls, (std::vector<std::string>{
                                 "line (36, 65)-(64, 65) thickness 2 xor colour FF0000",
                                 "line (50, 65)-(50, 15) thickness 2 xor colour FF0000",
                                 "line (36, 15)-(64, 15) thickness 2 xor colour FF0000",
                                 "line (36, 65)-(64, 65) thickness 2 xor colour FF0000",
                                 "line (50, 65)-(50, 15) thickness 2 xor colour FF0000",
                                 "line (36, 15)-(64, 15) thickness 2 xor colour FF0000",
                             }));
        }
        if (type == 2) {
            EXPECT_EQ(calls.at(0), "line (36, 15)-(43, 28) thickness 2 xor colour FF0000");
        }
    }
}

} // namespace
} // namespace qv

namespace qv {
namespace {

TEST(Colours, TheUsersSettingsFeedTheDrawing) {
    ColourSettings settings;
    settings.Cursor = 0x123456;
    settings.Erase = 0x00AA00;
    DrawContext dc;
    dc.colours = coloursFrom(settings);
    dc.newScreenPage(60, 60);
    DrawCursor(dc, 30, 30, 1, 0);
    EXPECT_EQ(dc.MainImage.pixel(30, 30) & 0xFFFFFF, 0x563412u) << "the configured cursor colour";
    EXPECT_EQ(dc.colours.Erase, 0x00AA00u);
}

} // namespace
} // namespace qv
