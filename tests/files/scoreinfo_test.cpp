// The figures of the score information: fonts in use and their counts, the file
// size, the maxima, the number format and the pages of lengths and printer values.

#include "files/scoreinfo.h"
#include "model/tpagedata.h"
#include "support/scorebuilder.h"
#include "support/scratchfolder.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// The values of the first row captioned `label` (from the `nth` such row), with its note.
std::string shown(const InfoPage& page, const std::string& label, int nth = 0) {
    for (const InfoRow& row : page.rows) {
        if (row.label != label || nth-- > 0) continue;
        std::string text;
        for (const std::string& v : row.values)
            text += (text.empty() ? "" : " | ") + v;
        return row.note.empty() ? text : text + " / " + row.note;
    }
    ADD_FAILURE() << "no row " << label;
    return {};
}

// Two staves and ten objects in all: long texts in fonts 3 and 1 (font 3 twice), a
// short text, a continuation chunk and a text on the header/footer stave, which
// are not counted, and notes.
Score twoStavesTenObjects() {
    Score score = test::makeScore(2);
    score.fonts.setFont(3, FontDesc{"Liberation Sans", 14, FontBold | FontItalic, 0});
    test::append(score.stave(0), test::makeTextHead(10, -20, 7, "Title"));
    Stave& one = score.stave(1);
    test::append(one, test::makeTextHead(40, 10, 3, "dolce"));
    test::append(one, test::makeTextHead(90, 10, 3, "rit."));
    test::append(one, test::makeShortText(120, 10, 5, "pp"));
    test::append(one, test::makeNote(150, 0, 3, one.Ycoord));
    test::append(one, test::makeNote(180, 1, 3, one.Ycoord));
    Stave& two = score.stave(2);
    test::append(two, test::makeTextHead(40, 60, 1, "Allegro"));
    test::append(two, test::makeTextHead(60, 60, 9, "more", TextContinuation));
    test::append(two, test::makeNote(150, 0, 3, two.Ycoord));
    test::append(two, test::makeNote(180, 0, 3, two.Ycoord));
    return score;
}

TEST(ScoreInfo, FontsOfLongTextsOnTheMusicStavesAreCountedAndSizeTheFile) {
    const Score score = twoStavesTenObjects();
    const InfoPage document = documentPage(score, {});
    EXPECT_EQ(shown(document, "Total objects:"), "10");
    EXPECT_EQ(shown(document, "Fonts used:"), "2");
    EXPECT_EQ(shown(document, "File size when saved:"), "418"); // (10 + 4 + 2 + 3) x 22
    EXPECT_EQ(shown(document, "Objects on header & footer"), "1");
    const InfoPage fonts = fontsPage(score);
    ASSERT_EQ(fonts.rows.size(), 2u);
    EXPECT_EQ(fonts.rows[0].label, "Font   1: Times New Roman, size 12, Normal.     Word count =   1");
    EXPECT_EQ(fonts.rows[1].label, "Font   3: Liberation Sans, size 14, Bold, Italic.     Word count =   2");
    EXPECT_FALSE(score.fonts.inUse(3)) << "the table's own set is left alone";
    EXPECT_EQ(fontDefinitionText(3, FontDesc{"Arial", 9, FontUnderline, 0}), "Font 3: Arial, size 9, Underline");

    // A score without texts still lists font 1.
    const InfoPage none = fontsPage(test::makeScore(1));
    ASSERT_EQ(none.rows.size(), 1u);
    EXPECT_EQ(none.rows[0].label, "Font   1: Times New Roman, size 12, Normal.     Word count =   0");
}

