// The placing modes driven through the event routing: text into long texts, lines,
// hairpins, curves, symbols and shapes, the band the pointer is held in, full staves
// and one undo step per addition.

#include "edit/eventrouting.h"
#include "edit/undocommand.h"
#include "edit/placing.h"
#include "edit/shapecommand.h"
#include "edit/symbolpalette.h"
#include "layout/tidystave.h"
#include "recordinghost.h"
#include "render/glyphstore.h"
#include "render/textmetrics.h"
#include "support/scorebuilder.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

namespace qv {
namespace {

// Staves 1 to 3 on page 1 (middle lines at 40, 88, 136), stave 4 on page 2; stave 2 current.
struct Placing : test::Session {
    explicit Placing(int level = Standard) : Session(4) {
        installLayoutHooks(score);
        score.undo.open(20);
        score.stave(4).PageNum = 2;
        settings.Level = level;
        editor.mode = ModeMusic;
        editor.page.currentStave = 2;
    }
    const Stave& stave(int s = 2) const { return score.stave(s); }
    void move(int x, int y, unsigned mods = ModNone) { mouseMoved(session, MouseEvent{{x, y}, NoButton, NoButton, mods, {}}); }
    void click(int x, int y, MouseButton b = LeftButton, unsigned mods = ModNone) {
        move(x, y, mods);
        mousePressed(session, MouseEvent{{x, y}, b, b, mods, {}}, 0);
        mouseReleased(session, MouseEvent{{x, y}, b, NoButton, mods, {}});
    }
    std::vector<int> heads(int s = 2) const { // the long texts' first chunks
        std::vector<int> found;
        for (int i = 1; i <= stave(s).Nobjec; ++i)
            if (stave(s).object(i).is(ObjectKind::LongText) && !stave(s).object(i).isContinuation()) found.push_back(i);
        return found;
    }
    // The stave comes back byte for byte with one undo step.
    void expectUndoneTo(const Stave& before) {
        ASSERT_EQ(score.undo.undoStep(score, ui), 2);
        EXPECT_TRUE(stave() == before);
    }
};

TEST(TextMode, WordsBecomeLongTextsAtTheirOwnXInChunksOfTen) {
    Placing f;
    f.move(100, 90);
    SetMode(f.session, ModeText);
    const Stave before = f.stave();
    f.type("Allegro ");
    const int secondX = f.editor.drawing.caret.x;
    EXPECT_EQ(f.host.pointer, (PagePoint{secondX, 90})) << "the pointer goes with the caret";
    const std::string word = "abcdefghijklmnopqrstuvw"; // 23 letters
    f.type(word);
    const int y = 90 - TextHeight(f.editor.marks.textFont, "x");
    f.type("\r");
    EXPECT_TRUE(f.editor.mode == ModeMusic && f.host.marks.empty());
    const std::vector<int> heads = f.heads();
    ASSERT_EQ(heads.size(), 2u);
    ASSERT_EQ(f.stave().Nobjec, 4) << "two heads and two continuation chunks";
    const ScoreObject& first = f.stave().object(heads[0]);
    const ScoreObject& second = f.stave().object(heads[1]);
    EXPECT_EQ((std::vector<int>{first.x(), first.y(), second.x(), second.y()}), (std::vector<int>{100, y, secondX, y}));
    EXPECT_EQ(longTextOf(f.stave(), heads[0]), "Allegro");
    EXPECT_EQ(second.chunkText(), "abcdefghij");
    const ScoreObject& c1 = f.stave().object(second.textNext());
    const ScoreObject& c2 = f.stave().object(c1.textNext());
    EXPECT_EQ(c1.chunkText() + "|" + c2.chunkText(), "klmnopqrst|uvw");
    EXPECT_TRUE(c2.textNext() == 0 && (c1.textAttributes() & c2.textAttributes() & TextContinuation));
    EXPECT_EQ(f.score.fonts.font(second.fontNumber()).name, f.settings.defaultFont.name);
    f.expectUndoneTo(before);
}

TEST(TextMode, SpecialKeysNewLinesTheHeaderFooterStaveAndLeaving) {
    Placing f;
    f.move(100, 90);
    SetMode(f.session, ModeText);
    f.host.overPage = false;
    f.type("x");
    f.host.overPage = true;
    f.type(" a"); // nothing typed off the page, nor a space to begin with
    f.type("\x02\x0E\x13\x03\t ", ModCtrl);
    EXPECT_EQ(f.editor.drawing.textBuffer, std::string("a\x8D\x8E\x8F\xA9\x1E\x1E"));
    f.type("\b");
    f.type("\n");
    // Ctrl+Enter completes and goes on under the start of the line above.
    EXPECT_TRUE(f.editor.mode == ModeText && f.editor.drawing.caret.x == 100 && f.editor.drawing.caret.y > 90);
    ASSERT_EQ(f.heads().size(), 1u);
    EXPECT_EQ(longTextOf(f.stave(), f.heads()[0]), std::string("a\x8D\x8E\x8F\xA9\x1E"));
    f.type("Andante");
    f.ui.buttonAnswers = {ButtonNo};
    f.key(KeyEscape);
    EXPECT_EQ(f.editor.mode, ModeText) << "7 letters are not thrown away without asking";
    f.ui.buttonAnswers = {ButtonYes};
    f.key(KeyEscape);
    EXPECT_TRUE(f.editor.mode == ModeMusic && f.host.marks.empty());
    EXPECT_EQ(f.heads().size(), 1u) << "the abandoned text is not stored";

    Placing hf; // text on the header/footer stave is universal text
    hf.editor.page = PageState{0, 0, 1, {}};
    hf.editor.mode = ModeHeadFoot;
    SetMode(hf.session, ModeText);
    hf.type("Fine\r");
    EXPECT_EQ(hf.editor.mode, ModeHeadFoot);
    ASSERT_EQ(hf.heads(0).size(), 1u);
    EXPECT_EQ(hf.stave(0).object(hf.heads(0)[0]).textAttributes(), TextUniversal);
}

TEST(Placing, BelowTheAdvancedLevelThePointerStopsAtTheNeighbouringStaves) {
    for (int level : {Standard, Advanced}) {
        Placing f(level);
        SetMode(f.session, ModeLine);
        const bool held = level == Standard;
        f.move(10, 0);
        EXPECT_EQ(f.host.marks.tetherLine.to, (MarkPoint{10, held ? 40 : 0}));
        f.click(100, 300);
        EXPECT_EQ(f.editor.drawing.start, (MarkPoint{100, held ? 136 : 300}));
        f.key(KeyPageUp);
        EXPECT_EQ(f.editor.currentStave(), 1);
        f.click(200, 0);
        EXPECT_EQ(f.stave(1).object(1).y() + f.stave(1).object(1).lineDy(), 0) << "no stave above the page's first";
        for (int i = 0; i < 3; ++i) f.key(KeyPageDown);
        EXPECT_EQ(f.editor.currentStave(), 3) << "stave 4 is on the next page";
    }
}

TEST(LineAndHairpin, LinesFollowOnShiftMakesThemLevelAndHairpinsMirrorTheirLegs) {
    Placing f;
    SetMode(f.session, ModeLine);
    const Stave before = f.stave();
    f.click(100, 80);
    f.click(100, 80); // a double click draws nothing
    f.click(150, 100);
    const Stave oneLine = f.stave();
    f.move(220, 110, ModShift);
    EXPECT_EQ(f.host.marks.band, (std::vector<MarkLine>{{{150, 100}, {220, 100}}}));
    f.click(220, 110, LeftButton, ModShift);
    ASSERT_EQ(f.stave().Nobjec, 2);
    const ScoreObject& a = f.stave().object(1);
    const ScoreObject& b = f.stave().object(2);
    EXPECT_EQ((std::vector<int>{a.x(), a.y(), a.lineDx(), a.lineDy(), b.x(), b.y(), b.lineDx(), b.lineDy()}),
              (std::vector<int>{100, 80, 50, 20, 150, 100, 70, 0}));
    EXPECT_EQ(a.lineThickness(), f.settings.options.Linewidth);
    f.host.take();
    f.click(300, 90, RightButton);
    EXPECT_EQ(f.editor.mode, ModeMusic);
    EXPECT_NE(f.host.take().find("redraw"), std::string::npos) << "the band of the lines is redrawn";
    f.expectUndoneTo(oneLine);
    f.expectUndoneTo(before);

    SetMode(f.session, ModeHairpin);
    f.click(100, 88);
    f.move(160, 96);
    EXPECT_EQ(f.host.marks.band, (std::vector<MarkLine>{{{100, 88}, {160, 96}}, {{100, 88}, {160, 80}}}));
    f.click(160, 96);
    ASSERT_TRUE(f.editor.mode == ModeMusic && f.stave().Nobjec == 1);
    const ScoreObject& h = f.stave().object(1);
    EXPECT_EQ((std::vector<int>{h.x(), h.y(), h.hairpinDx(), h.hairpinDy()}), (std::vector<int>{100, 88, 60, 8}));
    f.expectUndoneTo(before);
}

TEST(CurveMode, CrowdedPointsAreIgnoredTheCurveIsLinkedInOrderOfXAndPointsAreCounted) {
    Placing f;
    SetMode(f.session, ModeCurve);
    const Stave before = f.stave();
    f.click(200, 88);
    f.click(203, 91);
    EXPECT_EQ(f.editor.drawing.curve.points().size(), 1u) << "3 right and 3 below is too close";
    f.click(205, 88);
    f.move(100, 90);
    f.type("\r"); // Enter adds the point under the pointer
    EXPECT_EQ(f.host.marks.curve, (std::vector<MarkPoint>{{100, 90}, {200, 88}, {205, 88}}));
    f.editor.drawing.dotted = true;
    f.type("\x1B");
    ASSERT_TRUE(f.editor.mode == ModeMusic && f.stave().Nobjec == 3);
    for (int i = 1; i <= 3; ++i) {
        const ScoreObject& p = f.stave().object(i);
        EXPECT_EQ((std::vector<int>{p.curvePrev(), p.curveNext(), p.curveThickness(), p.curveDotted()}),
                  (std::vector<int>{i == 1 ? 0 : i - 1, i == 3 ? 0 : i + 1, f.settings.options.Curvedepth, 1}));
    }
    EXPECT_EQ(f.stave().object(1).x(), 100);
    f.expectUndoneTo(before);

    SetMode(f.session, ModeCurve);
    for (int i = 0; i < 3; ++i) f.click(10 + 5 * i, 88);
    SetMode(f.session, ModeMusic);
    EXPECT_EQ(f.stave().Nobjec, 0) << "points left by a mode command are not stored";
    EXPECT_TRUE(f.host.marks.empty());
}

TEST(SymbolMode, CopiesRepetitionsAndWarnings) {
    Placing f;
    int offered = 0;
    f.ui.paletteScript = [&](SymbolPalette& p) {
        p.chosen = offered;
        p.manySymbols = offered == 180;
        return offered != 0;
    };
    SetMode(f.session, ModeSymbol);
    EXPECT_EQ(f.editor.mode, ModeMusic) << "a cancelled palette ends the mode";
    offered = 180;
    SetMode(f.session, ModeSymbol);
    EXPECT_TRUE(f.score.provisional.present);
    EXPECT_TRUE(f.ui.messages.empty());
    f.move(100, 20, ModShift);
    EXPECT_EQ(f.score.provisional.object.y(), 88) << "Shift centres the symbol on the stave";
    f.type(std::string(300, ' '));
    EXPECT_EQ(f.score.provisional.object.repeats(), 255);
    f.type("\b");
    f.click(100, 70);
    f.click(300, 200);
    EXPECT_EQ(f.editor.mode, ModeSymbol) << "more than one";
    ASSERT_EQ(f.stave().Nobjec, 2);
    const ScoreObject& s = f.stave().object(2);
    EXPECT_EQ((std::vector<int>{s.symbolCode(), s.x(), s.y(), s.repeats(), s.stepDx()}),
              (std::vector<int>{180, 300, 136, 254, GlyphStore::builtIn().glyph(180, false).width()}));
    f.type("\x1B");
    EXPECT_TRUE(f.editor.mode == ModeMusic && !f.score.provisional.present);

    offered = 21; // a note's glyph: the less advanced are warned, and one click ends the mode
    SetMode(f.session, ModeSymbol);
    EXPECT_EQ(f.ui.messages.back().type, MessageType::Warning);
    f.type("\r"); // before the pointer has moved: at the last mouse point
    EXPECT_TRUE(f.editor.mode == ModeMusic && f.stave().Nobjec == 3);
}

TEST(DrawingMode, TheToolsChooseTheShapeAndTheSecondClickSizesIt) {
    Placing f;
    f.ui.toolsScript = [](DrawingTools& t) {
        t.shapeChoice = 3; // solid circle
        t.shapeColour = 1;
        return true;
    };
    shapeCommand(f.session);
    EXPECT_EQ(f.editor.mode, ModeDrawing);
    f.click(100, 88);
    SetMode(f.session, ModeMusic);
    EXPECT_FALSE(f.score.provisional.present) << "a shape before its second click is forgotten";
    EXPECT_EQ(f.stave().Nobjec, 0);
    shapeCommand(f.session);
    f.click(100, 88);
    f.click(103, 92);
    ASSERT_TRUE(f.stave().Nobjec == 1 && !f.score.provisional.present);
    const ScoreObject& s = f.stave().object(1);
    EXPECT_EQ((std::vector<int>{s.shapeType(), s.shapeFilled(), s.shapeBlanking(), s.shapeSize1(), s.x(), s.y()}),
              (std::vector<int>{0, 1, 1, 5, 100, 88}));
    // Rectangle, ellipse and square, hollow and in black: boxes take both sides, squares the distance.
    const int choices[] = {0, 4, 6};
    const std::vector<int> expected[] = {{2, 0, 0, 3, 4}, {3, 0, 0, 3, 4}, {1, 0, 0, 5, 0}};
    for (int k = 0; k < 3; ++k) {
        f.ui.toolsScript = [&](DrawingTools& t) { return t.shapeChoice = choices[k], t.shapeColour = 0, true; };
        shapeCommand(f.session);
        f.click(100, 88);
        f.click(103, 92);
        const ScoreObject& o = f.stave().object(f.stave().Nobjec);
        EXPECT_EQ((std::vector<int>{o.shapeType(), o.shapeFilled(), o.shapeBlanking(), o.shapeSize1(), o.shapeSize2()}),
                  expected[k]) << "choice " << choices[k];
    }
}

// Random placements and Edit-mode changes, each either kept or taken back by one undo
// that must give back every stave byte for byte.
TEST(UndoEveryChange, OneUndoTakesBackAnyPlacementOrEdit) {
    Placing f(Advanced);
    f.score.undo.open(100);
    f.ui.paletteScript = [](SymbolPalette& p) { return p.click(20, 20); };
    f.ui.toolsScript = [](DrawingTools& t) { return t.shapeChoice = 1, true; };
    for (int i = 0; i < 6; ++i)
        test::append(f.score.stave(2), test::makeNote(60 + 30 * i, i - 2, 4, 88));
    std::mt19937 rng(14);
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const auto editKeys = std::string("12345678sx#.-'TtUu0/~");
    int undone = 0;
    for (int step = 0; step < 80; ++step) {
        std::vector<Stave> before;
        for (int s = 0; s < 5; ++s)
            before.push_back(f.score.stave(s));
        const int x = 40 + pick(400), y = 70 + pick(40), action = pick(7);
        switch (action) {
        case 0: SetMode(f.session, ModeLine), f.click(x, y), f.click(x + 30, y + 5), f.click(x, y, RightButton); break;
        case 1: SetMode(f.session, ModeHairpin), f.click(x, y), f.click(x + 50, y - 4); break;
        case 2: SetMode(f.session, ModeCurve), f.click(x, y), f.click(x + 20, y + 6), f.click(x + 40, y, RightButton); break;
        case 3: f.move(x, y), SetMode(f.session, ModeText), f.type("ab cdefghijklm"), f.key(KeyEnter), f.type("\r"); break;
        case 4: SetMode(f.session, ModeSymbol), f.click(x, y); break;
        case 5: shapeCommand(f.session), f.click(x, y), f.click(x + 12, y + 9); break;
        default:
            f.editor.cursorX = x;
            SetMode(f.session, ModeEdit);
            for (int k = 0; k < 3; ++k) {
                if (pick(4) == 0) f.key(pick(2) ? KeyUp : KeyBackspace);
                else f.type(std::string(1, editKeys[static_cast<std::size_t>(pick(static_cast<int>(editKeys.size())))]));
            }
            f.type("\r");
        }
        SetMode(f.session, ModeMusic);
        bool changed = false;
        for (int s = 0; s < 5; ++s)
            changed = changed || !(f.score.stave(s) == before[static_cast<std::size_t>(s)]);
        if (!changed || pick(3) == 0) continue; // kept: the next change builds on it
        undoCommand(f.session);
        ++undone;
        for (int s = 0; s < 5; ++s)
            EXPECT_TRUE(f.score.stave(s) == before[static_cast<std::size_t>(s)]) << "step " << step << " action " << action;
    }
    EXPECT_GT(undone, 30);
}

} // namespace
} // namespace qv

