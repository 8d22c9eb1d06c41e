// Zoom on the real score window: the keys and the menu, clicks and drags that act
// on the same page units at every zoom, the marks drawn by exclusive-or coming off
// exactly, and the zoom kept for the next session.

#include "shell/configfile.h"
#include "shell/zoom.h"
#include "windowfixture.h"

#include <QAction>
#include <QMenu>
#include <QScrollArea>

namespace qv {
namespace {

// Three quavers at x 100, 140 and 180 on stave 1.
struct Zooming : test::Entry {
    Zooming()
        : Entry(3, 2, [](Score& score) {
              for (int i = 0; i < 3; ++i) test::append(score.stave(1), test::makeNote(100 + 40 * i, 2 * i, 4, score.stave(1).Ycoord));
          }) {}
    Editor& editor() { return window().editor(); }
    const QImage& surface() { return window().drawContext().surface(); }
};

// A zoom between levels (a fitted one) steps to the next level either way; fitting
// takes the largest whole per cent that fits, within the limits.
TEST(Zoom, LevelsAndFitting) {
    EXPECT_EQ(zoomedIn(137), 150);
    EXPECT_EQ(zoomedOut(137), 125);
    EXPECT_EQ(zoomedIn(400), 400);
    EXPECT_EQ(zoomedOut(50), 50);
    const QSize page(600, 800);
    EXPECT_EQ(fitZoom(ZoomFit::Width, page, QSize(1203, 500)), 200) << "the width alone";
    EXPECT_EQ(fitZoom(ZoomFit::Page, page, QSize(1203, 500)), 62) << "the height decides";
    EXPECT_EQ(fitZoom(ZoomFit::Page, page, QSize(100, 100)), MinZoom);
    EXPECT_EQ(fitZoom(ZoomFit::Width, page, QSize(6000, 100)), MaxZoom);
    EXPECT_FALSE(drawnThreeTimes(100, 1.0));
    EXPECT_TRUE(drawnThreeTimes(100, 2.0)) << "a high-density screen is drawn from the fine glyphs";
    EXPECT_TRUE(drawnThreeTimes(125, 1.0));
}

TEST(Zoom, TheKeysStepThroughTheLevelsAndLeaveTheMusicAlone) {
    Zooming f;
    const Stave before = f.stave(1);
    const int headSize = f.editor().defaultNote.headStyle();
    const struct {
        Qt::Key key;
        int percent;
    } steps[] = {{Qt::Key_Plus, 125}, {Qt::Key_Equal, 150}, {Qt::Key_Plus, 200}, {Qt::Key_Minus, 150},
                 {Qt::Key_0, 100},    {Qt::Key_Minus, 75},  {Qt::Key_Minus, 67}, {Qt::Key_Minus, 50},
                 {Qt::Key_Minus, 50}};
    for (const auto& step : steps) {
        f.key(step.key, Qt::ControlModifier);
        EXPECT_EQ(f.window().zoomPercent(), step.percent);
    }
    // Ctrl let go before the 0: its release alone is not the 0 key (a head size).
    f.key(Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyPress(&f.window(), Qt::Key_0, Qt::ControlModifier);
    QTest::keyRelease(&f.window(), Qt::Key_0, Qt::NoModifier);
    EXPECT_EQ(f.window().zoomPercent(), 100);
    EXPECT_EQ(f.stave(1), before) << "no key reached the music";
    EXPECT_EQ(f.editor().defaultNote.headStyle(), headSize);
    f.key(Qt::Key_9, Qt::ControlModifier);
    EXPECT_EQ(f.window().zoomFit(), ZoomFit::Page);
    EXPECT_TRUE(f.window().action("ZoomFitPage")->isChecked());
    QMenu* zoomMenu = nullptr;
    for (QObject* o : f.window().action("ZoomFitPage")->associatedObjects())
        if (auto* m = qobject_cast<QMenu*>(o)) zoomMenu = m;
    ASSERT_NE(zoomMenu, nullptr);
    EXPECT_EQ(zoomMenu->title(), QStringLiteral("&Zoom (%1%)").arg(f.window().zoomPercent()))
        << "the Page menu shows the zoom";
    const QSize shown = f.window().pageView()->size();
    const QSize room = f.window().scrollBox()->maximumViewportSize();
    EXPECT_LE(shown.width(), room.width());
    EXPECT_LE(shown.height(), room.height());
    EXPECT_TRUE(shown.width() + 2 >= room.width() * 99 / 100 || shown.height() + 2 >= room.height() * 99 / 100)
        << "the page fills the window one way";
}

// A click or a drag at the same page point acts on the same object whatever the zoom:
// every rule works in page units.
TEST(Zoom, ClicksAndDragsActOnPageUnitsAtEveryZoom) {
    Zooming f;
    f.key(Qt::Key_F10);
    ASSERT_EQ(f.editor().mode, int(ModeEdit));
    const int y = f.stave(1).object(3).y();
    int x = 180;
    for (int percent : {50, 100, 300}) {
        SCOPED_TRACE(percent);
        f.window().setZoom(percent);
        EXPECT_EQ(f.window().drawContext().HighResMode, percent > 100);
        f.click(x - 2, y - 10);
        EXPECT_EQ(f.editor().currentObject, 3);
        f.click(101, y - 10);
        EXPECT_EQ(f.editor().currentObject, 1);
        f.click(x, y);
        f.drag(QPoint(x, y), QPoint(x + 10, y));
        EXPECT_EQ(f.stave(1).object(3).x(), x + 10) << "dragged ten page units";
        x += 10;
    }
}

// The cursor, the provisional note and the highlighted object come off a zoomed
// page exactly, and zooming carries them to the new page.
TEST(Zoom, MarksDrawnByExclusiveOrComeOffExactlyWhenZoomedIn) {
    Zooming f;
    f.window().setZoom(300);
    ASSERT_TRUE(f.window().drawContext().ZoomedScreen);
    f.window().setCursorMark(false);
    const QImage bare = f.surface().copy();
    f.window().setCursorMark(true);
    const QRgb cursor = toQColor(f.window().drawContext().colours.Cursor).rgb();
    int shown = 0;
    for (int yy = 0; yy < f.surface().height(); ++yy)
        for (int xx = 0; xx < f.surface().width(); ++xx) shown += f.surface().pixel(xx, yy) == cursor;
    EXPECT_GT(shown, 3 * 50) << "the cursor at three pixels a unit";
    f.window().setCursorMark(false);
    EXPECT_EQ(f.surface(), bare);

    f.window().setCursorMark(true);
    f.type("4c");
    ASSERT_TRUE(f.provisional().present);
    f.window().setZoom(200); // still three times: the same page, scaled
    f.window().setZoom(100); // drawn afresh at one pixel a unit, marks and all
    ASSERT_FALSE(f.window().drawContext().HighResMode);
    const QImage withNote = f.surface().copy();
    f.key(Qt::Key_Escape);
    EXPECT_FALSE(f.provisional().present);
    f.type("4c");
    EXPECT_EQ(f.surface(), withNote) << "the provisional note was carried to the new page as drawn";
}

TEST(Zoom, TheZoomIsKeptForTheNextSession) {
    std::string config;
    {
        Zooming f;
        config = f.dir.at("QUAVLY.INI");
        f.window().setZoom(200);
        f.frame.closeScore();
        EXPECT_EQ(readConfiguration(config).Zoom, 200);
        f.frame.openFile(f.dir.at("entry.QVR"));
        EXPECT_EQ(f.window().zoomPercent(), 200);
        EXPECT_TRUE(f.window().drawContext().HighResMode);
    }
}

} // namespace
} // namespace qv