// Seven staves: systems [1,2] [3] on page 1, [4] [5,6,7] on page 2, the last stave's
// join flag set (the end of the score ends its system all the same).
TEST(ScoreInfo, MaximaOfABuiltScore) {
    Score score = test::makeScore(7);
    for (int s : {1, 5, 6, 7})
        score.stave(s).joinToNext = true;
    for (int s = 4; s <= 7; ++s)
        score.stave(s).PageNum = 2;
    for (int i = 0; i < 2; ++i)
        test::append(score.stave(0), test::makeShortText(10 + i, 0, 1, "x"));
    for (int s : {6, 3}) // stave 3 is the first with five
        for (int i = 0; i < 5; ++i)
            test::append(score.stave(s), test::makeNote(20 * i + 20, 0));
    const Maxima m = scoreMaxima(score);
    EXPECT_EQ(m.stavesPerSystem, 3);
    EXPECT_EQ(m.stavesOnPage.count, 4);
    EXPECT_EQ(m.stavesOnPage.where, 2);
    EXPECT_EQ(m.systemsOnPage.count, 2);
    EXPECT_EQ(m.systemsOnPage.where, 1) << "a tie goes to the lower page";
    EXPECT_EQ(m.objectsOnStave.count, 5);
    EXPECT_EQ(m.objectsOnStave.where, 3);
    const InfoPage document = documentPage(score, {});
    EXPECT_EQ(shown(document, "Systems:"), "4");
    EXPECT_EQ(shown(document, "Pages:"), "2");
    EXPECT_EQ(shown(document, "Staves", 0), "3 / per system");
    EXPECT_EQ(shown(document, "Staves", 1), "4 / on page 2");
    EXPECT_EQ(shown(document, "Systems"), "2 / on page 1");
    EXPECT_EQ(shown(document, "Objects"), "5 / on stave 3");
}

TEST(ScoreInfo, WholeNumbersHaveACommaBetweenGroupsOfThree) {
    const std::pair<long long, const char*> cases[] = {
        {0, "0"}, {999, "999"}, {1000, "1,000"}, {100000, "100,000"}, {1234567, "1,234,567"}, {-1234, "-1,234"}};
    for (const auto& [n, text] : cases)
        EXPECT_EQ(groupThousands(n), text) << n;
}

TEST(ScoreInfo, TheDriveIsNamedByItsMountPointOrReportedNotReady) {
    const Score score = test::makeScore(1);
    InfoSources sources;
    sources.drive = DriveSpace{true, 12345678, "/home"};
    EXPECT_EQ(shown(documentPage(score, sources), "Drive free space:"), "12,345,678 / bytes on drive /home");
    sources.drive = DriveSpace{};
    EXPECT_EQ(shown(documentPage(score, sources), "Drive free space:"), NoDiskInDrive);
    test::ScratchFolder dir;
    const DriveSpace here = driveFreeSpace(dir.at("."));
    EXPECT_TRUE(here.ready);
    EXPECT_FALSE(here.mountPoint.empty());
}

TEST(ScoreInfo, LengthsInBothUnitsAndThePrinterInTheDisplayUnit) {
    Score score = test::makeScore(1);
    score.page.Width = 8.5;
    score.page.GutM = 0.5;
    score.StvSiz = 0.3;
    score.Spacing = 5;
    score.Pulse = 2;
    score.Beamang = 12;
    InfoSources sources;
    const InfoPage sizes = pageSizePage(score, sources);
    EXPECT_EQ(shown(sizes, "Width"), " 8.50 | 215.9");
    EXPECT_EQ(shown(sizes, "Gutter Margin"), " 0.50 |  12.7");
    EXPECT_EQ(shown(sizes, "Stave Size"), "0.300 |  7.62");
    EXPECT_EQ(shown(sizes, "Paper Length"), "11.00 | 279.4") << "the sheet without a printer";
    sources.language = 1;
    const InfoPage settings = settingsPage(score, sources);
    EXPECT_EQ(shown(settings, "Spacing"), "Very wide");
    EXPECT_EQ(shown(settings, "Pulse"), "Half note");
    EXPECT_EQ(shown(settings, "Minimum Beaming angle"), "12 degrees");

    EXPECT_EQ(shown(printerPage(sources), "Printer name"), NoPrinterDefined);
    EXPECT_EQ(shown(printerPage(sources), "Paper height"), "") << "the values stay empty";
    const Tpagedata standard;
    sources.printer = &standard;
    sources.printerName = "Laser";
    sources.unit = DisplayUnit::Millimetres;
    const InfoPage mm = printerPage(sources);
    EXPECT_EQ(shown(mm, "Printer name"), "Laser");
    EXPECT_EQ(shown(mm, "Paper height"), "279.40");
    EXPECT_EQ(shown(mm, "Unprintable right"), "15.24");
    EXPECT_EQ(shown(mm, "Resolution:"), "300 x 300");
    sources.unit = DisplayUnit::Inches;
    EXPECT_EQ(shown(printerPage(sources), "Top offset"), "0.600\"");
}

} // namespace
} // namespace qv
