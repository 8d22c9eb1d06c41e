// Notes, rests and beam groups, read through the recording mode: heads and where a
// separate stem is drawn, dots and marks, ledger lines, and the fitted beams.

#include "render/beams.h"
#include "render/curves.h"
#include "render/dispatch.h"
#include "render/glyphstore.h"
#include "render/notes.h"
#include "support/scorebuilder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qv {
namespace {

using Calls = std::vector<std::string>;

// Stave 1 has its middle line at y = 40; glyphs are drawn from the real bitmaps.
struct Fixture {
    Score score = test::makeScore(1);
    DrawContext dc;
    Calls calls;
    Fixture() {
        dc.glyphs = &GlyphStore::builtIn(); // the real bitmaps, for the pixel checks
        dc.record = &calls;
        dc.newScreenPage(300, 120);
        dc.newPrintPage(300, 120);
    }
    int ycoord() { return score.stave(1).Ycoord; }
    ScoreObject note(int x, int step, int duration, int stem) {
        ScoreObject n = test::makeNote(x, step, duration, ycoord());
        n.setStem(stem);
        return n;
    }
    int add(const ScoreObject& o) { return test::append(score.stave(1), o); }
    Calls draw(const ScoreObject& o) {
        calls.clear();
        DrawObject(dc, score, 1, add(o), 0, false);
        return calls;
    }
    // Appends the notes as one beam group and draws them in order.
    Calls drawGroup(std::vector<ScoreObject> notes, bool xorMode = false) {
        const int first = score.stave(1).Nobjec + 1;
        for (std::size_t i = 0; i < notes.size(); ++i) {
            const int index = first + static_cast<int>(i);
            if (i > 0) notes[i].setBeamBack(index - 1);
            if (i + 1 < notes.size()) notes[i].setBeamForward(index + 1);
            add(notes[i]);
        }
        calls.clear();
        for (std::size_t i = 0; i < notes.size(); ++i)
            DrawObject(dc, score, 1, first + static_cast<int>(i), 0, xorMode);
        return calls;
    }
};

Calls only(const Calls& calls, const std::string& prefix) {
    Calls out;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
                 [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    return out;
}

bool dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

int darkRun(const QImage& image, int y, int fromX, int toX) {
    int n = 0;
    for (int x = fromX; x <= toX; ++x)
        n += dark(image, x, y) ? 1 : 0;
    return n;
}

TEST(NoteStems, CrotchetOnTheMiddleLineIsOneGlyphAndAboveItGetsASeparateStem) {
    Fixture f;
    EXPECT_EQ(f.draw(f.note(50, 0, 3, StemUp)), (Calls{"glyph 26 at (50, 41) colour 000000"}));
    // Step 1 is y = 36: head at y + 1, stem at x + 5 from there to y - 27.
    EXPECT_EQ(f.draw(f.note(50, 1, 3, StemUp)), (Calls{
                                                    "glyph 25 at (50, 37) colour 000000",
                                                    "line (55, 37)-(55, 9) thickness -1 colour 000000",
                                                }));
}

TEST(NoteStems, LowAndHighNotesReachTheMiddleLine) {
    Fixture f;
    // Step -8 (y = 72), stem up: the stem runs to the middle line; two ledger lines.
    EXPECT_EQ(f.draw(f.note(50, -8, 3, StemUp)), (Calls{
                                                     "glyph 25 at (50, 73) colour 000000",
                                                     "line (55, 73)-(55, 39) thickness -1 colour 000000",
                                                     "line (42, 64)-(59, 64) thickness 1 colour 000000",
                                                     "line (42, 72)-(59, 72) thickness 1 colour 000000",
                                                 }));
    // A minim at step 8 (y = 8) with stem down, lengthened by one half space.
    ScoreObject minim = f.note(80, 8, 2, StemDown);
    minim.setStemExtra(1);
    EXPECT_EQ(only(f.draw(minim), "glyph"), (Calls{"glyph 22 at (80, 9) colour 000000"}));
    // A line leaves out its last point, so a stem down is drawn to end (Ycoord + 4).
    EXPECT_EQ(only(f.calls, "line (76"), (Calls{"line (76, 9)-(76, 44) thickness -1 colour 000000"}));
}

TEST(NoteStems, StemsPointingAcrossTheStaveAreShortened) {
    Fixture f;
    // Step -3 (y = 52) with stem down: end = y + 29 - T(3) = 77, its last pixel 76.
    EXPECT_EQ(f.draw(f.note(50, -3, 3, StemDown)), (Calls{
                                                       "glyph 25 at (50, 53) colour 000000",
                                                       "line (46, 53)-(46, 77) thickness -1 colour 000000",
                                                   }));
    // Step 9 and beyond use the largest shortening, 8: y - 27 + 8 with y = 4.
    EXPECT_EQ(only(f.draw(f.note(50, 9, 3, StemUp)), "line (55"),
              (Calls{"line (55, 5)-(55, -16) thickness -1 colour 000000"}));
    // A shortened stem on the stave's own side.
    ScoreObject shortStem = f.note(50, -2, 3, StemUp);
    shortStem.setStemExtra(-2);
    EXPECT_EQ(only(f.draw(shortStem), "line"), (Calls{"line (55, 49)-(55, 28) thickness -1 colour 000000"}));
}

TEST(NoteStems, AutomaticStemsTurnDownAboveTheMiddleLine) {
    Fixture f;
    EXPECT_EQ(f.draw(f.note(50, 1, 3, StemAuto)), (Calls{"glyph 27 at (50, 37) colour 000000"}));
    EXPECT_EQ(f.draw(f.note(50, 0, 3, StemAuto)), (Calls{"glyph 26 at (50, 41) colour 000000"}));
    ScoreObject n = f.note(0, 3, 3, StemAuto);
    ResolveStem(n);
    EXPECT_EQ(n.stem(), StemDown);
}

TEST(NoteStems, FlaggedNotesAreHeadPlusFlagGlyphAndMoveTheFlagForALongStem) {
    Fixture f;
    EXPECT_EQ(f.draw(f.note(50, 0, 4, StemUp)), (Calls{
                                                    "glyph 28 at (50, 41) colour 000000",
                                                    "glyph 25 at (50, 41) colour 000000",
                                                }));
    // Below the stave the flags sit at the middle line and a line joins them to the head.
    EXPECT_EQ(only(f.draw(f.note(50, -9, 5, StemUp)), "glyph 30"),
              (Calls{"glyph 30 at (50, 68) colour 000000"}));
    EXPECT_EQ(only(f.calls, "line (55"), (Calls{"line (55, 77)-(55, 66) thickness -1 colour 000000"}));
    for (int y = 40; y <= 76; ++y)
        EXPECT_TRUE(dark(f.dc.MainImage, 55, y)) << "stem broken at y = " << y;
    // Above it, stem down, likewise.
    EXPECT_EQ(only(f.draw(f.note(50, 8, 4, StemDown)), "glyph 29"),
              (Calls{"glyph 29 at (50, 12) colour 000000"}));
    // Lengthened: the flags move out by 4 per unit; a shortening is ignored.
    ScoreObject longer = f.note(50, 0, 4, StemUp);
    longer.setStemExtra(2);
    EXPECT_EQ(only(f.draw(longer), "glyph 28"), (Calls{"glyph 28 at (50, 33) colour 000000"}));
    ScoreObject shorter = f.note(50, 0, 4, StemUp);
    shorter.setStemExtra(-2);
    EXPECT_EQ(f.draw(shorter), (Calls{
                                   "glyph 28 at (50, 41) colour 000000",
                                   "glyph 25 at (50, 41) colour 000000",
                               }));
}

TEST(NoteStems, OnlyNormalHeadsGetSeparateStems) {
    Fixture f;
    ScoreObject small = f.note(50, 3, 3, StemUp);
    small.setHeadStyle(1);
    EXPECT_EQ(f.draw(small), (Calls{"glyph 57 at (50, 29) colour 000000"}));
    ScoreObject cross = f.note(50, -9, 4, StemUp);
    cross.setHeadStyle(4);
    EXPECT_EQ(only(f.draw(cross), "glyph"), (Calls{"glyph 107 at (50, 77) colour 000000"}));
}

TEST(NoteStems, HighResolutionStemsAreBarsBesideTheHeadEdge) {
    Fixture f;
    f.dc.HighResMode = true;
    EXPECT_EQ(only(f.draw(f.note(50, 1, 3, StemUp)), "hires"), (Calls{"hires rect (166, 111)-(168, 27)"}));
    EXPECT_EQ(only(f.draw(f.note(50, -3, 3, StemDown)), "hires"),
              (Calls{"hires rect (138, 159)-(140, 231)"}));
}

// The inked rows of column x of an image: first and last, -1 when none.
struct InkSpan {
    int top = -1;
    int bottom = -1;
};
InkSpan columnSpan(const QImage& image, int x) {
    InkSpan span;
    for (int y = 0; y < image.height(); ++y)
        if (dark(image, x, y)) {
            if (span.top < 0) span.top = y;
            span.bottom = y;
        }
    return span;
}

// How far a stem reaches from the note's y, measured in the pixels of a note drawn
// alone: down to its last pixel for a stem down, up to its first for a stem up. On
// paper the column is one inside both the glyphs' stems and the drawn bars, and the
// reach is in print pixels.
int stemReach(int step, int duration, int stem, int add, bool highRes) {
    Fixture f;
    f.dc.record = nullptr;
    f.dc.HighResMode = highRes;
    ScoreObject n = f.note(50, step, duration, stem);
    n.setStemExtra(add);
    DrawObject(f.dc, f.score, 1, f.add(n), 0, false);
    const QImage& image = highRes ? f.dc.Printimage : f.dc.MainImage;
    const int sx = stem == StemUp ? 55 : 46;
    const InkSpan span = columnSpan(image, highRes ? 3 * sx + 2 : sx);
    const int y = highRes ? 3 * n.y() : n.y();
    return stem == StemUp ? y - span.top : span.bottom - y;
}

TEST(NoteStems, SeparateStemsReachAsFarAsTheGlyphsOwnBothWays) {
    for (const bool highRes : {false, true}) {
        const int unit = highRes ? 3 : 1;
        SCOPED_TRACE(highRes ? "print" : "screen");
        for (const int duration : {2, 3}) {
            // Step 0 draws the whole glyph; a lengthened stem is drawn apart and is
            // 4 longer for each unit.
            const int glyphDown = stemReach(0, duration, StemDown, 0, highRes);
            EXPECT_EQ(stemReach(0, duration, StemDown, 1, highRes), glyphDown + 4 * unit);
            EXPECT_EQ(stemReach(0, duration, StemDown, 2, highRes), glyphDown + 8 * unit);
            // Below the middle line a stem down is shortened by T(-step): 4 at step -3.
            EXPECT_EQ(stemReach(-3, duration, StemDown, 0, highRes), glyphDown - 4 * unit);
            // On paper a drawn stem up starts at 3 (end - 1), a little beyond its glyph's.
            if (highRes) continue;
            const int glyphUp = stemReach(0, duration, StemUp, 0, highRes);
            EXPECT_EQ(stemReach(0, duration, StemUp, 1, highRes), glyphUp + 4);
            EXPECT_EQ(stemReach(3, duration, StemUp, 0, highRes), glyphUp - 4);
        }
    }
}

// The rows of a crotchet head drawn without a stem, on the screen or on paper.
InkSpan headRows(int step, bool highRes) {
    Fixture f;
    f.dc.record = nullptr;
    f.dc.HighResMode = highRes;
    DrawObject(f.dc, f.score, 1, f.add(f.note(50, step, 3, StemNone)), 0, false);
    const QImage& image = highRes ? f.dc.Printimage : f.dc.MainImage;
    InkSpan rows;
    for (int x = 0; x < image.width(); ++x) {
        const InkSpan column = columnSpan(image, x);
        if (column.top < 0) continue;
        rows.top = rows.top < 0 ? column.top : std::min(rows.top, column.top);
        rows.bottom = std::max(rows.bottom, column.bottom);
    }
    return rows;
}

TEST(NoteHeads, HeadsAreCentredOnTheirLineOrSpaceOnTheScreenAndOnPaper) {
    // Stave lines lie on row Ycoord + 8k - 1 on the screen and on rows 3 (Ycoord + 8k) - 1
    // and 3 (Ycoord + 8k) on paper: a head on a line has as much ink above it as below,
    // and a head in a space reaches as far toward either line.
    Fixture f;
    const int middle = f.ycoord() - 1;
    for (const int step : {-2, 0, 2}) {
        const InkSpan head = headRows(step, false);
        const int line = middle - 4 * step;
        EXPECT_EQ(line - head.top, head.bottom - line) << "screen, step " << step;
    }
    for (const int step : {-1, 1}) {
        const InkSpan head = headRows(step, false);
        EXPECT_EQ(head.top + head.bottom, 2 * (middle - 4 * step)) << "screen, step " << step;
    }
    for (const int step : {-2, -1, 0, 1, 2}) {
        const InkSpan head = headRows(step, true);
        // Twice the centre of the head's rows, against twice the centre of the pitch's rows.
        EXPECT_EQ(head.top + head.bottom, 2 * 3 * (f.ycoord() - 4 * step) - 1) << "print, step " << step;
    }
}

TEST(NoteExtras, DotsStandInTheSpaceAndClearTheFlag) {
    Fixture f;
    ScoreObject onLine = f.note(50, 0, 3, StemUp);
    onLine.setDots(1);
    EXPECT_EQ(only(f.draw(onLine), "glyph 37"), (Calls{"glyph 37 at (51, 40) colour 000000"}));
    ScoreObject inSpace = f.note(50, 1, 4, StemDown);
    inSpace.setDots(2);
    EXPECT_EQ(only(f.draw(inSpace), "glyph 38"), (Calls{"glyph 38 at (55, 40) colour 000000"}));
    ScoreObject breve = f.note(50, 1, 0, StemUp);
    breve.setDots(3);
    EXPECT_EQ(only(f.draw(breve), "glyph 179"), (Calls{"glyph 179 at (57, 40) colour 000000"}));
    ScoreObject smallDemi = f.note(50, 0, 6, StemUp);
    smallDemi.setHeadStyle(1);
    smallDemi.setDots(1);
    EXPECT_EQ(only(f.draw(smallDemi), "glyph 37"), (Calls{"glyph 37 at (53, 40) colour 000000"}));
}

TEST(NoteExtras, AccentsAndStaccatosKeepOffTheLines) {
    Fixture f;
    // On the middle line, stem up: marks move below; with both, the accent 2 up and
    // the staccato 4 below it.
    ScoreObject both = f.note(50, 0, 3, StemUp);
    both.setAccent(true);
    both.setStaccato(1);
    EXPECT_EQ(f.draw(both), (Calls{
                                "glyph 26 at (50, 41) colour 000000",
                                "glyph 77 at (50, 43) colour 000000",
                                "glyph 71 at (56, 47) colour 000000",
                            }));
    // Stem down high on the stave: no move for the line, 2 up for a lone staccato.
    ScoreObject stacc = f.note(50, 4, 3, StemDown);
    stacc.setStaccato(1);
    EXPECT_EQ(only(f.draw(stacc), "glyph 72"), (Calls{"glyph 72 at (56, 23) colour 000000"}));
    // Without a stem the marks stay where they are and take the stem-down glyphs.
    ScoreObject stemless = f.note(50, 0, 3, StemNone);
    stemless.setStaccato(1);
    EXPECT_EQ(only(f.draw(stemless), "glyph 72"), (Calls{"glyph 72 at (56, 41) colour 000000"}));
    // Staccatissimo with an accent, stem down, in a space.
    ScoreObject marc = f.note(50, -1, 3, StemDown);
    marc.setAccent(true);
    marc.setStaccato(2);
    EXPECT_EQ(only(f.draw(marc), "glyph 7"), (Calls{
                                                 "glyph 78 at (50, 45) colour 000000",
                                                 "glyph 74 at (56, 41) colour 000000",
                                             }));
}

TEST(NoteExtras, LedgerLinesAreSeventeenPixelsOrElevenForASmallHead) {
    Fixture f;
    f.dc.record = nullptr;
    f.draw(f.note(50, 6, 2, StemDown)); // ledger at y = 16
    ScoreObject small = f.note(150, -6, 3, StemUp);
    small.setHeadStyle(1); // ledger at y = 64
    f.draw(small);
    ScoreObject grace = f.note(250, 6, 4, StemUp);
    grace.setHeadStyle(2);
    f.draw(grace);
    EXPECT_EQ(darkRun(f.dc.MainImage, 16, 30, 70), 17);
    EXPECT_TRUE(dark(f.dc.MainImage, 42, 16) && dark(f.dc.MainImage, 58, 16));
    EXPECT_EQ(darkRun(f.dc.MainImage, 64, 130, 170), 11);
    EXPECT_TRUE(dark(f.dc.MainImage, 145, 64) && dark(f.dc.MainImage, 155, 64));
    EXPECT_EQ(darkRun(f.dc.MainImage, 16, 230, 270), 11);
    // Within the stave there are none.
    f.dc.record = &f.calls;
    EXPECT_TRUE(only(f.draw(f.note(50, 5, 3, StemDown)), "line").empty());
    EXPECT_TRUE(only(f.draw(f.note(50, -5, 3, StemUp)), "line").empty());
}

TEST(NoteExtras, HighResolutionLedgerLineIsABar) {
    Fixture f;
    f.dc.HighResMode = true;
    DrawLedgerLine(f.dc, 40, 50, 8, false, 0, -6);
    EXPECT_EQ(f.calls, (Calls{"hires rect (126, 191)-(177, 193)"}));
}

TEST(Rests, GlyphDotsAndTheLedgerLinesOfHangingRests) {
    Fixture f;
    ScoreObject quaver = test::makeRest(60, 4);
    quaver.setY(40);
    quaver.setDots(1);
    EXPECT_EQ(f.draw(quaver), (Calls{
                                  "glyph 53 at (60, 40) colour 000000",
                                  "glyph 37 at (60, 39) colour 000000",
                              }));
    ScoreObject semi = test::makeRest(60, 5);
    semi.setY(40);
    semi.setDots(2);
    EXPECT_EQ(only(f.draw(semi), "glyph 38"), (Calls{"glyph 38 at (64, 31) colour 000000"}));
    // A semibreve rest at step 4 hangs from a ledger line at step 6.
    ScoreObject semibreve = test::makeRest(60, 1);
    semibreve.setStaffPosition(4);
    semibreve.setY(24);
    EXPECT_EQ(only(f.draw(semibreve), "line"), (Calls{"line (52, 16)-(69, 16) thickness 1 colour 000000"}));
    // A minim rest at step -8: lines at -6 and -8 (to the step minus 2, plus 2).
    ScoreObject minim = test::makeRest(60, 2);
    minim.setStaffPosition(-8);
    EXPECT_EQ(only(f.draw(minim), "line").size(), 2u);
    // A breve rest at step -8: only the first line; a crotchet rest never has any.
    ScoreObject breve = test::makeRest(60, 0);
    breve.setStaffPosition(-8);
    EXPECT_EQ(only(f.draw(breve), "line"), (Calls{"line (52, 64)-(69, 64) thickness 1 colour 000000"}));
    ScoreObject crotchet = test::makeRest(60, 3);
    crotchet.setStaffPosition(10);
    EXPECT_TRUE(only(f.draw(crotchet), "line").empty());
}

std::vector<BeamEntry> points(std::initializer_list<std::pair<int, int>> xy) {
    std::vector<BeamEntry> out;
    for (auto [x, y] : xy) {
        BeamEntry e;
        e.sx = x;
        e.sy = y;
        out.push_back(e);
    }
    return out;
}

TEST(BeamLine, GentleSlopesAreFlatAndSteepOnesCappedAtOneHalf) {
    const double limit = beamSlopeFor(10); // about 0.176
    BeamLine gentle = FitBeamLine(points({{100, 10}, {0, 0}}), limit);
    EXPECT_EQ(gentle.slope, 0.0);
    EXPECT_DOUBLE_EQ(gentle.intercept, 5.0);
    BeamLine steep = FitBeamLine(points({{10, 20}, {0, 0}}), limit);
    EXPECT_EQ(steep.slope, 0.5);
    BeamLine falling = FitBeamLine(points({{10, -20}, {0, 0}}), limit);
    EXPECT_EQ(falling.slope, -0.5);
    // With no minimum angle the flattened slope stands: 0.6 of 0.1.
    BeamLine kept = FitBeamLine(points({{100, 10}, {0, 0}}), 0.0);
    EXPECT_DOUBLE_EQ(kept.slope, 0.06);
    EXPECT_DOUBLE_EQ(kept.at(50), 5.0);
    // A minimum angle of 45 degrees or more counts as 45: a flattened 0.9 is drawn
    // flat, a flattened 1.2 still capped at one half.
    EXPECT_EQ(FitBeamLine(points({{10, 15}, {0, 0}}), 3.0).slope, 0.0);
    EXPECT_EQ(FitBeamLine(points({{10, 20}, {0, 0}}), 3.0).slope, 0.5);
    // Stems all at one x (or a single stem) give no slope to follow: flat.
    EXPECT_EQ(FitBeamLine(points({{5, 10}, {5, 0}}), limit).slope, 0.0);
    EXPECT_EQ(FitBeamLine(points({{5, 10}}), limit).slope, 0.0);
}

TEST(BeamGroup, DottedQuaverAndSemiquaverShareOneBeamAndStubInward) {
    Fixture f;
    // Step -3 is y = 52; stems up reach y - 28 = 24, then one pixel more so that
    // the semiquaver keeps 17 pixels under its two beams.
    ScoreObject dotted = f.note(100, -3, 4, StemUp);
    dotted.setDots(1);
    const Calls calls = f.drawGroup({dotted, f.note(140, -3, 5, StemUp)});
    EXPECT_EQ(only(calls, "line"), (Calls{
                                       "line (145, 52)-(145, 23) thickness -1 colour 000000",
                                       "line (105, 52)-(105, 23) thickness -1 colour 000000",
                                   }));
    EXPECT_EQ(only(calls, "fracline"), (Calls{
                                           "fracline (145, 29)-(136, 29) thickness 1 colour 000000",
                                           "fracline (145, 30)-(136, 30) thickness 1 colour 000000",
                                           "fracline (145, 31)-(136, 31) thickness 1 colour 000000",
                                           "fracline (145, 23)-(105, 23) thickness 1 colour 000000",
                                           "fracline (145, 24)-(105, 24) thickness 1 colour 000000",
                                           "fracline (145, 25)-(105, 25) thickness 1 colour 000000",
                                       }));
    // Beamed heads are bare and the dot sits close.
    EXPECT_EQ(only(calls, "glyph"), (Calls{
                                        "glyph 25 at (100, 53) colour 000000",
                                        "glyph 37 at (101, 56) colour 000000",
                                        "glyph 25 at (140, 53) colour 000000",
                                    }));
}

TEST(BeamGroup, SemiquaverBeforeADottedQuaverStubsRight) {
    Fixture f;
    const Calls calls = f.drawGroup({f.note(100, -3, 5, StemUp), f.note(140, -3, 4, StemUp)});
    EXPECT_EQ(only(calls, "fracline (105"), (Calls{
                                                "fracline (105, 29)-(113, 29) thickness 1 colour 000000",
                                                "fracline (105, 30)-(113, 30) thickness 1 colour 000000",
                                                "fracline (105, 31)-(113, 31) thickness 1 colour 000000",
                                            }));
}

TEST(BeamGroup, MiddleNotesStubTowardTheNeighbourWithFewerBeams) {
    Fixture f;
    // Quaver, semiquaver, quaver: neither neighbour has more, so the middle note's
    // second beam is a stub to the left, 9 pixels from its stem at x - 4 = 126.
    Calls calls =
        f.drawGroup({f.note(100, 3, 4, StemDown), f.note(130, 3, 5, StemDown), f.note(160, 3, 4, StemDown)});
    EXPECT_EQ(only(calls, "fracline (126, 51)-(117").size(), 1u);
    EXPECT_EQ(only(calls, "fracline (126, 49)-(117").size(), 1u);
    EXPECT_EQ(only(calls, "fracline (126").size(), 6u); // the stub and the beam shared to the left
    // Quaver, semiquaver, semiquaver: the middle note shares both beams to its right
    // and has no stub.
    calls =
        f.drawGroup({f.note(100, 3, 4, StemDown), f.note(130, 3, 5, StemDown), f.note(160, 3, 5, StemDown)});
    EXPECT_EQ(only(calls, "fracline (156").size(), 6u);
    EXPECT_TRUE(only(calls, "fracline (126, 51)-(117").empty());
    EXPECT_TRUE(only(calls, "fracline (126, 51)-(134").empty());
}

TEST(BeamGroup, StemsDownHangFromTheLineAndSlopesFollowTheNotes) {
    Fixture f;
    f.score.setBeamang(0);
    // Rising notes above the middle line, stems down at x - 4: the stems end at
    // y + 28 = 60 and 56, a slope of -4/30 flattened to -0.08 through their mean
    // (111, 58); the beam's lines stack upward, toward the heads.
    const Calls calls = f.drawGroup({f.note(100, 2, 4, StemDown), f.note(130, 3, 4, StemDown)});
    const Calls beams = only(calls, "fracline");
    ASSERT_EQ(beams.size(), 3u);
    EXPECT_EQ(beams[0], "fracline (126, 56.8)-(96, 59.2) thickness 1 colour 000000");
    EXPECT_EQ(beams[2], "fracline (126, 54.8)-(96, 57.2) thickness 1 colour 000000");
    EXPECT_EQ(only(calls, "line (126"), (Calls{"line (126, 28)-(126, 57) thickness -1 colour 000000"}));
}

TEST(BeamGroup, SmallNotesUseTheirOwnMetrics) {
    Fixture f;
    ScoreObject a = f.note(100, 0, 4, StemUp), b = f.note(120, 0, 4, StemUp);
    a.setHeadStyle(1);
    b.setHeadStyle(1);
    const Calls calls = f.drawGroup({a, b});
    EXPECT_EQ(only(calls, "glyph"),
              (Calls{"glyph 90 at (100, 41) colour 000000", "glyph 90 at (120, 41) colour 000000"}));
    // Stems at x + 3 from one above the pitch, 14 up to the beam and 2 more for the
    // shortest stem of 12 under a beam of 2 and gap of 2.
    EXPECT_EQ(only(calls, "line"), (Calls{
                                       "line (123, 39)-(123, 24) thickness -1 colour 000000",
                                       "line (103, 39)-(103, 24) thickness -1 colour 000000",
                                   }));
    EXPECT_EQ(only(calls, "fracline").size(), 2u);
}

TEST(BeamGroup, AProvisionalNoteJoinsTheGroupFromTheScratchSlot) {
    Fixture f;
    ScoreObject first = f.note(100, -2, 4, StemUp);
    first.setBeamForward(2);
    f.add(first);
    ScoreObject entering = f.note(130, -2, 4, StemUp);
    entering.setBeamBack(1);
    f.score.provisional.present = true;
    f.score.provisional.object = entering;
    const QImage before = f.dc.MainImage;
    DrawProvisionalObject(f.dc, f.score, 1);
    EXPECT_EQ(only(f.calls, "fracline").size(), 3u);
    EXPECT_EQ(only(f.calls, "line (105").front(), "line (105, 48)-(105, 20) thickness -1 xor colour C0C0C0");
    EXPECT_NE(f.dc.MainImage, before);
    DrawProvisionalObject(f.dc, f.score, 1);
    EXPECT_EQ(f.dc.MainImage, before);
}

TEST(ExclusiveOr, DrawingTwiceRestoresThePage) {
    Fixture f;
    f.dc.record = nullptr;
    ScoreObject low = f.note(40, -9, 5, StemUp);
    low.setDots(2);
    low.setAccent(true);
    low.setStaccato(1);
    f.draw(low);
    const QImage before = f.dc.MainImage;
    for (int pass = 0; pass < 2; ++pass) {
        DrawObject(f.dc, f.score, 1, 1, 0x0000FF, true);
        f.drawGroup({f.note(100, 4, 4, StemDown), f.note(130, 7, 6, StemDown), f.note(160, 1, 5, StemDown)},
                    true);
        f.score.stave(1).Nobjec = 1; // the group again in the same slots
    }
    EXPECT_EQ(f.dc.MainImage, before);
}

TEST(Ties, TheLaterNoteDrawsTheTieInItsDirectionAndTheEditFormBothSides) {
    Fixture f;
    ScoreObject a = f.note(60, -3, 3, StemUp), b = f.note(100, -3, 3, StemUp), c = f.note(140, -3, 3, StemUp);
    a.setTiedTo(2);
    b.setTiedFrom(1);
    b.setTiedTo(3);
    b.setTieOverhand(true);
    c.setTiedFrom(2);
    f.add(a);
    f.add(b);
    f.add(c);
    const auto tie = [&](int from, int to, int direction) {
        Calls calls;
        f.dc.record = &calls;
        DrawTie(f.dc, f.score, 1, 0, false, from, to, direction);
        f.dc.record = &f.calls;
        return only(calls, "spline");
    };
    const Calls over = tie(1, 2, -1);
    ASSERT_EQ(over.size(), 1u);
    ASSERT_NE(over, tie(1, 2, 1));
    f.calls.clear();
    DrawObject(f.dc, f.score, 1, 1, 0, false);
    EXPECT_TRUE(only(f.calls, "spline").empty()) << "the first note of a tie leaves it to the second";
    DrawObject(f.dc, f.score, 1, 2, 0, false);
    EXPECT_EQ(only(f.calls, "spline"), over);
    f.calls.clear();
    DrawEditNote(f.dc, f.score, 1, 2, 0, false);
    EXPECT_EQ(only(f.calls, "spline"), (Calls{over[0], tie(2, 3, -1)[0]}));
}

TEST(EditForm, StemAsStoredAndItsOwnStemRules) {
    Fixture f;
    // An automatic stem is shown from the automatic column.
    ScoreObject autoStem = f.note(50, 3, 3, StemAuto);
    f.add(autoStem);
    DrawEditNote(f.dc, f.score, 1, 1, 0xFF, true);
    EXPECT_EQ(f.calls, (Calls{"glyph 26 at (50, 29) xor colour 0000FF"}));
    // High stem up: min(y1 - 20, Ycoord - 44) = -4; step 5 is y = 20.
    f.calls.clear();
    f.add(f.note(50, 5, 3, StemUp));
    DrawEditNote(f.dc, f.score, 1, 2, 0, false);
    EXPECT_EQ(f.calls, (Calls{
                           "glyph 25 at (50, 21) colour 000000",
                           "line (55, 21)-(55, -5) thickness -1 colour 000000",
                       }));
    // Low stem down at x - 5, even in high resolution drawn as a line.
    f.calls.clear();
    f.dc.HighResMode = true;
    f.add(f.note(50, -5, 3, StemDown));
    DrawEditNote(f.dc, f.score, 1, 3, 0, false);
    EXPECT_EQ(only(f.calls, "line"), (Calls{"line (45, 61)-(45, 84) thickness -1 colour 000000"}));
}

TEST(EditForm, BeamedCrossHeadsShowAsDiamondsWithTheirGroup) {
    Fixture f;
    ScoreObject a = f.note(100, 0, 4, StemUp), b = f.note(130, 0, 4, StemUp);
    a.setHeadStyle(4);
    f.drawGroup({a, b});
    f.calls.clear();
    DrawEditNote(f.dc, f.score, 1, 1, 0, false);
    EXPECT_EQ(only(f.calls, "glyph"), (Calls{"glyph 104 at (100, 41) colour 000000"}));
    EXPECT_EQ(only(f.calls, "fracline").size(), 3u);
}

} // namespace
} // namespace qv
