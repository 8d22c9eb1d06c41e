// QUAVLY.INI: what a hand-edited file means, the plain form written, sessions that leave what the user
// wrote as it was, and the files and folders around it.

#include "shell/configfile.h"
#include "support/scratchfolder.h"

#include <QString>

#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

struct ConfigFile : ::testing::Test {
    void put(const std::string& text) const { test::writeBytes(ini, test::bytesOf(text)); }
    std::string text() const {
        const std::vector<std::uint8_t> bytes = test::fileBytes(ini);
        return {bytes.begin(), bytes.end()};
    }
    const test::ScratchFolder folder;
    const fs::path dir = folder.path();
    const std::string ini = folder.at("QUAVLY.INI");
};

// The UTF-8 text in UTF-16 of either byte order, its mark (if any) included.
std::string utf16(std::string_view utf8, bool bigEndian) {
    const bool marked = utf8.starts_with("\xEF\xBB\xBF"); // which QString::fromUtf8 would drop
    std::string out;
    for (const char16_t u :
         (marked ? u"\uFEFF" : u"") + QString::fromUtf8(utf8.substr(marked ? 3 : 0)).toStdU16String())
        out += bigEndian ? std::string{char(u >> 8), char(u)} : std::string{char(u), char(u >> 8)};
    return out;
}
std::string crlf(const std::string& text) {
    return QString::fromStdString(text).replace("\n", "\r\n").toStdString();
}

// `text` with the first occurrence of each `from` replaced by its `to`.
std::string with(std::string text, std::initializer_list<std::pair<std::string, std::string>> edits) {
    for (const auto& [from, to] : edits) {
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
    }
    return text;
}

// A G clef, beyond 16 bits: a surrogate pair in UTF-16.
const std::string Zoe = "/home/zo\xC3\xAB/\xF0\x9D\x84\x9E";

TEST_F(ConfigFile, HandEditedFilesReadAsMeant) {
    const std::pair<std::string, void (*)(Settings&)> cases[] = {
        {"[Page]\nStave=900\nWidth=20000\nLength=30000\n[Options]\nUndo=5000\nCursorthickness=7\n"
         "Cursortype=9\nLanguage=4\n[Defaults]\nSpacing=9\n[Defaultfont]\nSize=200\n[FavouriteFonts]\n"
         "Size3=300\n[User]\nLevel=9\n",
         [](Settings& s) {
             s.defaultStaveSize = 0.6, s.defaultPage.Width = 12, s.defaultPage.Length = 24, s.Level = 3;
             s.options.Undo = 1000, s.options.Cursorthickness = 3, s.options.Cursortype = 2;
             s.options.Language = 1, s.defaultSpacing = 5, s.defaultFont.size = s.favourites[2].size = 100;
         }},
        {"[page]\nSTAVE=100\nWidth=100\nLength=2000\nHeader=-40\n[Options]\nUndo=-3\nCursorthickness=0\n"
         "[Defaults]\nSpacing=0\n[Defaultfont]\nSize=1\n[FavouriteFonts]\nSize3=2\n",
         [](Settings& s) {
             s.defaultStaveSize = 0.2, s.defaultPage.Width = 4, s.defaultPage.Length = 3;
             s.defaultPage.Header = -0.04, s.options.Undo = 0, s.options.Cursorthickness = 1;
             s.defaultSpacing = 1, s.defaultFont.size = s.favourites[2].size = 4;
         }},
        {"[Page]\nLeft=1250\nWidth=+08500\nFacing=-1\nOrientation=maybe\n[Defaults]\nLCL=120\n[Options]\n"
         "HintsOff=1\nScrollspeed=12x\nSpeedpanel=maybe\nCClef=0\n[User]\nTutorial= 2 \nTutorbookmark=17\n",
         [](Settings& s) {
             s.defaultPage.LeftM = 1.25, s.defaultPage.Width = 8.5, s.defaultFacing = true, s.LCL = 120;
             s.options.HintsOff = s.Tutorial = true, s.options.CClef = false, s.Tutorbookmark = 17;
         }},
        {"[OPTIONS]\nunits=0\nSound=FALSE\nTips=off\nSlowscroll=No\nScrollbars=yes\nFastCPU=On\n"
         "Previewdetails=TRUE\n5STYLES=0\n2dot=0\n",
         [](Settings& s) {
             OptionSettings& o = s.options;
             o.Units = o.Sound = o.Tips = o.Slowscroll = o.FiveStyles = o.TwoDot = false;
             o.Scrollbars = o.FastCPU = o.Previewdetails = true;
         }},
        {"[Colours]\nInk= 255 \nNonprinting=0x00FF00\nLine=0X0000ff\nEdit=0xGREEN\nErase=0x\nMarked=abc\n"
         "Cursor=-1\nBlock=4294967295\nBackground=5\n",
         [](Settings& s) {
             s.colours.Ink = s.colours.Line = 255, s.colours.Nonprinting = 0xFF00, s.colours.Block = ~0u;
         }},
        {"[defaultfont]\nName=\nStyle=UB\n[FavouriteFonts]\nName1=Arial\nSize1=2\nStyle1=bu\nName2=Gone\n"
         "Size2=0\nName3=Big\nSize3=30\nStyle3=SxI\n",
         [](Settings& s) {
             s.defaultFont.style = "BU", s.favourites[0] = {"Arial", 4, ""},
             s.favourites[2] = {"Big", 30, "IS"};
         }},
        {"[Templates]\nFilename03=ZED.QVT\nDescription03=Zed\nFilename00=ALPHA.QVT\nDescription00=Alpha\n"
         "Filename01=NODESC.QVT\nDescription02=No file\nFilename99=MID.QVT\nDescription99=Middle   \n"
         "Filename100=OUT.QVT\nDescription100=Out\n[Files]\n2=/b.qvr\n1=/a.qvr\n4=/d.qvr\n10=/ten.qvr\n",
         [](Settings& s) {
             s.templates = {templateEntry("Alpha", "ALPHA.QVT"), templateEntry("Middle", "MID.QVT"),
                            templateEntry("Zed", "ZED.QVT")};
             s.recentFiles = {"/a.qvr", "/b.qvr", "/d.qvr"};
         }},
        // However the file itself is written; the first of repeated keys and sections wins.
        {"\xEF\xBB\xBF; by hand\r\n\r\n  [ startup ]  \r\n  DIRECTORY =  " + Zoe + "  \r\nNo equals\r\n",
         nullptr},
        {"[Startup]\n; Directory=/\nDirectory=" + Zoe + "\ndirectory=/\n[Startup]\nDirectory=/\n", nullptr},
        {utf16("\xEF\xBB\xBF[Startup]\r\nDirectory=" + Zoe, true), nullptr},
    };
    for (const auto& [file, change] : cases) {
        put(file);
        Settings expected;
        change ? change(expected) : void(expected.Directory = Zoe);
        EXPECT_EQ(readConfiguration(ini), expected) << file;
    }
    for (const fs::path& none : {dir / "none.ini", dir})
        EXPECT_EQ(readConfiguration(none.string()), Settings()) << none;
}

