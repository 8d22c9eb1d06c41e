// The command line as a user runs it: real files in a scratch folder, real exit codes.

#include "files/scorefile.h"
#include "files/scorefilewrite.h"
#include "support/noteworthywriter.h"
#include "support/scorebuilder.h"
#include "support/scratchfolder.h"
#include "support/scriptedui.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>

namespace qv {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class Cli : public ::testing::Test {
  protected:
    // Runs quaverly-cli with the arguments; returns its exit code and keeps stderr.
    int run(const std::string& args) {
        const std::string command = std::string(QUAVERLY_CLI) + " " + args + " 2>" + at("stderr");
        const int status = std::system((command + " >/dev/null").c_str());
        const Bytes err = test::fileBytes(at("stderr"));
        errors.assign(err.begin(), err.end());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // The exit code is not 0 and stderr holds one line saying `what`.
    void failsSaying(const std::string& args, const std::string& what) {
        EXPECT_NE(run(args), 0) << args;
        EXPECT_NE(errors.find(what), std::string::npos) << args << ": " << errors;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << args << ": " << errors;
    }
    // The file of two staves, or of a part of three, with a note on the last stave saved.
    std::string score(const std::string& name, WriteRange range = {0, 2}) {
        Score s = test::makeScore(std::max(range.last, 2));
        test::append(s.stave(range.last), test::makeNote(30, 2));
        test::ScriptedUi ui;
        EXPECT_TRUE(writeScoreFile(s, at(name), range, {}, ui));
        return at(name);
    }
    std::string at(const std::string& name) const { return dir.at(name); }
    test::ScratchFolder dir;
    std::string errors;
};

TEST_F(Cli, DumpListsTheScoreBesideItOrWhereNamed) {
    const std::string song = score("song.QVR");
    ASSERT_EQ(run("dump " + song), 0) << errors;
    const Bytes listing = test::fileBytes(at("song.DMP"));
    const std::string text(listing.begin(), listing.end());
    EXPECT_EQ(text.rfind("Dump of file: " + song + "\n", 0), 0u);
    EXPECT_NE(text.find("Stv   2:"), std::string::npos);
    EXPECT_NE(text.find("Object data:"), std::string::npos);
    ASSERT_EQ(run("dump " + song + " " + at("listing.txt")), 0) << errors;
    EXPECT_EQ(test::fileBytes(at("listing.txt")), listing);
    failsSaying("dump " + at("missing.QVR"), "cannot read");
    failsSaying("frobnicate", "unknown command");
    EXPECT_NE(run(""), 0) << "no command is a usage error";
}

// The command line writes only its output, and only where it may: a listing is
// never written over the file it lists, a read-only file is refused, a pipe is
// written where it is (and a pipe or device as input refused at once), and a
// replaced file keeps its mode.
TEST_F(Cli, OutputsNeverHarmWhatIsNotTheirs) {
    const std::string listed = score("My Song.DMP");
    const Bytes before = test::fileBytes(listed);
    failsSaying("dump '" + listed + "'", "it is the file being listed");
    EXPECT_EQ(test::fileBytes(listed), before);
    const std::string song = score("song.QVR"), readOnly = score("kept.QVR"), priv = score("private.QVR");
    fs::permissions(readOnly, fs::perms::owner_read);
    failsSaying("convert " + song + " " + readOnly, "Permission denied");
    EXPECT_EQ((fs::status(readOnly).permissions() & fs::perms::all), fs::perms::owner_read);
    fs::permissions(priv, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(run("convert " + song + " " + priv), 0) << errors;
    EXPECT_EQ(fs::status(priv).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write)
        << "a replaced file keeps its mode";
    ASSERT_EQ(::mkfifo(at("pipe").c_str(), 0600), 0);
    EXPECT_NE(run("convert " + song + " " + at("pipe")), 0) << "nobody reads the pipe";
    EXPECT_TRUE(fs::is_fifo(at("pipe")));
    failsSaying("dump " + at("pipe") + " " + at("out.DMP"), "not a regular file");
    EXPECT_NE(run("dump /dev/zero " + at("out.DMP")), 0);
    EXPECT_FALSE(fs::exists(at("out.DMP")));
}

// The object records of a whole file: everything after header, page, fonts and staves.
Bytes objectRecords(const Bytes& file) {
    const std::size_t first = (2 + 2 * (file[20] | file[21] << 8) + file[0] + 1) * RecordSize;
    return {file.begin() + static_cast<std::ptrdiff_t>(std::min(first, file.size())), file.end()};
}

TEST_F(Cli, ConvertLoadsAndSavesTheWholeScore) {
    const std::string in = score("in.QVR");
    ASSERT_EQ(run("convert " + in + " " + at("out.QVR")), 0) << errors;
    ASSERT_EQ(run("convert " + at("out.QVR") + " " + at("again.QVR")), 0) << errors;
    const Bytes converted = test::fileBytes(at("out.QVR"));
    ASSERT_FALSE(converted.empty());
    EXPECT_EQ(test::fileBytes(at("again.QVR")), converted) << "a loaded and saved score saves the same again";
    EXPECT_EQ(converted[0], 2);
    EXPECT_EQ(converted[3], 0) << "a whole score: no partial or template flag";
    EXPECT_EQ(objectRecords(converted), objectRecords(test::fileBytes(in)));
    EXPECT_EQ(objectRecords(converted).size(), 1u * RecordSize);
    // A part of staves 2 and 3 becomes a whole score of two, the note on its second stave.
    ASSERT_EQ(run("convert " + score("part.QVR", {2, 3}) + " " + at("whole.QVR")), 0) << errors;
    const Bytes whole = test::fileBytes(at("whole.QVR"));
    ASSERT_FALSE(whole.empty());
    EXPECT_EQ(whole[0], 2);
    EXPECT_EQ(whole[3] & FlagPartial, 0);
    ASSERT_EQ(objectRecords(whole).size(), 1u * RecordSize);
    EXPECT_EQ(objectRecords(whole)[0], 2);
    test::writeBytes(at("bad.QVR"), test::bytesOf("this is not a score file at all"));
    failsSaying("convert " + at("bad.QVR") + " " + at("x.QVR"), "cannot convert " + at("bad.QVR") +
                                                                     ": File has impossible size");
    EXPECT_FALSE(fs::exists(at("x.QVR")));
    failsSaying("convert " + at("missing.QVR") + " " + at("x.QVR"), "File cannot be found");
    failsSaying("convert " + in + " " + at("no/such/folder.QVR"), "cannot write");
    EXPECT_NE(run("convert " + in), 0) << "OUT is needed";
}

// A NoteWorthy 2 file goes through the translation: the two page messages, a line
// each and in order, and a score of our own format with its chord name transposable.
TEST_F(Cli, ConvertTranslatesANoteWorthyFileAndSaysSoALineAMessage) {
    test::NoteWorthyFile file;
    file.staves = {test::NoteWorthyStave{}};
    file.staves[0].objects = {test::noteWorthyText(100, 60, 2, {132, '7'})};
    test::writeBytes(at("song.NWC"), file.bytes());
    ASSERT_EQ(run("convert " + at("song.NWC") + " " + at("song.QVR")), 0) << errors;
    EXPECT_EQ(errors, "quaverly-cli: warning: I am unable to contact your printer. I have assumed page size of "
                      "8.25\" x 11\" with 0.5\" margins\n"
                      "quaverly-cli: warning: Translating from NoteWorthy 2. However, while trying to access your "
                      "current printer page capacities an error occurred, so the page size has been set to your "
                      "default values.\n");
    const Bytes saved = test::fileBytes(at("song.QVR"));
    ASSERT_GE(saved.size(), 22u * 3);
    EXPECT_EQ(saved[1], 'q') << "our own format";
    EXPECT_EQ(saved[8] | saved[9] << 8, CurrentFileVersion);
    const Bytes objects = objectRecords(saved);
    ASSERT_EQ(objects.size(), 1u * RecordSize);
    EXPECT_EQ(objects[2 + 5], std::uint8_t(ObjectKind::LongText));
    EXPECT_EQ(objects[2 + 8], TextTransposable);
}

// Rows of a PNG that hold anything but white.
int inkedRows(const QImage& image) {
    int rows = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                ++rows;
                break;
            }
    return rows;
}

TEST_F(Cli, RenderDrawsTheScreenPageAndThePrintImage) {
    const std::string song = score("render.QVR");
    ASSERT_EQ(run("render " + song + " -o " + at("screen.png")), 0) << errors;
    const QImage page(QString::fromStdString(at("screen.png")));
    // The file keeps the stave size in thousandths of an inch: 0.333.
    const QSize area(musicAreaWidth(PageData{}, 0.333), musicAreaHeight(PageData{}, 0.333));
    EXPECT_EQ(page.size(), area) << "the music area, one pixel per page unit";
    EXPECT_GE(inkedRows(page), 10) << "two staves of five lines and a note";
    ASSERT_EQ(run("render " + song + " --page 1 --print -o " + at("print.png")), 0) << errors;
    const QImage paper(QString::fromStdString(at("print.png")));
    EXPECT_EQ(paper.size(), 3 * area) << "no header or footer: the music area at three times";
    EXPECT_GE(inkedRows(paper), 30) << "ten bars three pixels high";
    ASSERT_EQ(run("render " + song + " --page 0 -o " + at("screen.png")), 0) << errors;
    EXPECT_EQ(QImage(QString::fromStdString(at("screen.png"))).height(), paper.height() / 3)
        << "the header/footer page reaches from the top margin to the bottom margin";
    failsSaying("render " + song + " --page 2 -o " + at("screen.png"), "has 1 pages");
    EXPECT_NE(run("render " + song), 0);
    EXPECT_NE(errors.find("render needs"), std::string::npos) << errors;
    failsSaying("render " + at("missing.QVR") + " -o " + at("screen.png"), "cannot render");
}

TEST_F(Cli, ExportWritesEveryPageOrTheRangeAndNothingOnFailure) {
    const std::string demo = QUAVERLY_DEMO;
    ASSERT_EQ(run("export " + demo + " --pdf " + at("demo.pdf")), 0) << errors;
    FILE* info = popen(("pdfinfo " + at("demo.pdf") + " | grep '^Pages:'").c_str(), "r");
    char line[128] = {};
    ASSERT_TRUE(info && std::fgets(line, sizeof line, info));
    pclose(info);
    EXPECT_EQ(std::string(line), "Pages:           2\n");

    ASSERT_EQ(run("export " + demo + " --png " + at("page") + " --pages 2-1"), 0) << errors;
    const QImage first(QString::fromStdString(at("page-1.png")));
    const QImage second(QString::fromStdString(at("page-2.png")));
    EXPECT_EQ(first.size(), QSize(1740, 2400)) << "7.25 by 10 inches at 240 pixels an inch";
    EXPECT_GE(inkedRows(second), 300);
    EXPECT_NE(first, second);

    // Pictures of several pages are numbered; one page keeps the name, with the
    // format's extension. ImageMagick reads the bitmap as the print image.
    ASSERT_EQ(run("export " + demo + " --pcx " + at("song") + " --pages 1-2"), 0) << errors;
    EXPECT_FALSE(test::fileBytes(at("song-1.PCX")).empty());
    EXPECT_FALSE(test::fileBytes(at("song-2.PCX")).empty());
    ASSERT_EQ(run("export " + demo + " --bmp " + at("two.bmp") + " --pages 2"), 0) << errors;
    const std::string png = at("two.png");
    ASSERT_EQ(std::system(("convert " + at("two.BMP") + " " + png).c_str()), 0);
    const QImage read = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
    const QImage page = second.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(read.size(), page.size());
    long differ = 0; // pixels, as QImage's == also weighs colour-space tags
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            differ += read.pixel(x, y) != page.pixel(x, y);
    EXPECT_EQ(differ, 0);

    const auto before = dir.names();
    failsSaying("export " + demo + " --pdf " + at("x.pdf") + " --pages 1-3", "bad page range '1-3'");
    failsSaying("export " + demo + " --png " + at("x") + " --pages 0", "bad page range");
    failsSaying("export " + demo + " --pdf " + at("none/x.pdf"), "cannot write");
    failsSaying("export " + demo + " --bmp", "export needs");
    EXPECT_EQ(dir.names(), before) << "nothing half-written";
}

TEST_F(Cli, AStaveCountBeyondTheStavesStoredIsRefused) {
    Bytes demo = test::fileBytes(QUAVERLY_DEMO);
    ASSERT_FALSE(demo.empty());
    demo[0] = 255; // the demo stores 16 music staves
    test::writeBytes(at("count.QVR"), demo);
    failsSaying("convert " + at("count.QVR") + " " + at("out.QVR"), "File read error in " + at("count.QVR"));
    EXPECT_TRUE(test::fileBytes(at("out.QVR")).empty());
}

TEST_F(Cli, TransposeMovesTheStavesAndSaysPlainlyWhatItCannotDo) {
    const std::string demo = QUAVERLY_DEMO;
    // An octave up and down again is the score as it was, as converted.
    ASSERT_EQ(run("transpose " + demo + " " + at("up.QVR") + " --interval octave"), 0) << errors;
    ASSERT_EQ(run("transpose " + at("up.QVR") + " " + at("back.QVR") + " --interval octave --down"), 0) << errors;
    ASSERT_EQ(run("convert " + demo + " " + at("same.QVR")), 0) << errors;
    EXPECT_NE(test::fileBytes(at("up.QVR")), test::fileBytes(at("same.QVR")));
    EXPECT_EQ(test::fileBytes(at("back.QVR")), test::fileBytes(at("same.QVR")));
    ASSERT_EQ(run("transpose " + demo + " " + at("cello.QVR") + " --staves 2-1 --clef tenor"), 0) << errors;
    EXPECT_NE(test::fileBytes(at("cello.QVR")), test::fileBytes(at("same.QVR")));

    failsSaying("transpose " + demo + " " + at("x.QVR") + " --interval fifth", "unknown interval 'fifth'");
    failsSaying("transpose " + demo + " " + at("x.QVR") + " --interval tone --staves 3-99",
                "bad stave range '3-99'");
    failsSaying("transpose " + demo + " " + at("x.QVR") + " --clef soprano", "unknown clef 'soprano'");
    failsSaying("transpose " + demo + " " + at("x.QVR") + " --interval unison", "changes nothing");
    EXPECT_TRUE(test::fileBytes(at("x.QVR")).empty());
}

// The information's figures, a page at a time: the demo's (16 staves), and those of a
// score of two staves and a note, whose saved size is (1 + 2 + 2 + 3) x 22 bytes.
TEST_F(Cli, InfoPrintsTheFiguresOfEachPage) {
    const auto info = [this](const std::string& file) {
        const std::string out = at("info.txt");
        const std::string command = std::string(QUAVERLY_CLI) + " info '" + file + "' >" + out + " 2>" + at("stderr");
        EXPECT_EQ(std::system(command.c_str()), 0) << file;
        const Bytes text = test::fileBytes(out);
        return std::string(text.begin(), text.end());
    };
    const std::string demo = info(QUAVERLY_DEMO);
    EXPECT_EQ(demo.rfind(std::string("Document\n  Filename: ") + QUAVERLY_DEMO + "\n  Staves: 16\n", 0), 0u) << demo;
    for (const char* line : {"\n  MAXIMA\n  Staves ", "\nFonts\n  Font   1: ", "\nPage size\n  Width ",
                             "\nSettings\n  Spacing ", "\n  Resolution: 300 x 300\n", "\n  Drive free space: "})
        EXPECT_NE(demo.find(line), std::string::npos) << line << "\n" << demo;

    const std::string small = info(score("song.QVR"));
    for (const char* line : {"\n  Total objects: 1\n", "\n  File size when saved: 176\n",
                             "\n  Objects 1 on stave 2\n", "\n  Stave Size 0.333 Inches 8.46 mm\n",
                             "\nPrinter\n  Printer name None (the values used without a printer)\n",
                             "\n  Paper height 11.000\"\n", "\n  Units are inches\n"})
        EXPECT_NE(small.find(line), std::string::npos) << line << "\n" << small;
    failsSaying("info " + at("missing.QVR"), "cannot read " + at("missing.QVR"));
    failsSaying("info", "info needs SCORE");
}

} // namespace
} // namespace qv
