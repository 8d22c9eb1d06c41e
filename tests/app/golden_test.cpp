// Whole pages of the demo score, on the screen and on paper, compared pixel for
// pixel with the approved images in tests/data/golden. After a deliberate change to
// drawing, `./qv goldens` renders them afresh; look at them before committing.

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

struct GoldenPage {
    const char* name; // file name in tests/data/golden
    const char* args; // what quaverly-cli render is given besides the score and output
};

constexpr GoldenPage Pages[] = {
    {"demo-page1-screen.png", "--page 1"},
    {"demo-page2-screen.png", "--page 2"},
    {"demo-page1-print.png", "--page 1 --print"},
    {"demo-page2-print.png", "--page 2 --print"},
};

int differingPixels(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) differing += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
    return differing;
}

TEST(GoldenPages, TheDemoScoreDrawsAsApproved) {
    const fs::path out = fs::temp_directory_path() / ("quaverly-golden-" + std::to_string(::getpid()));
    fs::create_directories(out);
    for (const GoldenPage& page : Pages) {
        const std::string actual = (out / page.name).string();
        const std::string command = std::string(QUAVERLY_CLI) + " render " + QUAVERLY_DEMO + " " + page.args +
                                    " -o " + actual + " 2>/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        const QImage got(QString::fromStdString(actual));
        const QImage want(QString::fromStdString(std::string(QUAVERLY_GOLDEN) + "/" + page.name));
        ASSERT_FALSE(want.isNull()) << page.name << " has no approved image; run ./qv goldens";
        ASSERT_EQ(got.size(), want.size()) << page.name;
        EXPECT_EQ(differingPixels(got.convertToFormat(QImage::Format_RGB32), want.convertToFormat(QImage::Format_RGB32)), 0)
            << page.name << " differs from the approved image; the new one is " << actual;
    }
    if (!HasFailure()) fs::remove_all(out); // kept for looking at when a page differs
}

} // namespace
} // namespace qv