TEST_F(ConfigFile, WrittenInThePlainFormAndReadBackEqual) {
    ASSERT_TRUE(writeConfiguration(ini, Settings())); // every default, in the order other tools expect
    EXPECT_EQ(
        text(),
        "[Startup]\nDirectory=\n\n[Colours]\nInk=0\nNonprinting=16711935\nPutative=12632256\nLine=32768\n"
        "Erase=65535\nAnchor=8421504\nEdit=255\nCursor=16711680\nBlock=8453888\nMarked=16711680\n"
        "Background=8421376\nUniversalText=16711935\nStrings=16711935\nDefaultform=12639424\n\n"
        "[Page]\nStave=333\nWidth=8270\nLength=11690\nTop=500\nLeft=500\nRight=500\nBottom=500\n"
        "Gutter=0\nHeader=0\nFooter=0\nFacing=0\nOrientation=0\n\n[Defaults]\nSpacing=3\n\n"
        "[Defaultfont]\nName=Times New Roman\nSize=12\nStyle=\n\n[FavouriteFonts]\n\n[Options]\n"
        "Undo=100\nUnits=1\nSound=1\nScrollbars=0\nTips=1\nInfilter=2\nSlowscroll=1\nScrollspeed=5\n"
        "Cursorthickness=1\nCursortype=0\nLinewidth=1\nCurvedepth=2\nSpeedpanel=1\nCClef=1\n5styles=1\n"
        "2Dot=1\nNaturalsInKeyChange=1\nPreviewdetails=0\nFastCPU=0\nTemplates=1\nEditCursor=6\n"
        "Language=0\n\n[User]\nLevel=1\nTutorial=0\nTutorbookmark=0\n\n");
    Settings s;
    s.Directory = "/home/user/my scores, old;1";
    s.colours = {0x010203, 0x112233, 0x223344, 0x334455, 0x445566, 0x556677, 0x667788,
                 0x778899, 0x8899AA, 0x99AABB, 0xAABBCC, 0xBBCCDD, 0xCCDDEE, 0xFFFFFFFF};
    s.defaultPage = {11.0, 8.5, 0.25, 0.75, 1.0, 1.125, 0.3, 0.4, 0.6, true};
    s.defaultStaveSize = 0.45, s.defaultFacing = true, s.defaultSpacing = 5;
    s.defaultFont = {"Liberation Sans", 14, "BI"};
    s.favourites[0] = {"Courier New", 8, "B"}, s.favourites[2] = {"Arial", 20, ""};
    s.favourites[5] = {"Times New Roman", 100, "BIUS"};
    OptionSettings& o = s.options;
    o.Units = o.Sound = o.Tips = o.Slowscroll = o.Speedpanel = false;
    o.CClef = o.FiveStyles = o.TwoDot = o.NaturalsInKeyChange = o.Templates = false;
    o.Scrollbars = o.Previewdetails = o.FastCPU = true;
    o.Undo = 0, o.Infilter = 3, o.Scrollspeed = 9, o.Cursorthickness = 3, o.Cursortype = 2, o.Linewidth = 4;
    o.Curvedepth = 5, o.EditCursor = 2, o.Language = 1;
    s.Level = 3, s.Tutorial = true, s.Tutorbookmark = 17;
    s.recentFiles = {"/home/user/b.qvr", "/home/user/a b.QVR", "/tmp/c.qvr"};
    s.templates = {templateEntry(std::string(90, 'A'), "LONG.QVT"), templateEntry("Hymn", "HYMN.QVT")};
    for (int i = 0; i < 120; ++i)
        s.templates.push_back(templateEntry("T" + std::to_string(1000 + i), "F.QVT"));
    ASSERT_TRUE(writeConfiguration(ini, s));
    ASSERT_TRUE(writeRecentFiles(ini, s.recentFiles));
    Settings expected = s;
    expected.colours.Background = Settings().colours.Background; // only written
    expected.templates.resize(MaxTemplates);
    EXPECT_EQ(readConfiguration(ini), expected);
    for (const char* absent : {"Size2=", "Description100="}) // an empty favourite slot is left out
        EXPECT_EQ(text().find(absent), std::string::npos) << absent;
    // A shorter list leaves none of the old entries; a line break cannot forge a line.
    s.templates.resize(2);
    s.Directory = "/a\n[Colours]\nInk=1";
    ASSERT_TRUE(writeConfiguration(ini, s));
    ASSERT_TRUE(writeRecentFiles(ini, {"/x.qvr", "/bad\nname.qvr", "/y.qvr"}));
    expected.templates.resize(2);
    expected.Directory = "/a [Colours] Ink=1";
    expected.recentFiles = {"/x.qvr", "/y.qvr"};
    EXPECT_EQ(readConfiguration(ini), expected);
}

