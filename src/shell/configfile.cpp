#include "shell/configfile.h"

#include "files/fileread.h"
#include "files/safewrite.h"
#include "model/pagegeometry.h"
#include "shell/inifile.h"

#include <QStandardPaths>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string_view>
#include <utility>

// QSettings is not used: with Qt 6 it writes booleans as true/false, quotes values
// holding commas and reads them back as lists, escapes backslashes, sorts keys,
// matches key names by case and drops comments. The file must stay in the plain
// profile form other tools (and the user's editor) expect, so it is read and
// written here line by line.

namespace qv {

namespace {

// ---- Reading -----------------------------------------------------------------

// The values of a file by lower-cased section and key; the first of duplicates wins,
// also across repeated sections.
class Profile {
  public:
    explicit Profile(const ini::Document& doc) {
        for (const ini::Section& s : doc.sections) {
            if (!s.header) continue;
            auto& keys = values_[ini::lower(s.name)];
            for (const ini::Line& line : s.lines)
                if (const auto key = ini::keyOf(line.text))
                    keys.emplace(ini::lower(*key), std::string(ini::valueOf(line.text)));
        }
    }

    std::optional<std::string> raw(std::string_view section, std::string_view key) const {
        const auto s = values_.find(ini::lower(section));
        if (s == values_.end()) return std::nullopt;
        const auto k = s->second.find(ini::lower(key));
        if (k == s->second.end()) return std::nullopt;
        return k->second;
    }

    std::string text(std::string_view section, std::string_view key, const std::string& fallback) const {
        return raw(section, key).value_or(fallback);
    }

    int integer(std::string_view section, std::string_view key, int fallback) const {
        return number<int>(raw(section, key)).value_or(fallback);
    }

    int clamped(std::string_view section, std::string_view key, int fallback, int lo, int hi) const {
        return std::clamp(integer(section, key, fallback), lo, hi);
    }

    // Any non-zero number is true, and so are the words people type for it.
    bool boolean(std::string_view section, std::string_view key, bool fallback) const {
        const auto value = raw(section, key);
        if (!value) return fallback;
        static constexpr std::pair<std::string_view, bool> words[] = {
            {"true", true}, {"false", false}, {"yes", true}, {"no", false}, {"on", true}, {"off", false}};
        for (const auto& [word, meaning] : words)
            if (ini::sameName(*value, word)) return meaning;
        const auto n = number<long long>(value);
        return n ? *n != 0 : fallback;
    }

    // Decimal as the program writes it; also 0x-prefixed hexadecimal, the way
    // 0x00BBGGRR values are usually spelt.
    std::uint32_t colour(std::string_view section, std::string_view key, std::uint32_t fallback) const {
        const auto value = raw(section, key);
        if (value && value->size() > 2 && (value->starts_with("0x") || value->starts_with("0X")))
            return number<std::uint32_t>(value->substr(2), 16).value_or(fallback);
        return number<std::uint32_t>(value).value_or(fallback);
    }

  private:
    // An integer filling the whole value, in range for T.
    template <typename T>
    static std::optional<T> number(const std::optional<std::string>& value, int base = 10) {
        if (!value || value->empty()) return std::nullopt;
        const char* first = value->data();
        const char* last = first + value->size();
        if (*first == '+' && base == 10) ++first;
        T result{};
        const auto [ptr, ec] = std::from_chars(first, last, result, base);
        if (ec != std::errc() || ptr != last) return std::nullopt;
        return result;
    }