namespace qv {
namespace {

TEST(SymbolPalette, OneHundredAndSixtySixCellsInRowsPickedByTheirPlace) {
    const std::vector<int>& codes = SymbolPalette::order();
    ASSERT_EQ(codes.size(), 166u);
    EXPECT_EQ(std::set<int>(codes.begin(), codes.end()).size(), 166u) << "every code once";
    EXPECT_EQ((std::vector<int>{codes[0], codes[17], codes[165]}), (std::vector<int>{65, 115, 229}));
    SymbolPalette palette(760); // a cell must fit before the right edge less one cell
    EXPECT_EQ(palette.columns(), 14);
    EXPECT_EQ(palette.cellAt(9, 5), 0);
    EXPECT_EQ(palette.cellAt(10, 0), 1);
    EXPECT_EQ(palette.cellAt(10 + 14 * 48, 5), 0) << "right of the last column";
    EXPECT_EQ(palette.cellAt(10 + 3 * 48 + 47, 56 + 55), 18);
    EXPECT_EQ(palette.cellAt(10 + 13 * 48, 11 * 56), 0) << "past the last cell";
    EXPECT_TRUE(palette.click(10 + 3 * 48, 56) && palette.chosen == 115);
    EXPECT_EQ((std::vector<int>{palette.cellX(18), palette.cellY(18)}), (std::vector<int>{10 + 3 * 48, 56}));
}

} // namespace
} // namespace qv