// A session: the program reads the file, the user changes some settings, and the
// program writes the file on the way out. What the user wrote survives byte for
// byte unless its meaning changed; a changed value is written in the program's form
// over the line the reader took; a missing key is added at the end of its section.
TEST_F(ConfigFile, WritingKeepsWhatTheUserWroteUnlessItChanged) {
    const auto session = [this](const std::string& before, void (*change)(Settings&)) {
        put(before);
        Settings s = readConfiguration(ini);
        change(s);
        EXPECT_TRUE(writeViewSettings(ini, s));
        EXPECT_TRUE(writeRecentFiles(ini, s.recentFiles));
        EXPECT_TRUE(writeConfiguration(ini, s));
        return text();
    };
    const std::string full = session("", [](Settings&) {}); // every key, as the program writes it
    // Values not understood, and other spellings of what would be written.
    const std::string odd = with(full, {{"Sound=1\n", "Sound=maybe\nSound=0\n"},
                                        {"Units=1\n", "units = ON\n"},
                                        {"Ink=0\n", "Ink=green\n"},
                                        {"Edit=255\n", "Edit=0x0000FF\n"},
                                        {"Width=8270\n", "Width=+08270\n"},
                                        {"Stave=333\n", "Stave=100\n"},
                                        {"Style=\n", "Style=UB\n"},
                                        {"Level=1\n", "Level=expert\n"}});
    const std::string noTips = with(full, {{"Tips=1\n", ""}});
    const std::string foreign =
        "; my notes\n[Other]\nKeep=me\n\n" +
        with(full, {{"Ink=0\n", "ink=5\nMyColour=42\nInk=7\n"},
                    {"Sound=1\n", "Sound=1\nHintsOff=1\nMyKey=7\n"},
                    {"Spacing=3\n", "Spacing=3\nLCL=120\n"},
                    {"[FavouriteFonts]\n", "[FavouriteFonts]\nName2=Gone\nSize2=0\n"
                                           "Name1=Arial\nSize1=12\nStyle1=B\nSize1=14\n"}}) +
        "[Files]\n; newest first\n1=/a.qvr\n\n[Templates]\nDescription00=Hymn   \n"
        "Filename00=HYMN.QVT\n[Page]\nPageview=1\n";
    const std::string bom = "\xEF\xBB\xBF";
    const std::string clef = with(full, {{"Directory=\n", "Directory=" + Zoe + "\n"}});
    // A lone surrogate (U+D800) and a dangling last byte: damage to keep, not to mend.
    const std::string damaged =
        with(utf16(bom + clef, false), {{std::string("\xEB\0", 2), std::string("\0\xD8", 2)}}) + "!";
    const auto quiet = [](Settings& s) { s.options.Sound = false; };
    const auto loud = [](const std::string& t) { return with(t, {{"Sound=1", "Sound=0"}}); };
    const std::tuple<const char*, std::string, void (*)(Settings&), std::string> cases[] = {
        {"values not understood or spelt otherwise, unchanged", odd, [](Settings&) {}, odd},
        {"values not understood or spelt otherwise, changed", odd,
         [](Settings& s) { s.options.Sound = s.options.Units = false, s.colours.Ink = 255; },
         with(odd, {{"Sound=maybe\nSound=0\n", "Sound=0\n"},
                    {"units = ON\n", "Units=0\n"},
                    {"Ink=green\n", "Ink=255\n"}})},
        {"a missing key", noTips, [](Settings&) {}, with(noTips, {{"Language=0\n", "Language=0\nTips=1\n"}})},
        {"foreign lines, read-only keys and favourite slots, unchanged", foreign, [](Settings&) {}, foreign},
        {"foreign lines, a duplicated key changed", foreign, [](Settings& s) { s.colours.Ink = 66051; },
         with(foreign, {{"ink=5\n", "Ink=66051\n"}, {"Ink=7\n", ""}})},
        {"foreign lines, a list changed", foreign,
         [](Settings& s) { s.recentFiles.insert(s.recentFiles.begin(), "/b"); },
         with(foreign, {{"; newest first\n1=/a.qvr\n", "1=/b\n2=/a.qvr\n"}})},
        {"a favourite slot emptied, duplicates too", foreign, [](Settings& s) { s.favourites[0] = {}; },
         with(foreign, {{"Name1=Arial\nSize1=12\nStyle1=B\nSize1=14\n", ""}})},
        {"no final line break", full + "[Mine]\nKeep=1", quiet, loud(full) + "[Mine]\nKeep=1"},
        {"CRLF", crlf(noTips), quiet, crlf(with(loud(noTips), {{"Language=0\n", "Language=0\nTips=1\n"}}))},
        {"UTF-8 with a mark", bom + clef, quiet, bom + loud(clef)},
        {"UTF-16LE", utf16(bom + crlf(clef), false), quiet, utf16(bom + crlf(loud(clef)), false)},
        {"UTF-16BE", utf16(bom + clef, true), quiet, utf16(bom + loud(clef), true)},
        {"UTF-16 damaged", damaged, quiet,
         with(damaged, {{utf16("Sound=1", false), utf16("Sound=0", false)}})},
    };
    for (const auto& [name, before, change, after] : cases)
        EXPECT_EQ(session(before, change), after) << name;
}

