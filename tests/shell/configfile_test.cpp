// QUAVLY.INI: defaults, clamps, forgiving reading of hand-edited files, the plain
// form written, and sessions that leave what the user wrote as it was.

#include "shell/configfile.h"
#include "support/scratchfolder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <QString>

#include <gtest/gtest.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

class ConfigFile : public ::testing::Test {
  protected:
    void put(const std::string& text) const { std::ofstream(ini, std::ios::binary) << text; }
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
    std::u16string units = marked ? u"\uFEFF" : u"";
    units += QString::fromUtf8(utf8.substr(marked ? 3 : 0)).toStdU16String();
    std::string out;
    for (const char16_t unit : units) {
        const char high = char(unit >> 8), low = char(unit & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

std::string crlf(std::string text) {
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2))
        text.insert(at, "\r");
    return text;
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

// The documented defaults, whether the file is missing, empty or not a file at all.
TEST_F(ConfigFile, WithoutUsableFileEverySettingHasItsDefault) {
    put("");
    for (const std::string& path : {(dir / "none.ini").string(), ini, dir.string()}) {
        const Settings s = readConfiguration(path);
        EXPECT_DOUBLE_EQ(s.defaultPage.Width, 8.27) << path;
        EXPECT_DOUBLE_EQ(s.defaultPage.Length, 11.69) << path;
        for (double m : {s.defaultPage.TopM, s.defaultPage.BotM, s.defaultPage.LeftM, s.defaultPage.RightM})
            EXPECT_DOUBLE_EQ(m, 0.5) << path;
        EXPECT_DOUBLE_EQ(s.defaultStaveSize, 0.333) << path;
        EXPECT_EQ(s.defaultSpacing, 3) << path;
        EXPECT_EQ(s.defaultFont, (NamedFont{"Times New Roman", 12, ""})) << path;
        EXPECT_EQ(s.colours.Nonprinting, 0xFF00FFu) << path;
        EXPECT_TRUE(s.options.Units && s.options.Sound && !s.options.Scrollbars) << path;
        EXPECT_EQ(s.options.Undo, 100) << path;
        EXPECT_EQ(s.Level, 1) << path;
    }
}

long long mils(double inches) {
    return std::llround(inches * 1000.0);
}
#define GET(expr) [](const Settings& s) { return static_cast<long long>(expr); }

// What a hand-edited value means: the clamps, the spellings people type, and the
// default for what cannot be understood.
TEST_F(ConfigFile, HandEditedValuesReadAsMeant) {
    struct Key {
        std::string section, key;
        long long (*got)(const Settings&);
        std::vector<std::pair<std::string, long long>> values; // as written, as read
    };
    const Key keys[] = {
        {"Page", "Stave", GET(mils(s.defaultStaveSize)), {{"900", 600}, {"100", 200}}},
        {"Page", "Width", GET(mils(s.defaultPage.Width)), {{"100", 4000}, {"20000", 12000}, {"08500", 8500}}},
        {"Page", "Length", GET(mils(s.defaultPage.Length)), {{"30000", 24000}, {"2000", 3000}}},
        {"Page", "Left", GET(mils(s.defaultPage.LeftM)), {{"1250", 1250}}},
        {"Page", "Header", GET(mils(s.defaultPage.Header)), {{"-40", -40}}}, // margins have no clamp
        {"Page", "Facing", GET(s.defaultFacing), {{"7", 1}}},
        {"Colours", "Ink", GET(s.colours.Ink), {{" 255 ", 255}, {"0x00FF00", 0x00FF00}}},
        {"Colours", "Edit", GET(s.colours.Edit), {{"0xGREEN", 0x0000FF}, {"0x", 0x0000FF}}},
        {"Colours", "Marked", GET(s.colours.Marked), {{"abc", 0xFF0000}}},
        {"Colours", "Cursor", GET(s.colours.Cursor), {{"-1", 0xFF0000}}},
        {"Colours", "Block", GET(s.colours.Block), {{"4294967295", 0xFFFFFFFF}}},
        {"Colours", "Background", GET(s.colours.Background), {{"5", 0x808000}}}, // only written
        {"OPTIONS", "units", GET(s.options.Units), {{"0", 0}}},
        {"Options", "Sound", GET(s.options.Sound), {{"FALSE", 0}, {"off", 0}, {"No", 0}, {"maybe", 1}}},
        {"Options", "Scrollbars", GET(s.options.Scrollbars), {{"yes", 1}, {"On", 1}, {"true", 1}}},
        {"Options", "Scrollbars", GET(s.options.Scrollbars), {{"-1", 1}, {" 2 ", 1}, {"maybe", 0}}},
        {"Options", "5STYLES", GET(s.options.FiveStyles), {{"0", 0}}},
        {"Options", "2dot", GET(s.options.TwoDot), {{"0", 0}}},
        {"Options", "HintsOff", GET(s.options.HintsOff), {{"1", 1}}},
        {"Options", "Undo", GET(s.options.Undo), {{"5000", 1000}, {"-3", 0}}},
        {"Options", "Cursorthickness", GET(s.options.Cursorthickness), {{"7", 3}, {"0", 1}}},
        {"Options", "Cursortype", GET(s.options.Cursortype), {{"-1", 0}, {"9", 2}}},
        {"Options", "Language", GET(s.options.Language), {{"4", 1}, {"-2", 0}}},
        {"Options", "Scrollspeed", GET(s.options.Scrollspeed), {{"12x", 5}}},
        {"Defaults", "Spacing", GET(s.defaultSpacing), {{"9", 5}, {"0", 1}}},
        {"Defaults", "LCL", GET(s.LCL), {{"120", 120}}},
        {"Defaultfont", "Size", GET(s.defaultFont.size), {{"200", 100}, {"1", 4}}},
        {"FavouriteFonts", "Size3", GET(s.favourites[2].size), {{"2", 4}, {"300", 100}}},
        {"User", "Level", GET(s.Level), {{"0", 1}, {"9", 3}}},
        {"User", "Tutorial", GET(s.Tutorial), {{"1", 1}}},
    };
    for (const Key& k : keys)
        for (const auto& [value, expected] : k.values) {
            put("[" + k.section + "]\n" + k.key + "=" + value + "\n");
            EXPECT_EQ(k.got(readConfiguration(ini)), expected) << k.key << "=" << value;
        }

    // Nor does the way the file itself is written matter.
    const std::string zoe = "/home/zo\xC3\xAB/\xF0\x9D\x84\x9E";
    const std::string files[] = {
        "\xEF\xBB\xBF; by hand\r\n\r\n  [ startup ]  \r\n  DIRECTORY =  " + zoe + "  \r\nNo equals sign\r\n",
        "[Startup]\n; Directory=/\nDirectory=" + zoe +
            "\ndirectory=/\n[Startup]\nDirectory=/\n", // the first wins
        utf16("\xEF\xBB\xBF[Startup]\r\nDirectory=" + zoe + "\r\n", false),
        utf16("\xEF\xBB\xBF[Startup]\nDirectory=" + zoe, true),
        utf16("[Startup]\nDirectory=" + zoe + "\n", false),
    };
    for (const std::string& file : files) {
        put(file);
        EXPECT_EQ(readConfiguration(ini).Directory, zoe) << file;
    }
}
#undef GET

TEST_F(ConfigFile, HandEditedFontsReadAsMeant) {
    put("[defaultfont]\nName=\nStyle=UB\n[FavouriteFonts]\nName1=Arial\nSize1=2\nStyle1=bu\n"
        "Name2=Gone\nSize2=0\nName3=Big\nSize3=30\nStyle3=SxI\n");
    const Settings s = readConfiguration(ini);
    EXPECT_EQ(s.defaultFont, (NamedFont{"Times New Roman", 12, "BU"}));
    EXPECT_EQ(s.favourites[0], (NamedFont{"Arial", 4, ""}));
    EXPECT_EQ(s.favourites[1], NamedFont{});
    EXPECT_EQ(s.favourites[2], (NamedFont{"Big", 30, "IS"}));
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
    EXPECT_EQ(s.templates, (std::vector<std::string>{templateEntry("Alpha", "ALPHA.QVT"),
                                                     templateEntry("Middle", "MID.QVT"),
                                                     templateEntry("Zed", "ZED.QVT")}));
    EXPECT_EQ(s.templates.at(0).size(), TemplateDescriptionWidth + 9);
    EXPECT_EQ(s.recentFiles, (std::vector<std::string>{"/a.qvr", "/b.qvr", "/d.qvr"}));
}

TEST_F(ConfigFile, WrittenSettingsReadBackEqual) {
    const Settings s = unusualSettings();
    ASSERT_TRUE(writeConfiguration(ini, s));
    ASSERT_TRUE(writeRecentFiles(ini, s.recentFiles));
    Settings expected = s;
    expected.colours.Background = Settings().colours.Background; // only written
    EXPECT_EQ(readConfiguration(ini), expected);

    // Only what the program owns, in its plain form: booleans 1 and 0, lengths in
    // thousandths, each section once and in order; an empty favourite slot is left out.
    const std::string t = text();
    EXPECT_EQ(t.rfind("[Startup]\nDirectory=/home/user/my scores, old;1\n", 0), 0u);
    for (const char* line :
         {"\nUnits=0\n", "\nFastCPU=1\n", "\nWidth=11000\n", "\nTop=250\n", "\nStave=450\n",
          "\nOrientation=1\n", "\nBlock=8952234\n", "\nDefaultform=4294967295\n", "\nStyle6=BIUS\n",
          "\n5styles=0\n", "\n2Dot=0\n", "\nDescription01=Piano\n", "\nDescription00=Hymn in four parts\n",
          "\nFilename00=HYMN.QVT\n", "\n1=/home/user/b.qvr\n"})
        EXPECT_NE(t.find(line), std::string::npos) << line;
    for (const char* absent : {"true", "Size2=", "HintsOff", "LCL", "Pageview"})
        EXPECT_EQ(t.find(absent), std::string::npos) << absent;
    std::istringstream lines(t);
    std::string sections;
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with('[')) sections += line;
    EXPECT_EQ(sections, "[Startup][Colours][Page][Defaults][Defaultfont][FavouriteFonts][Options][User]"
                        "[Templates][Files]");
}

// The list is written as at most 100 entries, and a shorter list leaves none of the
// old ones behind (the reader would take them).
TEST_F(ConfigFile, TemplateListIsRewrittenWhole) {
    Settings s = unusualSettings();
    s.templates.clear();
    for (int i = 0; i < 120; ++i)
        s.templates.push_back(templateEntry("T" + std::to_string(1000 + i), "F.QVT"));
    ASSERT_TRUE(writeConfiguration(ini, s));
    EXPECT_NE(text().find("\nDescription99=T1099\n"), std::string::npos);
    EXPECT_EQ(text().find("Description100"), std::string::npos);
    EXPECT_EQ(readConfiguration(ini).templates,
              std::vector<std::string>(s.templates.begin(), s.templates.begin() + 100));

    s.templates.resize(2);
    ASSERT_TRUE(writeConfiguration(ini, s));
    EXPECT_EQ(readConfiguration(ini).templates, s.templates);
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
        EXPECT_TRUE(writePageview(ini, s.Pageview));
        EXPECT_TRUE(writeRecentFiles(ini, s.recentFiles));
        EXPECT_TRUE(writeConfiguration(ini, s));
        return text();
    };
    const std::string full = session("", [](Settings&) {}); // every key, as the program writes it
    const std::string odd = with(full, {{"Sound=1\n", "Sound=maybe\nSound=0\n"},
                                        {"Ink=0\n", "Ink=green\n"},
                                        {"Width=8270\n", "Width=A4\n"},
                                        {"Level=1\n", "Level=expert\n"}});
    const std::string spelt = with(full, {{"Sound=1\n", "Sound=yes\n"},
                                          {"Units=1\n", "units = ON\n"},
                                          {"Ink=0\n", "Ink=0x000000\n"},
                                          {"Width=8270\n", "Width=08270\n"},
                                          {"Undo=100\n", "Undo=+100\n"},
                                          {"Stave=333\n", "Stave=100\n"},
                                          {"Name=Times New Roman\n", "Name=\n"},
                                          {"Style=\n", "Style=UB\n"}});
    const std::string noTips = with(full, {{"Tips=1\n", ""}});
    const std::string foreign = "; my notes\n[Other]\nKeep=me\n\n" +
                                with(full, {{"Ink=0\n", "ink=5\nMyColour=42\nInk=7\n"},
                                            {"Sound=1\n", "Sound=1\nHintsOff=1\nMyKey=7\n"},
                                            {"Spacing=3\n", "Spacing=3\nLCL=120\n"}}) +
                                "[Files]\n; newest first\n1=/a.qvr\n\n[Templates]\nDescription00=Hymn   \n"
                                "Filename00=HYMN.QVT\n[Page]\nPageview=1\n";
    const std::string fonts =
        with(full, {{"[FavouriteFonts]\n", "[FavouriteFonts]\nName2=Gone\nSize2=0\n"
                                           "Name1=Arial\nSize1=12\nStyle1=B\nSize1=14\n"}});
    const std::string bom = "\xEF\xBB\xBF";
    const std::string clef = with(full, {{"Directory=\n", "Directory=/home/zo\xC3\xAB/\xF0\x9D\x84\x9E\n"}});
    // A lone surrogate (U+D800) and a dangling last byte: damage to keep, not to mend.
    const std::string damaged =
        with(utf16(bom + clef, false), {{std::string("\xEB\0", 2), std::string("\0\xD8", 2)}}) + "!";
    const std::string mixed = with(crlf(noTips), {{"Ink=0\r\n", "Ink=0\n"}, {"Sound=1\r\n", "Sound=1\n"}});