    std::map<std::string, std::map<std::string, std::string>> values_;
};

// A length kept in thousandths of an inch. Divided rather than multiplied by 0.001
// so that 8270 gives exactly the double nearest 8.27 and values survive a round trip.
double inches(const Profile& p, std::string_view key, double fallback,
              int lo = std::numeric_limits<int>::min(), int hi = std::numeric_limits<int>::max()) {
    return p.clamped("Page", key, roundHalfEven(fallback * 1000.0), lo, hi) / 1000.0;
}

// Style letters in their written order; any letter not upper-case B, I, U or S
// is ignored.
std::string styleLetters(std::string_view text) {
    std::string out;
    for (char c : std::string_view("BIUS"))
        if (text.find(c) != std::string_view::npos) out += c;
    return out;
}

// A font size: 0 (or anything not positive) is an empty favourite slot; sizes
// are held to what the default font allows.
int fontSize(int size) {
    return size <= 0 ? 0 : std::clamp(size, 4, 100);
}

void readColours(const Profile& p, ColourSettings& c) {
    const ColourSettings d;
    c.Ink = p.colour("Colours", "Ink", d.Ink);
    c.Nonprinting = p.colour("Colours", "Nonprinting", d.Nonprinting);
    c.Putative = p.colour("Colours", "Putative", d.Putative);
    c.Line = p.colour("Colours", "Line", d.Line);
    c.Erase = p.colour("Colours", "Erase", d.Erase);
    c.Anchor = p.colour("Colours", "Anchor", d.Anchor);
    c.Edit = p.colour("Colours", "Edit", d.Edit);
    c.Cursor = p.colour("Colours", "Cursor", d.Cursor);
    c.Block = p.colour("Colours", "Block", d.Block);
    c.Marked = p.colour("Colours", "Marked", d.Marked);
    c.UniversalText = p.colour("Colours", "UniversalText", d.UniversalText);
    c.Strings = p.colour("Colours", "Strings", d.Strings);
    c.Defaultform = p.colour("Colours", "Defaultform", d.Defaultform);
    c.Background = p.colour("Colours", "Background", d.Background); // see readConfiguration
}

void readPage(const Profile& p, Settings& s) {
    const Settings d;
    PageData& page = s.defaultPage;
    s.defaultStaveSize = inches(p, "Stave", d.defaultStaveSize, 200, 600);
    page.Width = inches(p, "Width", d.defaultPage.Width, 4000, 12000);
    page.Length = inches(p, "Length", d.defaultPage.Length, 3000, 24000);
    page.TopM = inches(p, "Top", d.defaultPage.TopM);
    page.LeftM = inches(p, "Left", d.defaultPage.LeftM);
    page.RightM = inches(p, "Right", d.defaultPage.RightM);
    page.BotM = inches(p, "Bottom", d.defaultPage.BotM);
    page.GutM = inches(p, "Gutter", d.defaultPage.GutM);
    page.Header = inches(p, "Header", d.defaultPage.Header);
    page.Footer = inches(p, "Footer", d.defaultPage.Footer);
    s.defaultFacing = p.boolean("Page", "Facing", d.defaultFacing);
    page.landscape = p.boolean("Page", "Orientation", d.defaultPage.landscape);
    s.Pageview = p.boolean("Page", "Pageview", d.Pageview);
    s.Zoom = p.clamped("Page", "Zoom", d.Zoom, 50, 400);
    s.Zoomfit = p.clamped("Page", "Zoomfit", d.Zoomfit, 0, 2);
}

void readFonts(const Profile& p, Settings& s) {
    const NamedFont d = Settings().defaultFont;
    // A font without a face name cannot be made, so an empty Name keeps the default.
    const std::string name = p.text("Defaultfont", "Name", d.name);
    s.defaultFont.name = name.empty() ? d.name : name;
    s.defaultFont.size = p.clamped("Defaultfont", "Size", d.size, 4, 100);
    s.defaultFont.style = styleLetters(p.text("Defaultfont", "Style", d.style));
    for (std::size_t i = 0; i < s.favourites.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        NamedFont f;
        f.size = fontSize(p.integer("FavouriteFonts", "Size" + n, 0));
        if (f.size != 0) {
            f.name = p.text("FavouriteFonts", "Name" + n, "");
            f.style = styleLetters(p.text("FavouriteFonts", "Style" + n, ""));
        }
        s.favourites[i] = f;
    }
}

void readOptions(const Profile& p, OptionSettings& o) {
    const OptionSettings d;
    const auto flag = [&](const char* key, bool fallback) { return p.boolean("Options", key, fallback); };
    const auto number = [&](const char* key, int fallback) { return p.integer("Options", key, fallback); };
    o.Undo = p.clamped("Options", "Undo", d.Undo, 0, 1000);
    o.Units = flag("Units", d.Units);
    o.Sound = flag("Sound", d.Sound);
    o.Scrollbars = flag("Scrollbars", d.Scrollbars);
    o.Tips = flag("Tips", d.Tips);
    o.Infilter = number("Infilter", d.Infilter);
    o.Slowscroll = flag("Slowscroll", d.Slowscroll);
    o.Scrollspeed = number("Scrollspeed", d.Scrollspeed);
    o.Cursorthickness = p.clamped("Options", "Cursorthickness", d.Cursorthickness, 1, 3);
    o.Cursortype = p.clamped("Options", "Cursortype", d.Cursortype, 0, 2);
    o.Linewidth = number("Linewidth", d.Linewidth);
    o.Curvedepth = number("Curvedepth", d.Curvedepth);
    o.Speedpanel = flag("Speedpanel", d.Speedpanel);
    o.HintsOff = flag("HintsOff", d.HintsOff);
    o.CClef = flag("CClef", d.CClef);
    o.FiveStyles = flag("5styles", d.FiveStyles);
    o.TwoDot = flag("2Dot", d.TwoDot);
    o.NaturalsInKeyChange = flag("NaturalsInKeyChange", d.NaturalsInKeyChange);
    o.Previewdetails = flag("Previewdetails", d.Previewdetails);
    o.FastCPU = flag("FastCPU", d.FastCPU);
    o.Templates = flag("Templates", d.Templates);
    o.EditCursor = number("EditCursor", d.EditCursor);
    o.Language = p.clamped("Options", "Language", d.Language, 0, 1);
}

std::string twoDigits(std::size_t i) {
    return std::string{char('0' + i / 10), char('0' + i % 10)};
}

std::vector<std::string> readTemplates(const Profile& p) {
    std::vector<std::string> list;
    for (std::size_t i = 0; i < MaxTemplates; ++i) {
        const std::string file = p.text("Templates", "Filename" + twoDigits(i), "");
        const std::string description = p.text("Templates", "Description" + twoDigits(i), "");
        if (!file.empty() && !description.empty()) list.push_back(templateEntry(description, file));
    }
    std::sort(list.begin(), list.end());
    return list;
}

// Keys 1..9; a gap left by a hand edit is skipped rather than ending the list.
std::vector<std::string> readRecentFiles(const Profile& p) {
    std::vector<std::string> files;
    for (std::size_t i = 1; i <= MaxRecentFiles; ++i) {
        std::string name = p.text("Files", std::to_string(i), "");
        if (!name.empty()) files.push_back(std::move(name));
    }
    return files;
}

// A settings file is a few kilobytes; one past this is not one, and is neither
// read nor written over.
constexpr std::size_t MaxSettingsFileSize = std::size_t(1) << 20;

// A file that cannot be read (missing, not a regular file, far too large) is taken
// as empty.
ini::Document readDocument(const std::string& path) {
    const FileContents contents = readRegularFile(path, MaxSettingsFileSize);
    return ini::parse(std::span<const std::uint8_t>(contents.bytes));
}

// Every setting the file holds, the key that is only written included.
Settings settingsIn(const Profile& p) {
    Settings s;
    s.Directory = p.text("Startup", "Directory", "");
    readColours(p, s.colours);
    readPage(p, s);
    s.defaultSpacing = p.clamped("Defaults", "Spacing", s.defaultSpacing, 1, 5);
    s.LCL = p.integer("Defaults", "LCL", s.LCL);
    readFonts(p, s);
    readOptions(p, s.options);
    s.Level = p.clamped("User", "Level", s.Level, 1, 3);
    s.Tutorial = p.boolean("User", "Tutorial", s.Tutorial);
    s.Tutorbookmark = p.integer("User", "Tutorbookmark", s.Tutorbookmark);
    s.recentFiles = readRecentFiles(p);
    s.templates = readTemplates(p);
    return s;
}

// ---- Writing -----------------------------------------------------------------
//
// The file is what the user last saw of the settings, so it is also the record of
// what was read: a key whose line, read now, gives the value about to be written
// keeps that line exactly as found, however it is spelt (`Sound=yes`, `Width=08270`,
// a value out of range that reads as its limit, or one not understood that reads as
// the default the user never changed). Only a value that differs is written, in the
// program's own form, over the line a reader takes.

bool hasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// The keys and values one call writes into a section, and which of the file's
// keys in that section they replace.
struct SectionUpdate {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
    std::set<std::string> owned;     // lower-cased; unused with `wholeSection`
    bool wholeSection = false;       // the section is written as a whole, a list
    std::set<std::string> unchanged; // owned keys the file already holds as they would be written
    bool sectionUnchanged = false;   // for a whole section: the file already holds the list