TEST_F(ConfigFile, FilesAndFoldersAroundTheSettings) {
    Settings s;
    s.Level = 3;
    // A link stays a link and the file it points to gets the settings.
    const fs::path target = dir / "dotfiles" / "QUAVLY.INI";
    fs::create_directory(dir / "dotfiles");
    test::writeBytes(target.string(), test::bytesOf("[Mine]\nKeep=1\n"));
    fs::create_symlink(target, ini);
    ASSERT_TRUE(writeConfiguration(ini, s));
    EXPECT_TRUE(fs::is_symlink(ini) && readConfiguration(target.string()).Level == 3);
    EXPECT_TRUE(text().starts_with("[Mine]\nKeep=1\n"));
    fs::remove(ini);
    fs::create_directory(dir / "folder.ini"); // a folder where the file should be: refused
    EXPECT_FALSE(writeConfiguration((dir / "folder.ini").string(), s));
    EXPECT_TRUE(fs::is_directory(dir / "folder.ini"));
    // A file far larger than settings ever are is neither read nor written over.
    for (const std::size_t size : {std::size_t(1) << 20, (std::size_t(1) << 20) + 1}) {
        const std::string big = "[User]\nLevel=3\n" + std::string(size - 15, ';');
        put(big);
        const bool fits = size == std::size_t(1) << 20;
        EXPECT_EQ(readConfiguration(ini).Level, fits ? 3 : 1) << size;
        EXPECT_EQ(writeRecentFiles(ini, {"/a.qvr"}), fits) << size;
        EXPECT_EQ(text() == big, !fits) << size;
    }
    // A pipe as the settings file is neither waited on at start-up nor replaced.
    fs::remove(ini);
    ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0);
    EXPECT_EQ(readConfiguration(ini), Settings());
    EXPECT_TRUE(!writeConfiguration(ini, s) && fs::is_fifo(ini));
}

} // namespace
} // namespace qv
