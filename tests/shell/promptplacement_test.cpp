// Where the prompt beside the pointer goes, and how readable a colour is on its ground.

#include "shell/contrast.h"
#include "shell/promptplacement.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(PromptPlacement, ThePromptKeepsClearOfWhatItMustNotCoverAndStaysOnTheScreen) {
    const QSize prompt(200, 60);
    const QRect screen(0, 0, 1280, 1024);
    const QPoint pointer(400, 300); // the usual place: (350, 350)
    struct Case {
        const char* what;
        std::vector<QRect> keepClear;
    };
    const Case cases[] = {
        {"nothing in the way", {}},
        {"a clef under the usual place", {QRect(360, 330, 36, 64)}},
        {"a clef and the preview below it", {QRect(360, 330, 36, 64), QRect(0, 400, 1280, 624)}},
        {"a clef at the screen's top, reaching past the pointer", {QRect(300, 0, 300, 420)}},
    };
    for (const Case& c : cases) {
        const QRect placed(placePrompt(prompt, pointer, c.keepClear, screen), prompt);
        EXPECT_TRUE(screen.contains(placed)) << c.what;
        for (const QRect& r : c.keepClear)
            EXPECT_FALSE(r.intersects(placed)) << c.what;
    }
    EXPECT_EQ(placePrompt(prompt, pointer, {}, screen), QPoint(350, 350));
    // Covered wherever it goes: the usual place.
    EXPECT_EQ(placePrompt(prompt, pointer, {screen}, screen), QPoint(350, 350));
}

TEST(Contrast, TheGroundIsTheOneTheTextStandsOutFrom) {
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(contrastRatio(Qt::red, Qt::red), 1.0, 1e-9);
    EXPECT_EQ(groundFor(Qt::white), QColor(Qt::black));
    EXPECT_EQ(groundFor(Qt::black), QColor(Qt::white));
    EXPECT_EQ(groundFor(Qt::yellow), QColor(Qt::black));
    EXPECT_EQ(groundFor(Qt::darkBlue), QColor(Qt::white));
}

} // namespace
} // namespace qv