    explicit SectionUpdate(std::string section, bool whole = false)
        : name(std::move(section)), wholeSection(whole) {}

    void put(const std::string& key, std::string value) {
        // A line break would end the line and could start a forged section.
        std::replace_if(
            value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        owned.insert(ini::lower(key));
        entries.emplace_back(key, std::move(value));
    }
    void putNumber(const std::string& key, long long value) { put(key, std::to_string(value)); }
    void putFlag(const std::string& key, bool value) { put(key, value ? "1" : "0"); }
    void putInches(const std::string& key, double value) { putNumber(key, roundHalfEven(value * 1000.0)); }

    const std::pair<std::string, std::string>* entryFor(const std::string& lowerKey) const {
        for (const auto& entry : entries)
            if (ini::lower(entry.first) == lowerKey) return &entry;
        return nullptr;
    }

    // `asFound` is this update built from the settings the file holds now: a key
    // both write alike (or both leave out) needs no change.
    void compareWith(const SectionUpdate& asFound) {
        sectionUnchanged = entries == asFound.entries;
        for (const std::string& key : owned) {
            const auto* now = entryFor(key);
            const auto* was = asFound.entryFor(key);
            if (now && was ? *now == *was : now == was) unchanged.insert(key);
        }
    }
};

// The first section of that name, or a new one at the end of the file.
ini::Section& sectionFor(ini::Document& doc, const std::string& name) {
    for (ini::Section& s : doc.sections)
        if (s.header && ini::sameName(s.name, name)) return s;
    const ini::Section& last = doc.sections.back();
    const bool separated = last.lines.empty() ? !last.header : ini::trim(last.lines.back().text).empty();
    if (!separated) doc.sections.back().lines.push_back(doc.line(""));
    ini::Section& added = doc.sections.emplace_back(ini::Section{name, doc.line("[" + name + "]"), {}});
    added.lines.push_back(doc.line("")); // the blank line before the next section
    return added;
}

// After the last line that is not blank, so that the blank separator stays last.
std::size_t endOfContent(const ini::Section& s) {
    std::size_t at = s.lines.size();
    while (at > 0 && ini::trim(s.lines[at - 1].text).empty())
        --at;
    return at;
}

void insertLines(ini::Section& s, std::size_t at, const std::vector<ini::Line>& lines) {
    s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(at), lines.begin(), lines.end());
}

// A changed key is written over its first line, the one a reader takes, keeping
// that line's ending; its later duplicates go, lest removing or rewriting the first
// bring an older value back. An unchanged key keeps all its lines. Keys the file
// lacks are added at the end of the first section of that name.
void applyKeys(ini::Document& doc, const SectionUpdate& update) {
    std::set<std::string> found;
    for (ini::Section& s : doc.sections) {
        if (!s.header || !ini::sameName(s.name, update.name)) continue;
        std::vector<ini::Line> kept;
        for (ini::Line& line : s.lines) {
            const auto key = ini::keyOf(line.text);
            const std::string k = key ? ini::lower(*key) : std::string();
            const bool takenByReader = key && found.insert(k).second;
            if (!key || !update.owned.count(k) || update.unchanged.count(k))
                kept.push_back(std::move(line));
            else if (const auto* entry = update.entryFor(k); takenByReader && entry)
                kept.push_back({entry->first + "=" + entry->second, line.end});
        }
        s.lines = std::move(kept);
    }
    std::vector<ini::Line> added;
    for (const auto& [key, value] : update.entries)
        if (!found.count(ini::lower(key))) added.push_back(doc.line(key + "=" + value));
    ini::Section& first = sectionFor(doc, update.name);
    insertLines(first, endOfContent(first), added);
}

// A list section that changed is written afresh where its first line stood (in
// the first section of that name); every other line but the blank ones goes.
void applyWhole(ini::Document& doc, const SectionUpdate& update) {
    if (update.sectionUnchanged) return;
    const auto content = [](const ini::Line& l) { return !ini::trim(l.text).empty(); };
    ini::Section& first = sectionFor(doc, update.name);
    // Where its first line stood; in a section of blank lines only, before them.
    std::size_t at = static_cast<std::size_t>(std::find_if(first.lines.begin(), first.lines.end(), content) -
                                              first.lines.begin());
    if (at == first.lines.size()) at = 0;
    for (ini::Section& s : doc.sections)
        if (s.header && ini::sameName(s.name, update.name)) std::erase_if(s.lines, content);
    std::vector<ini::Line> lines;
    for (const auto& [key, value] : update.entries)
        lines.push_back(doc.line(key + "=" + value));
    insertLines(first, at, lines);
}

using Sections = std::vector<SectionUpdate>;
using SectionsOf = Sections (*)(const Settings&);

// Reads the file as it is (nothing when missing), applies the updates, each
// compared with the same update built from the settings the file holds, and writes
// it back in one piece, in its own encoding.
bool updateFile(const std::string& path, Sections updates, SectionsOf asFound) {
    const FileContents contents = readRegularFile(path, MaxSettingsFileSize);
    // A file that is there but cannot be read would lose whatever it holds.
    if (!contents.ok() && contents.problem != ReadProblem::NotFound) return false;
    ini::Document doc = ini::parse(std::span<const std::uint8_t>(contents.bytes));
    const Sections found = asFound(settingsIn(Profile(doc)));
    for (std::size_t i = 0; i < updates.size(); ++i) {
        updates[i].compareWith(found[i]);
        updates[i].wholeSection ? applyWhole(doc, updates[i]) : applyKeys(doc, updates[i]);
    }

    std::error_code ec;
    const auto folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    if (ec) return false;
    // Written where a link points, keeping the file's mode, as every file we write.
    return writeFileSafely(path, ini::serialise(doc)).ok();
}

SectionUpdate colourSection(const ColourSettings& c) {
    SectionUpdate u{"Colours"};
    const std::pair<const char*, std::uint32_t> colours[] = {{"Ink", c.Ink},
                                                             {"Nonprinting", c.Nonprinting},
                                                             {"Putative", c.Putative},
                                                             {"Line", c.Line},
                                                             {"Erase", c.Erase},
                                                             {"Anchor", c.Anchor},
                                                             {"Edit", c.Edit},
                                                             {"Cursor", c.Cursor},
                                                             {"Block", c.Block},
                                                             {"Marked", c.Marked},
                                                             {"Background", c.Background},
                                                             {"UniversalText", c.UniversalText},
                                                             {"Strings", c.Strings},
                                                             {"Defaultform", c.Defaultform}};
    for (const auto& [key, value] : colours)
        u.putNumber(key, value);
    return u;
}

SectionUpdate pageSection(const Settings& s) {
    SectionUpdate u{"Page"};
    const PageData& page = s.defaultPage;
    u.putInches("Stave", s.defaultStaveSize);
    u.putInches("Width", page.Width);
    u.putInches("Length", page.Length);
    u.putInches("Top", page.TopM);
    u.putInches("Left", page.LeftM);
    u.putInches("Right", page.RightM);
    u.putInches("Bottom", page.BotM);
    u.putInches("Gutter", page.GutM);
    u.putInches("Header", page.Header);
    u.putInches("Footer", page.Footer);
    u.putFlag("Facing", s.defaultFacing);
    u.putFlag("Orientation", page.landscape);
    return u;
}

SectionUpdate defaultFontSection(const NamedFont& f) {
    SectionUpdate u{"Defaultfont"};
    u.put("Name", f.name);
    u.putNumber("Size", f.size);
    u.put("Style", f.style);
    return u;
}

// Every slot's keys are owned, so an emptied slot loses its old lines.
SectionUpdate favouritesSection(const std::array<NamedFont, 6>& favourites) {
    SectionUpdate u{"FavouriteFonts"};
    for (std::size_t i = 0; i < favourites.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        for (const char* key : {"Name", "Size", "Style"})
            u.owned.insert(ini::lower(key + n));
        const NamedFont& f = favourites[i];
        if (f.size == 0) continue;
        u.put("Name" + n, f.name);
        u.putNumber("Size" + n, f.size);
        u.put("Style" + n, f.style);
    }
    return u;
}

SectionUpdate optionSection(const OptionSettings& o) {
    SectionUpdate u{"Options"};
    u.putNumber("Undo", o.Undo);
    u.putFlag("Units", o.Units);
    u.putFlag("Sound", o.Sound);
    u.putFlag("Scrollbars", o.Scrollbars);
    u.putFlag("Tips", o.Tips);
    u.putNumber("Infilter", o.Infilter);
    u.putFlag("Slowscroll", o.Slowscroll);
    u.putNumber("Scrollspeed", o.Scrollspeed);
    u.putNumber("Cursorthickness", o.Cursorthickness);
    u.putNumber("Cursortype", o.Cursortype);
    u.putNumber("Linewidth", o.Linewidth);
    u.putNumber("Curvedepth", o.Curvedepth);
    u.putFlag("Speedpanel", o.Speedpanel);
    // HintsOff is only read: the user sets it by hand.
    u.putFlag("CClef", o.CClef);
    u.putFlag("5styles", o.FiveStyles);
    u.putFlag("2Dot", o.TwoDot);
    u.putFlag("NaturalsInKeyChange", o.NaturalsInKeyChange);
    u.putFlag("Previewdetails", o.Previewdetails);
    u.putFlag("FastCPU", o.FastCPU);
    u.putFlag("Templates", o.Templates);
    u.putNumber("EditCursor", o.EditCursor);
    u.putNumber("Language", o.Language);
    return u;
}

// The description's padding is not written (reading pads it again), so the line
// stays readable and the list reads back the same. An entry holding a line break
// cannot be written and is left out.
SectionUpdate templateSection(const std::vector<std::string>& templates) {
    SectionUpdate u("Templates", true);
    std::size_t i = 0;
    for (const std::string& entry : templates) {
        if (i == MaxTemplates) break;
        if (hasLineBreak(entry)) continue;
        const std::string description = templateDescription(entry);
        u.put("Description" + twoDigits(i), std::string(ini::trim(description)));
        u.put("Filename" + twoDigits(i), templateFileName(entry));
        ++i;
    }
    return u;
}

// What writeConfiguration writes, section by section in the order of the file.
Sections configurationSections(const Settings& s) {
    SectionUpdate startup{"Startup"};
    startup.put("Directory", s.Directory);
    SectionUpdate defaults{"Defaults"};
    defaults.putNumber("Spacing", s.defaultSpacing); // LCL is only read
    SectionUpdate user{"User"};
    user.putNumber("Level", s.Level);
    user.putFlag("Tutorial", s.Tutorial);
    user.putNumber("Tutorbookmark", s.Tutorbookmark);
    return {startup,
            colourSection(s.colours),
            pageSection(s),
            defaults,
            defaultFontSection(s.defaultFont),
            favouritesSection(s.favourites),
            optionSection(s.options),
            user,
            templateSection(s.templates)};
}

Sections recentFileSections(const std::vector<std::string>& files) {
    SectionUpdate u("Files", true);
    long long n = 0;
    for (const std::string& name : files)
        if (!hasLineBreak(name)) u.put(std::to_string(++n), name);
    return {u};
}

Sections viewSections(const Settings& s) {
    SectionUpdate u{"Page"};
    u.putFlag("Pageview", s.Pageview);
    u.put("Zoom", std::to_string(s.Zoom));
    u.put("Zoomfit", std::to_string(s.Zoomfit));
    return {u};
}

} // namespace

std::string configFilePath() {
    if (const char* own = std::getenv("QUAVERLY_CONFIG"); own && *own) return own;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return (folder.isEmpty() ? QStringLiteral("quaverly/QUAVLY.INI") : folder + "/quaverly/QUAVLY.INI")
        .toStdString();
}

Settings readConfiguration(const std::string& path) {
    Settings s = settingsIn(Profile(readDocument(path)));
    // Background is only written: the main window sets its own at start-up.
    s.colours.Background = ColourSettings().Background;
    return s;
}

bool writeConfiguration(const std::string& path, const Settings& s) {
    return updateFile(path, configurationSections(s), configurationSections);
}

bool writeRecentFiles(const std::string& path, const std::vector<std::string>& files) {
    return updateFile(path, recentFileSections(files),
                      [](const Settings& found) { return recentFileSections(found.recentFiles); });
}

bool writeViewSettings(const std::string& path, const Settings& settings) {
    return updateFile(path, viewSections(settings), [](const Settings& found) { return viewSections(found); });
}

} // namespace qv
