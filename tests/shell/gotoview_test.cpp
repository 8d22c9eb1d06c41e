// Going to a page, system or stave moves the purple stave and the entry cursor to
// the new current stave and scrolls it into the window, on its page or another.

#include "windowfixture.h"

#include <QAction>
#include <QScrollArea>
#include <QScrollBar>

namespace qv {
namespace {

constexpr ColourValue Purple = 0x800080;

// Twenty-four empty staves: 1 to 16 on page 1, 17 to 24 on page 2 from y 300 down,
// 70 apart, so that the last of each page lie below the window's first view.
struct TwoPages : test::Entry {
    TwoPages()
        : Entry(3, 24, [](Score& score) {
              for (int i = 17; i <= 24; ++i) {
                  Stave& s = score.stave(i);
                  s.PageNum = 2;
                  s.Ycoord = 300 + 70 * (i - 17);
                  s.MinY = s.Ycoord - 16;
                  s.MaxY = s.Ycoord + 16;
              }
          }) {}
    // Stave s's band in page pixels.
    QRect band(int s) {
        const QPoint origin = window().drawContext().ScreenOrigin;
        return QRect(QPoint(stave(s).LeftX, stave(s).MinY) + origin, QPoint(stave(s).RightX, stave(s).MaxY) + origin);
    }
    // The part of the page the window shows, in page pixels.
    QRect inView() {
        QScrollArea& box = *window().scrollBox();
        return QRect(window().pageView()->mapFrom(box.viewport(), QPoint(0, 0)), box.viewport()->size());
    }
    int cursorPixels(QRect area = {}) { return pixelsOf(window().drawContext().colours.Cursor, area); }
};

TEST(GotoView, ThePurpleStaveAndTheCursorFollowTheCurrentStaveIntoView) {
    TwoPages f;
    ASSERT_EQ(f.window().editor().mode, int(ModeMusic));
    ASSERT_GT(f.stave(16).MaxY, f.inView().bottom()) << "the window is shorter than a page";
    struct Step {
        const char* item;
        const char* answer; // for the input box, none for Top and End
        int stave, page;
    };
    const Step steps[] = {
        {"GotoStave", "23", 23, 2}, // another page, below the first view
        {"GotoStave", "18", 18, 2}, // the same page, upwards
        {"GotoPage", "1", 1, 1},    {"GotoStave", "16", 16, 1}, {"GotoSystem", "3", 3, 1},
        {"GotoEnd", nullptr, 24, 2}, {"GotoTop", nullptr, 1, 1},
    };
    int before = f.window().editor().currentStave();
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.item) + " " + (step.answer ? step.answer : ""));
        const int oldPage = f.window().editor().currentPage();
        if (step.answer) f.ui.inputAnswers = {std::string(step.answer)};
        f.window().action(QString::fromUtf8(step.item))->trigger();
        ASSERT_EQ(std::pair(f.window().editor().currentStave(), f.window().editor().currentPage()),
                  std::pair(step.stave, step.page));
        const QRect now = f.band(step.stave);
        EXPECT_GT(f.pixelsOf(Purple, now), 100) << "the new stave is purple";
        EXPECT_EQ(f.pixelsOf(Purple), f.pixelsOf(Purple, now)) << "and no other";
        if (oldPage == step.page && before != step.stave) {
            EXPECT_EQ(f.pixelsOf(Purple, f.band(before)), 0) << "the old one drawn plain";
        }
        const QRect cursorReach = now.adjusted(-16, -10, 16, 10); // its serifs reach past the stave
        EXPECT_GT(f.cursorPixels(cursorReach), 0) << "the cursor is on the new stave";
        EXPECT_EQ(f.cursorPixels(), f.cursorPixels(cursorReach)) << "and nowhere else";
        EXPECT_TRUE(f.inView().contains(now)) << "the stave is scrolled into view";
        before = step.stave;
    }
    EXPECT_EQ(f.window().editor().cursorX, f.stave(24).LeftX + 20) << "End put the cursor near the start";
}

} // namespace
} // namespace qv