    struct Case {
        const char* name;
        std::string before;
        void (*change)(Settings&);
        std::string after;
    };
    const auto nothing = [](Settings&) {};
    const auto quiet = [](Settings& s) { s.options.Sound = false; };
    const Case cases[] = {
        {"values not understood, unchanged", odd, nothing, odd},
        {"values not understood, then changed", odd, [](Settings& s) { s.colours.Ink = 255; },
         with(odd, {{"Ink=green\n", "Ink=255\n"}})},
        {"other spellings of the same meaning", spelt, nothing, spelt},
        {"other spellings, meaning changed", spelt,
         [](Settings& s) { s.options.Sound = s.options.Units = false; },
         with(spelt, {{"Sound=yes\n", "Sound=0\n"}, {"units = ON\n", "Units=0\n"}})},
        {"a missing key", noTips, nothing, with(noTips, {{"Language=0\n", "Language=0\nTips=1\n"}})},
        {"foreign lines and read-only keys, unchanged", foreign, nothing, foreign},
        {"foreign lines, a duplicated key changed", foreign, [](Settings& s) { s.colours.Ink = 66051; },
         with(foreign, {{"ink=5\n", "Ink=66051\n"}, {"Ink=7\n", ""}})},
        {"foreign lines, a list changed", foreign,
         [](Settings& s) { s.recentFiles.insert(s.recentFiles.begin(), "/b"); },
         with(foreign, {{"; newest first\n1=/a.qvr\n", "1=/b\n2=/a.qvr\n"}})},
        {"favourite slots, unchanged", fonts, nothing, fonts},
        {"a favourite slot emptied, duplicates too", fonts, [](Settings& s) { s.favourites[0] = {}; },
         with(fonts, {{"Name1=Arial\nSize1=12\nStyle1=B\nSize1=14\n", ""}})},
        {"no final line break", full + "[Mine]\nKeep=1", quiet,
         with(full, {{"Sound=1", "Sound=0"}}) + "[Mine]\nKeep=1"},
        {"CRLF", crlf(noTips), quiet,
         crlf(with(noTips, {{"Sound=1\n", "Sound=0\n"}, {"Language=0\n", "Language=0\nTips=1\n"}}))},
        {"mixed line endings", mixed, quiet,
         with(mixed, {{"Sound=1\n", "Sound=0\n"}, {"Language=0\r\n", "Language=0\r\nTips=1\r\n"}})},
        {"UTF-8 with a mark", bom + clef, quiet, bom + with(clef, {{"Sound=1", "Sound=0"}})},
        {"UTF-16LE", utf16(bom + crlf(clef), false), quiet,
         utf16(bom + crlf(with(clef, {{"Sound=1", "Sound=0"}})), false)},
        {"UTF-16BE", utf16(bom + clef, true), quiet, utf16(bom + with(clef, {{"Sound=1", "Sound=0"}}), true)},
        {"UTF-16 damaged", damaged, quiet,
         with(damaged, {{utf16("Sound=1", false), utf16("Sound=0", false)}})},
        {"UTF-16 without a mark", utf16(clef, false), quiet,
         utf16(with(clef, {{"Sound=1", "Sound=0"}}), false)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(session(c.before, c.change), c.after) << c.name;
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

    // A private file stays private.
    fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(writeConfiguration(ini, unusualSettings()));
    EXPECT_EQ(fs::status(ini).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    // A pipe as the settings file is neither waited on at start-up nor replaced.
    fs::remove(ini);
    ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0);
    EXPECT_EQ(readConfiguration(ini).Level, Settings().Level);
    EXPECT_FALSE(writeConfiguration(ini, unusualSettings()));
    EXPECT_TRUE(fs::is_fifo(ini));
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
