// QUAVLY.INI: defaults, clamps, forgiving reading of hand-edited files, round trips,
// keeping what other keys the file holds, and the plain form other tools can read.

#include "shell/configfile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

class ConfigFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qvconfigXXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        ini = (dir / "QUAVLY.INI").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    void put(const std::string& text) const { std::ofstream(ini, std::ios::binary) << text; }
    std::string text() const {
        std::ifstream in(ini, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    int count(const std::string& needle) const {
        const std::string t = text();
        int n = 0;
        for (std::size_t at = t.find(needle); at != std::string::npos; at = t.find(needle, at + 1)) ++n;
        return n;
    }

    fs::path dir;
    std::string ini;
};

// Every setting away from its default, on values the file can hold exactly.
Settings unusualSettings() {
    Settings s;
    s.Directory = "/home/user/my scores, old;1";
    s.colours = {0x010203, 0x112233, 0x223344, 0x334455, 0x445566, 0x556677, 0x667788,
                 0x778899, 0x8899AA, 0x99AABB, 0xAABBCC, 0xBBCCDD, 0xCCDDEE, 0xFFFFFFFF};
    s.defaultPage = {11.0, 8.5, 0.25, 0.75, 1.0, 1.125, 0.3, 0.4, 0.6, true};
    s.defaultStaveSize = 0.45;
    s.defaultFacing = true;
    s.defaultSpacing = 5;
    s.defaultFont = {"Liberation Sans", 14, "BI"};
    s.favourites[0] = {"Courier New", 8, "B"};
    s.favourites[2] = {"Arial", 20, ""};
    s.favourites[5] = {"Times New Roman", 100, "BIUS"};
    OptionSettings& o = s.options;
    o.Undo = 0;
    o.Units = o.Sound = o.Tips = o.Slowscroll = o.Speedpanel = false;
    o.CClef = o.FiveStyles = o.TwoDot = o.NaturalsInKeyChange = o.Templates = false;
    o.Scrollbars = o.Previewdetails = o.FastCPU = true;
    o.Infilter = 3;
    o.Scrollspeed = 9;
    o.Cursorthickness = 3;
    o.Cursortype = 2;
    o.Linewidth = 4;
    o.Curvedepth = 5;
    o.EditCursor = 2;
    o.Language = 1;
    s.Level = 3;
    s.Tutorial = true;
    s.Tutorbookmark = 17;
    s.recentFiles = {"/home/user/b.qvr", "/home/user/a b.QVR", "/tmp/c.qvr"};
    s.templates = {templateEntry("Hymn in four parts", "HYMN.QVT"), templateEntry("Piano", "PIANO.QVT"),
                   templateEntry(std::string(90, 'x'), "LONG.QVT")};
    std::sort(s.templates.begin(), s.templates.end());
    return s;
}

TEST_F(ConfigFile, MissingEmptyOrUnreadableFileGivesEveryDefault) {
    const Settings s = readConfiguration(ini);
    EXPECT_EQ(s, Settings());
    EXPECT_DOUBLE_EQ(s.defaultPage.Width, 8.27);
    EXPECT_DOUBLE_EQ(s.defaultPage.Length, 11.69);
    for (double m : {s.defaultPage.TopM, s.defaultPage.BotM, s.defaultPage.LeftM, s.defaultPage.RightM})
        EXPECT_DOUBLE_EQ(m, 0.5);
    EXPECT_DOUBLE_EQ(s.defaultStaveSize, 0.333);
    EXPECT_EQ(s.defaultSpacing, 3);
    EXPECT_EQ(s.defaultFont, (NamedFont{"Times New Roman", 12, ""}));

    put("");
    EXPECT_EQ(readConfiguration(ini), Settings());
    EXPECT_EQ(readConfiguration(dir.string()), Settings()); // a folder cannot be read as a file
}

TEST_F(ConfigFile, PageLengthsAreThousandthsClampedWhereStated) {
    put("[Page]\nStave=900\nWidth=100\nLength=30000\nTop=750\nLeft=1250\nGutter=125\nHeader=-40\n"
        "Facing=7\nOrientation=1\n");
    Settings s = readConfiguration(ini);
    EXPECT_DOUBLE_EQ(s.defaultStaveSize, 0.6);
    EXPECT_DOUBLE_EQ(s.defaultPage.Width, 4.0);
    EXPECT_DOUBLE_EQ(s.defaultPage.Length, 24.0);
    EXPECT_DOUBLE_EQ(s.defaultPage.TopM, 0.75);
    EXPECT_DOUBLE_EQ(s.defaultPage.LeftM, 1.25);
    EXPECT_DOUBLE_EQ(s.defaultPage.GutM, 0.125);
    EXPECT_DOUBLE_EQ(s.defaultPage.Header, -0.04); // margins have no clamp
    EXPECT_DOUBLE_EQ(s.defaultPage.RightM, 0.5);
    EXPECT_TRUE(s.defaultFacing);
    EXPECT_TRUE(s.defaultPage.landscape);

    put("[Page]\nStave=100\nWidth=20000\nLength=2000\n");
    s = readConfiguration(ini);
    EXPECT_DOUBLE_EQ(s.defaultStaveSize, 0.2);
    EXPECT_DOUBLE_EQ(s.defaultPage.Width, 12.0);
    EXPECT_DOUBLE_EQ(s.defaultPage.Length, 3.0);
}

TEST_F(ConfigFile, HandEditedFileReadsWithClampsAndDefaults) {
    put("\xEF\xBB\xBF; written by hand\r\n"
        "\r\n"
        "  [ colours ]  \r\n"
        "  Ink = 255 \r\n"
        "; Edit=1\r\n"
        "EDIT=16711680\r\n"
        "edit=1\r\n"           // a duplicate: the first wins
        "Marked=abc\r\n"       // malformed: default
        "Cursor=-1\r\n"        // not a colour value: default
        "Block=4294967295\r\n" // the largest 32-bit value
        "Background=5\r\n"     // only written
        "no equals sign here\r\n"
        "[OPTIONS]\r\n"
        "units=0\r\nSound=-1\r\nTips= 2 \r\nScrollbars=yes\r\n5STYLES=0\r\n2dot=0\r\nHintsOff=1\r\n"
        "Undo=5000\r\nCursorthickness=7\r\nCursortype=-1\r\nLanguage=4\r\nScrollspeed=12x\r\n"
        "[Defaults]\nSpacing=9\nLCL=120\n"
        "[defaultfont]\nName=\nSize=200\nStyle=UB\n"
        "[FavouriteFonts]\nName1=Arial\nSize1=2\nStyle1=bu\nName2=Gone\nSize2=0\nName3=Big\nSize3=300\n"
        "Style3=SxI\n"
        "[User]\nLevel=0\nTutorial=1\n"
        "[Startup]\nDirectory =  /home/user/scores  \n");
    const Settings s = readConfiguration(ini);
    const Settings d;
    EXPECT_EQ(s.colours.Ink, 255u);
    EXPECT_EQ(s.colours.Edit, 0xFF0000u);
    EXPECT_EQ(s.colours.Marked, d.colours.Marked);
    EXPECT_EQ(s.colours.Cursor, d.colours.Cursor);
    EXPECT_EQ(s.colours.Block, 0xFFFFFFFFu);
    EXPECT_EQ(s.colours.Background, d.colours.Background);
    EXPECT_EQ(s.colours.Putative, d.colours.Putative);

    const OptionSettings& o = s.options;
    EXPECT_FALSE(o.Units); // millimetres
    EXPECT_TRUE(o.Sound);
    EXPECT_TRUE(o.Tips);
    EXPECT_EQ(o.Scrollbars, d.options.Scrollbars);
    EXPECT_FALSE(o.FiveStyles);
    EXPECT_FALSE(o.TwoDot);
    EXPECT_TRUE(o.HintsOff);
    EXPECT_EQ(o.Undo, 1000);
    EXPECT_EQ(o.Cursorthickness, 3);
    EXPECT_EQ(o.Cursortype, 0);
    EXPECT_EQ(o.Language, 1);
    EXPECT_EQ(o.Scrollspeed, d.options.Scrollspeed);
    EXPECT_EQ(o.Infilter, d.options.Infilter);

    EXPECT_EQ(s.defaultSpacing, 5);
    EXPECT_EQ(s.LCL, 120);
    EXPECT_EQ(s.defaultFont, (NamedFont{"Times New Roman", 100, "BU"}));
    EXPECT_EQ(s.favourites[0], (NamedFont{"Arial", 4, ""}));
    EXPECT_EQ(s.favourites[1], NamedFont{});
    EXPECT_EQ(s.favourites[2], (NamedFont{"Big", 100, "IS"}));
    EXPECT_EQ(s.Level, 1);
    EXPECT_TRUE(s.Tutorial);
    EXPECT_EQ(s.Directory, "/home/user/scores");
}

TEST_F(ConfigFile, LowerClampsAndOtherLimits) {
    put("[Options]\nUndo=-3\nCursorthickness=0\nCursortype=9\nLanguage=-2\n"
        "[Defaults]\nSpacing=0\n[Defaultfont]\nSize=1\n[User]\nLevel=9\n");
    const Settings s = readConfiguration(ini);
    EXPECT_EQ(s.options.Undo, 0);
    EXPECT_EQ(s.options.Cursorthickness, 1);
    EXPECT_EQ(s.options.Cursortype, 2);
    EXPECT_EQ(s.options.Language, 0);
    EXPECT_EQ(s.defaultSpacing, 1);
    EXPECT_EQ(s.defaultFont.size, 4);
    EXPECT_EQ(s.Level, 3);
}

TEST_F(ConfigFile, TemplatesAndRecentFilesAreReadInTheirOrder) {
    put("[Templates]\n"
        "Filename03=ZED.QVT\nDescription03=Zed\n"
        "Filename00=ALPHA.QVT\nDescription00=Alpha\n"
        "Filename01=NODESC.QVT\n"
        "Description02=No file\n"
        "Filename99=MID.QVT\nDescription99=Middle   \n"
        "Filename100=OUT.QVT\nDescription100=Out of range\n"
        "[Files]\n2=/b.qvr\n1=/a.qvr\n4=/d.qvr\n10=/ten.qvr\n");
    const Settings s = readConfiguration(ini);
    ASSERT_EQ(s.templates.size(), 3u);
    EXPECT_EQ(s.templates[0], templateEntry("Alpha", "ALPHA.QVT"));
    EXPECT_EQ(s.templates[1], templateEntry("Middle", "MID.QVT"));
    EXPECT_EQ(s.templates[2], templateEntry("Zed", "ZED.QVT"));
    EXPECT_EQ(s.templates[0].size(), TemplateDescriptionWidth + 9);
    EXPECT_EQ(s.recentFiles, (std::vector<std::string>{"/a.qvr", "/b.qvr", "/d.qvr"}));
}

TEST_F(ConfigFile, WrittenSettingsReadBackEqual) {
    const Settings s = unusualSettings();
    ASSERT_TRUE(writeConfiguration(ini, s));
    ASSERT_TRUE(writeRecentFiles(ini, s.recentFiles));
    Settings expected = s;
    expected.colours.Background = Settings().colours.Background; // only written
    EXPECT_EQ(readConfiguration(ini), expected);

    // Writing the same settings again changes nothing, not even blank lines.
    const std::string before = text();
    ASSERT_TRUE(writeConfiguration(ini, s));
    ASSERT_TRUE(writeRecentFiles(ini, s.recentFiles));
    EXPECT_EQ(text(), before);

    // The plain form: booleans 1 and 0, lengths in thousandths, sections in order.
    const std::string& t = before;
    EXPECT_EQ(t.rfind("[Startup]\nDirectory=/home/user/my scores, old;1\n", 0), 0u);
    for (const char* line : {"\nUnits=0\n", "\nFastCPU=1\n", "\nWidth=11000\n", "\nTop=250\n", "\nStave=450\n",
                             "\nOrientation=1\n", "\nBlock=8952234\n", "\nDefaultform=4294967295\n",
                             "\nStyle6=BIUS\n", "\n5styles=0\n", "\n2Dot=0\n", "\nDescription01=Piano\n",
                             "\nDescription00=Hymn in four parts\n", "\nFilename00=HYMN.QVT\n"})
        EXPECT_NE(t.find(line), std::string::npos) << line;
    EXPECT_EQ(t.find("true"), std::string::npos);
    EXPECT_EQ(t.find("Size2="), std::string::npos); // an empty favourite slot is not written
    EXPECT_EQ(t.find("HintsOff"), std::string::npos);
    EXPECT_EQ(t.find("LCL"), std::string::npos);
    EXPECT_EQ(t.find("Pageview"), std::string::npos);
    std::size_t last = 0;
    for (const char* section : {"[Startup]", "[Colours]", "[Page]", "[Defaults]", "[Defaultfont]",
                                "[FavouriteFonts]", "[Options]", "[User]", "[Templates]"}) {
        const std::size_t at = t.find(section);
        ASSERT_NE(at, std::string::npos) << section;
        EXPECT_GE(at, last) << section;
        last = at;
    }
}

TEST_F(ConfigFile, RewritingReplacesKeysWithoutLeavingStaleOnes) {
    Settings s = unusualSettings();
    s.templates.clear();
    for (int i = 0; i < 120; ++i) s.templates.push_back(templateEntry("T" + std::to_string(1000 + i), "F.QVT"));
    ASSERT_TRUE(writeConfiguration(ini, s));
    ASSERT_TRUE(writeRecentFiles(ini, s.recentFiles));
    EXPECT_EQ(count("\nDescription"), 100);
    EXPECT_NE(text().find("\nDescription99=T1099\n"), std::string::npos);
    EXPECT_EQ(readConfiguration(ini).templates,
              std::vector<std::string>(s.templates.begin(), s.templates.begin() + 100));

    s.templates.resize(2);
    s.favourites[5] = NamedFont{};
    s.options.Undo = 55;
    ASSERT_TRUE(writeConfiguration(ini, s));
    ASSERT_TRUE(writeRecentFiles(ini, {"/only.qvr"}));
    EXPECT_EQ(count("\nDescription"), 2);
    EXPECT_EQ(count("Undo="), 1);
    EXPECT_EQ(count("[Options]"), 1);
    EXPECT_EQ(text().find("Name6="), std::string::npos);
    const Settings back = readConfiguration(ini);
    EXPECT_EQ(back.templates, s.templates);
    EXPECT_EQ(back.favourites[5], NamedFont{});
    EXPECT_EQ(back.options.Undo, 55);
    EXPECT_EQ(back.recentFiles, std::vector<std::string>{"/only.qvr"});
}

TEST_F(ConfigFile, OtherSectionsKeysAndReadOnlyKeysSurviveWriting) {
    put("; my notes\n[Other]\nKeep=me\n\n[colours]\nink=5\nMyColour=42\n\n"
        "[Options]\nHintsOff=1\nMyKey=7\n[Defaults]\nLCL=120\n[Page]\nPageview=1\n"
        "[Files]\n1=/kept.qvr\n[Last]\nAlso=kept\n");
    const Settings s = unusualSettings();
    ASSERT_TRUE(writeConfiguration(ini, s));
    const std::string t = text();
    for (const char* kept : {"; my notes\n", "[Other]\nKeep=me\n", "MyColour=42\n", "MyKey=7\n",
                             "[Last]\nAlso=kept\n"})
        EXPECT_NE(t.find(kept), std::string::npos) << kept;
    EXPECT_EQ(count("olours]"), 1);
    EXPECT_EQ(t.find("ink=5"), std::string::npos);

    const Settings back = readConfiguration(ini);
    EXPECT_EQ(back.colours.Ink, s.colours.Ink);
    EXPECT_TRUE(back.options.HintsOff);
    EXPECT_EQ(back.LCL, 120);
    EXPECT_TRUE(back.Pageview);
    EXPECT_EQ(back.recentFiles, std::vector<std::string>{"/kept.qvr"});

    ASSERT_TRUE(writePageview(ini, false));
    ASSERT_TRUE(writeRecentFiles(ini, {}));
    EXPECT_FALSE(readConfiguration(ini).Pageview);
    EXPECT_TRUE(readConfiguration(ini).recentFiles.empty());
    EXPECT_EQ(readConfiguration(ini).options, back.options);
    EXPECT_NE(text().find("[Other]\nKeep=me\n"), std::string::npos);
}

TEST_F(ConfigFile, LineBreaksInValuesCannotForgeLines) {
    Settings s;
    s.Directory = "/a\n[Colours]\nInk=1";
    ASSERT_TRUE(writeConfiguration(ini, s));
    ASSERT_TRUE(writeRecentFiles(ini, {"/x.qvr", "/bad\nname.qvr", "/y.qvr"}));
    const Settings back = readConfiguration(ini);
    EXPECT_EQ(back.Directory, "/a [Colours] Ink=1");
    EXPECT_EQ(back.colours.Ink, s.colours.Ink);
    EXPECT_EQ(back.recentFiles, (std::vector<std::string>{"/x.qvr", "/y.qvr"}));
}

TEST_F(ConfigFile, WritingCreatesTheFolderAndRefusesWhatItCannotRead) {
    const std::string nested = (dir / "a" / "b" / "QUAVLY.INI").string();
    ASSERT_TRUE(writeConfiguration(nested, unusualSettings()));
    EXPECT_EQ(readConfiguration(nested).Level, 3);

    // A file kept as a link stays a link; the file it points to gets the settings.
    const fs::path target = dir / "dotfiles" / "QUAVLY.INI";
    fs::create_directory(dir / "dotfiles");
    { std::ofstream(target) << "[Mine]\nKeep=1\n"; }
    fs::create_symlink(target, ini);
    ASSERT_TRUE(writeConfiguration(ini, unusualSettings()));
    EXPECT_TRUE(fs::is_symlink(ini));
    EXPECT_EQ(readConfiguration(target.string()).Level, 3);
    EXPECT_NE(text().find("[Mine]\nKeep=1\n"), std::string::npos);
    fs::remove(ini);

    // A folder standing where the file should be: nothing to read, nothing written.
    fs::create_directory(dir / "folder.ini");
    EXPECT_FALSE(writeConfiguration((dir / "folder.ini").string(), Settings()));
    EXPECT_TRUE(fs::is_directory(dir / "folder.ini"));
    // A file standing where the folder should be.
    put("x");
    EXPECT_FALSE(writeRecentFiles((fs::path(ini) / "QUAVLY.INI").string(), {"/a.qvr"}));
    EXPECT_EQ(text(), "x");
}

// Python's configparser stands in for any other tool reading the file: it must see
// the same plain values, with no duplicate sections or keys.
TEST_F(ConfigFile, PythonConfigParserReadsTheSameValues) {
    if (std::system("python3 -c 'import configparser' >/dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
    const Settings s = unusualSettings();
    ASSERT_TRUE(writeConfiguration(ini, s));
    ASSERT_TRUE(writeRecentFiles(ini, s.recentFiles));
    ASSERT_TRUE(writePageview(ini, true));

    const std::string expected = (dir / "expected.txt").string();
    std::ofstream(expected) << "Startup|Directory|/home/user/my scores, old;1\n"
                               "Colours|Ink|66051\nColours|Defaultform|4294967295\nColours|Background|11189196\n"
                               "Page|Stave|450\nPage|Width|11000\nPage|Length|8500\nPage|Bottom|750\n"
                               "Page|Gutter|300\nPage|Footer|600\nPage|Facing|1\nPage|Orientation|1\n"
                               "Page|Pageview|1\n"
                               "Defaults|Spacing|5\nDefaultfont|Name|Liberation Sans\nDefaultfont|Size|14\n"
                               "Defaultfont|Style|BI\nFavouriteFonts|Name3|Arial\nFavouriteFonts|Size3|20\n"
                               "FavouriteFonts|Style3|\nFavouriteFonts|Size6|100\n"
                               "Options|Undo|0\nOptions|Units|0\nOptions|Scrollbars|1\nOptions|5styles|0\n"
                               "Options|2Dot|0\nOptions|Cursortype|2\nOptions|Language|1\nOptions|EditCursor|2\n"
                               "User|Level|3\nUser|Tutorial|1\nUser|Tutorbookmark|17\n"
                               "Files|1|/home/user/b.qvr\nFiles|2|/home/user/a b.QVR\nFiles|3|/tmp/c.qvr\n"
                               "Templates|Description00|Hymn in four parts\nTemplates|Filename00|HYMN.QVT\n"
                               "Templates|Description02|" +
                                   std::string(80, 'x') + "\nTemplates|Filename02|LONG.QVT\n";
    const std::string script = (dir / "check.py").string();
    std::ofstream(script) << "import configparser, sys\n"
                             "c = configparser.ConfigParser(interpolation=None)\n"
                             "c.optionxform = str\n" // keep the keys' case
                             "c.read(sys.argv[1], encoding='utf-8')\n"
                             "bad = 0\n"
                             "for line in open(sys.argv[2], encoding='utf-8').read().splitlines():\n"
                             "    section, key, value = line.split('|', 2)\n"
                             "    got = c.get(section, key, fallback=None)\n"
                             "    if got != value:\n"
                             "        print(section, key, repr(got), '!=', repr(value)); bad = 1\n"
                             "if c.has_option('Options', 'HintsOff') or c.has_option('FavouriteFonts', 'Size2'):\n"
                             "    print('unexpected key'); bad = 1\n"
                             "sys.exit(bad)\n";
    const int status = std::system(("python3 '" + script + "' '" + ini + "' '" + expected + "'").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << text();
}

TEST(ConfigFilePath, EnvironmentChoosesTheFile) {
    const char* oldOwn = std::getenv("QUAVERLY_CONFIG");
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedOwn = oldOwn ? oldOwn : "", savedXdg = oldXdg ? oldXdg : "";

    ::setenv("QUAVERLY_CONFIG", "/somewhere/test.ini", 1);
    ::setenv("XDG_CONFIG_HOME", "/tmp/qv-xdg", 1);
    EXPECT_EQ(configFilePath(), "/somewhere/test.ini");
    ::setenv("QUAVERLY_CONFIG", "", 1);
    EXPECT_EQ(configFilePath(), "/tmp/qv-xdg/quaverly/QUAVLY.INI");
    ::unsetenv("QUAVERLY_CONFIG");
    EXPECT_EQ(configFilePath(), "/tmp/qv-xdg/quaverly/QUAVLY.INI");

    oldOwn ? ::setenv("QUAVERLY_CONFIG", savedOwn.c_str(), 1) : ::unsetenv("QUAVERLY_CONFIG");
    oldXdg ? ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace qv
