// Whole pages compared pixel for pixel with the approved images in tests/data/golden:
// the demo score's pages as quaverly-cli renders them, and the pages built in code
// (the dense benchmark page and a page of edge cases) as render-goldens draws them,
// each on the screen and on paper. After a deliberate change to drawing,
// `./qv goldens` renders them all afresh; look at them before committing.

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

// What render-goldens writes: the dense page is the benchmark's (twelve staves of the
// random score of seed 11), so a change to the random score generator shows here too.
constexpr const char* BuiltPages[] = {
    "dense-page1-screen.png",
    "dense-page1-print.png",
    "edges-page1-screen.png",
    "edges-page1-print.png",
    "engraving-page1-screen.png",
    "engraving-page1-print.png",
};

int differingPixels(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
    return differing;
}

// A scratch folder for the drawn pages, kept when a test fails so that they can be looked at.
fs::path scratchFolder(const std::string& label) {
    const fs::path out =
        fs::temp_directory_path() / ("quaverly-golden-" + label + "-" + std::to_string(::getpid()));
    fs::create_directories(out);
    return out;
}

void expectAsApproved(const fs::path& actual, const std::string& name) {
    const QImage got(QString::fromStdString(actual.string()));
    const QImage want(QString::fromStdString(std::string(QUAVERLY_GOLDEN) + "/" + name));
    ASSERT_FALSE(got.isNull()) << actual << " was not drawn";
    ASSERT_FALSE(want.isNull()) << name << " has no approved image; run ./qv goldens";
    ASSERT_EQ(got.size(), want.size()) << name;
    EXPECT_EQ(differingPixels(got.convertToFormat(QImage::Format_RGB32),
                              want.convertToFormat(QImage::Format_RGB32)),
              0)
        << name << " differs from the approved image; the new one is " << actual;
}

TEST(GoldenPages, TheDemoScoreDrawsAsApproved) {
    const fs::path out = scratchFolder("demo");
    for (const GoldenPage& page : Pages) {
        const std::string actual = (out / page.name).string();
        const std::string command = std::string(QUAVERLY_CLI) + " render " + QUAVERLY_DEMO + " " + page.args +
                                    " -o " + actual + " 2>/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        expectAsApproved(actual, page.name);
    }
    if (!HasFailure()) fs::remove_all(out);
}

TEST(GoldenPages, ThePagesBuiltInCodeDrawAsApproved) {
    const fs::path out = scratchFolder("built");
    const std::string command =
        std::string(QUAVERLY_RENDER_GOLDENS) + " --out " + out.string() + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const char* name : BuiltPages)
        expectAsApproved(out / name, name);
    if (!HasFailure()) fs::remove_all(out);
}

} // namespace
} // namespace qv
