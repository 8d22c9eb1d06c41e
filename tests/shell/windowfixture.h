#pragma once
// The real main frame opened on a score written to a file, with the toolkit's test
// driver for keys and clicks on its score window.

#include "files/scorefilewrite.h"
#include "shell/mainframe.h"
#include "shell/pageview.h"
#include "shell/scorewindow.h"
#include "support/scorebuilder.h"
#include "support/scratchfolder.h"
#include "render/drawcontext.h"
#include "support/scriptedui.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <fstream>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

namespace qv::test {

// Empty staves 48 apart opened in the main frame; Music mode entered by a click at x 100.
struct Entry {
    ScratchFolder dir;
    ScriptedUi ui;
    MainFrame frame{&ui};
    explicit Entry(int level = 3, int staves = 2, const std::function<void(Score&)>& fill = {}) {
        const std::string config = dir.at("QUAVLY.INI");
        std::ofstream(config) << "[User]\nLevel=" << level << "\nTutorial=1\n[Options]\nTips=0\nSound=0\nUndo=3\n";
        Score score = makeScore(staves);
        if (fill) fill(score);
        const std::string file = dir.at("entry.QVR");
        writeBytes(file, encodeScore(score, WriteRange{0, staves}, WriteOptions{}));
        frame.show();
        frame.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
        frame.start(config, {QString::fromStdString(file)});
        click(100, stave(1).Ycoord);
    }
    ScoreWindow& window() { return *frame.scoreWindow(); }
    Score& score() { return window().document().score; }
    Stave& stave(int s) { return score().stave(s); }
    ProvisionalObject& provisional() { return score().provisional; }
    const QImage& page() { return window().drawContext().MainImage; }
    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {}) {
        PageView& view = *window().pageView();
        QTest::mouseClick(&view, button, mods, view.toWidget(QPoint(x, y)));
    }
    // A left-button drag between two page points.
    void drag(QPoint from, QPoint to) {
        PageView& view = *window().pageView();
        QTest::mousePress(&view, Qt::LeftButton, {}, view.toWidget(from));
        QMouseEvent move(QEvent::MouseMove, QPointF(view.toWidget(to)), view.mapToGlobal(QPointF(view.toWidget(to))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &move);
        QTest::mouseRelease(&view, Qt::LeftButton, {}, view.toWidget(to));
    }
    // Each character typed as its key: letters as plain keys whatever their case.
    void type(const char* keys) {
        for (const char* k = keys; *k; ++k) QTest::keyClick(&window(), *k);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(&window(), k, mods); }
    // Pixels of the page in `colour` within `area` (page pixels), all of it by default.
    int pixelsOf(ColourValue colour, QRect area = {}) {
        const QRgb rgb = toQColor(colour).rgb();
        area = area.isNull() ? page().rect() : area & page().rect();
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) n += page().pixel(x, y) == rgb;
        return n;
    }
    std::vector<int> positions(int s) {
        std::vector<int> v;
        for (int i = 1; i <= stave(s).Nobjec; ++i) v.push_back(stave(s).object(i).staffPosition());
        return v;
    }
};

} // namespace qv::test
