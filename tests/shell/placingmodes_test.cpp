// The placing modes on the real score window: text typed where the pointer is, a
// curve clicked out point by point, and a full stave that refuses every kind.

#include "edit/symbolpalette.h"
#include "model/staveops.h"
#include "render/drawcontext.h"
#include "shell/placingmarks.h"
#include "windowfixture.h"

#include <QCursor>
#include <QTest>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct Placing : test::Entry {
    explicit Placing(const std::function<void(Score&)>& fill = {}) : Entry(3, 2, fill) {}
    Editor& editor() { return window().editor(); }
    void pointTo(int x, int y) {
        PageView& view = *window().pageView();
        QCursor::setPos(view.mapToGlobal(view.toWidget(QPoint(x, y))));
        QTest::mouseMove(&view, view.toWidget(QPoint(x, y)));
    }
    int cursorColourPixels() { return pixelsOf(window().drawContext().colours.Cursor); }
};

TEST(PlacingModes, TypedWordsBecomeLongTextsWhereTheyWereTyped) {
    Placing f;
    f.pointTo(300, 160);
    f.key(Qt::Key_F9);
    ASSERT_EQ(f.editor().mode, ModeText);
    f.pointTo(300, 160);
    f.type("TWO ");
    EXPECT_GT(f.cursorColourPixels(), 10) << "the text being typed shows at the pointer";
    f.type("WORDS");
    f.key(Qt::Key_Tab);
    f.key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(f.editor().drawing.textBuffer, "TWO WORDS\x1e\x1e") << "Tab and Ctrl+space type the tab character";
    EXPECT_TRUE(f.window().hasFocus());
    f.key(Qt::Key_Backspace);
    f.key(Qt::Key_Backspace);
    f.key(Qt::Key_Return);
    EXPECT_EQ(f.editor().mode, ModeMusic);
    EXPECT_EQ(f.cursorColourPixels(), 0) << "no trace of the typed text is left";
    ASSERT_EQ(f.stave(1).Nobjec, 2) << "two long texts, one for each word";
    const ScoreObject& two = f.stave(1).object(1);
    const ScoreObject& words = f.stave(1).object(2);
    EXPECT_EQ(two.chunkText(), "TWO");
    EXPECT_EQ(words.chunkText(), "WORDS");
    EXPECT_EQ(two.x(), 300) << "typing began at the pointer; the caret moved on with each letter";
    EXPECT_GT(words.x(), two.x() + 20) << "the second word starts where it was typed";
    EXPECT_EQ(words.y(), two.y());
}

TEST(PlacingModes, ACurveTakesAHundredPointsAndRefusesTheNext) {
    Placing f;
    f.pointTo(300, 200);
    f.key(Qt::Key_F12);
    ASSERT_EQ(f.editor().mode, ModeCurve);
    for (int i = 0; i < 101; ++i)
        f.click(40 + 5 * i, 150 + (i % 3));
    EXPECT_EQ(f.ui.lastText(), TooManyPointsMessage);
    f.click(600, 150, Qt::RightButton);
    EXPECT_EQ(f.editor().mode, ModeMusic);
    ASSERT_EQ(f.stave(1).Nobjec, 100);
    EXPECT_EQ(f.stave(1).object(1).curveNext(), 2);
    EXPECT_EQ(f.stave(1).object(100).curvePrev(), 99);
    EXPECT_EQ(f.stave(1).object(100).x(), 535) << "the 101st point was not kept";
}

TEST(PlacingModes, AFullStaveRefusesEveryKindAndKeepsWhatItHas) {
    Placing f([](Score& score) {
        for (int i = 0; i < MaxObjects; ++i)
            test::append(score.stave(1), test::makeNote(30 + 2 * i, 0, 3, score.stave(1).Ycoord));
    });
    f.ui.paletteScript = [](SymbolPalette& p) { return p.click(20, 20); };
    f.ui.toolsScript = [](DrawingTools&) { return true; };
    const Stave before = f.stave(1);
    f.pointTo(300, 180);
    f.key(Qt::Key_F9);
    f.type("TEXT");
    f.key(Qt::Key_Return);
    // Line, Hairpin, Shape, Symbol and Curve, each given two clicks and ended with Esc.
    const int y = f.stave(1).Ycoord + 12;
    for (const auto& [key, mods] : {std::pair{Qt::Key_F11, Qt::NoModifier}, {Qt::Key_F11, Qt::ControlModifier},
                                   {Qt::Key_F10, Qt::ControlModifier}, {Qt::Key_F12, Qt::ControlModifier},
                                   {Qt::Key_F12, Qt::NoModifier}}) {
        f.key(key, mods);
        f.click(100, y);
        f.click(200, y + 10); // in Music mode (after a refused symbol) still nearest to stave 1
        f.key(Qt::Key_Escape);
    }
    std::vector<std::string> texts;
    for (const auto& m : f.ui.messages) texts.push_back(m.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Stave too complex to save all the text.", StaveTooComplexMessage,
                                               StaveTooComplexMessage, StaveTooComplexMessage,
                                               StaveTooComplexMessage, TooManyPointsMessage,
                                               TooManyPointsMessage}))
        << "Ctrl+F12 enters Symbol mode once, without a warning from its release";
    EXPECT_TRUE(f.stave(1) == before);
    EXPECT_EQ(f.score().undo.live(), 0) << "nothing refused left an undo step";
}

} // namespace
} // namespace qv

namespace qv {
namespace {

TEST(PlacingMarks, DrawnTwiceTheyLeaveThePageAsItWas) {
    DrawContext dc;
    dc.newScreenPage(400, 200);
    for (int x = 0; x < 400; x += 7) // something under the marks
        dc.MainImage.setPixel(x, 100, qRgb(0, 0, 0));
    PlacingMarks marks;
    marks.tether = true;
    marks.tetherLine = {{20, 100}, {80, 40}};
    marks.band = {{{100, 90}, {300, 110}}, {{100, 90}, {300, 70}}};
    marks.curve = {{50, 150}, {120, 170}, {200, 160}};
    marks.text = "F\x8fm7 B\x8d" "7";
    marks.textFont = FontDesc{"Liberation Serif", 12, 0, 0};
    marks.textTopLeft = {250, 130};
    const QImage before = dc.MainImage.copy();
    DrawPlacingMarks(dc, marks, MarkColours{});
    EXPECT_NE(dc.MainImage, before);
    DrawPlacingMarks(dc, marks, MarkColours{});
    EXPECT_EQ(dc.MainImage, before);
}

} // namespace
} // namespace qv
