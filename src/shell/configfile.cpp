#include "shell/configfile.h"

#include "files/fileio.h"
#include "model/pagegeometry.h"

#include <QStandardPaths>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

// QSettings is not used: with Qt 6 it writes booleans as true/false, quotes values
// holding commas and reads them back as lists, escapes backslashes, sorts keys,
// matches key names by case and drops comments. The file must stay in the plain
// profile form other tools (and the user's editor) expect, so it is read and
// written here line by line.

namespace qv {

namespace {

// ---- The file as lines -------------------------------------------------------

std::string_view trim(std::string_view s) {
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && space(s.front())) s.remove_prefix(1);
    while (!s.empty() && space(s.back())) s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool sameName(std::string_view a, std::string_view b) { return lower(a) == lower(b); }

// The name of a `[Section]` line.
std::optional<std::string> sectionName(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return std::string(trim(line.substr(1, close - 1)));
}

// The key of a `Key=Value` line; comments and lines without '=' have none.
std::optional<std::string> keyOf(std::string_view line) {
    line = trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '[') return std::nullopt;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return std::string(trim(line.substr(0, eq)));
}

struct IniSection {
    std::string name;   // empty for the lines before the first section
    std::string header; // the `[Section]` line as found
    std::vector<std::string> lines;
};

// The file's lines grouped by section, kept as found so that writing can put back
// everything this program does not own.
using IniDocument = std::vector<IniSection>;

IniDocument parseDocument(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    IniDocument doc(1);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (auto name = sectionName(line)) doc.push_back({*name, std::string(line), {}});
        else doc.back().lines.emplace_back(line);
    }
    return doc;
}

std::string serialise(const IniDocument& doc) {
    std::string out;
    for (const IniSection& s : doc) {
        if (!s.header.empty()) out += s.header + '\n';
        for (const std::string& line : s.lines) out += line + '\n';
    }
    return out;
}

// ---- Reading -----------------------------------------------------------------

// The values of a file by lower-cased section and key; the first of duplicates wins,
// also across repeated sections.
class Profile {
public:
    explicit Profile(const IniDocument& doc) {
        for (const IniSection& s : doc) {
            if (s.header.empty()) continue;
            auto& keys = values_[lower(s.name)];
            for (const std::string& line : s.lines) {
                const auto key = keyOf(line);
                if (!key) continue;
                const std::string_view value = trim(std::string_view(line).substr(line.find('=') + 1));
                keys.emplace(lower(*key), std::string(value));
            }
        }
    }

    std::optional<std::string> raw(std::string_view section, std::string_view key) const {
        const auto s = values_.find(lower(section));
        if (s == values_.end()) return std::nullopt;
        const auto k = s->second.find(lower(key));
        if (k == s->second.end()) return std::nullopt;
        return k->second;
    }

    std::string text(std::string_view section, std::string_view key, const std::string& fallback) const {
        return raw(section, key).value_or(fallback);
    }

    int integer(std::string_view section, std::string_view key, int fallback) const {
        return number<int>(section, key).value_or(fallback);
    }

    int clamped(std::string_view section, std::string_view key, int fallback, int lo, int hi) const {
        return std::clamp(integer(section, key, fallback), lo, hi);
    }

    bool boolean(std::string_view section, std::string_view key, bool fallback) const {
        const auto v = number<long long>(section, key);
        return v ? *v != 0 : fallback;
    }

    std::uint32_t colour(std::string_view section, std::string_view key, std::uint32_t fallback) const {
        return number<std::uint32_t>(section, key).value_or(fallback);
    }

private:
    // A decimal integer filling the whole value, in range for T.
    template <typename T>
    std::optional<T> number(std::string_view section, std::string_view key) const {
        const auto value = raw(section, key);
        if (!value || value->empty()) return std::nullopt;
        const char* first = value->data();
        const char* last = first + value->size();
        if (*first == '+') ++first;
        T result{};
        const auto [ptr, ec] = std::from_chars(first, last, result);
        if (ec != std::errc() || ptr != last) return std::nullopt;
        return result;
    }

    std::map<std::string, std::map<std::string, std::string>> values_;
};

// A length kept in thousandths of an inch. Divided rather than multiplied by 0.001
// so that 8270 gives exactly the double nearest 8.27 and values survive a round trip.
double inches(const Profile& p, std::string_view key, double fallback, int lo = std::numeric_limits<int>::min(),
              int hi = std::numeric_limits<int>::max()) {
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
int fontSize(int size) { return size <= 0 ? 0 : std::clamp(size, 4, 100); }

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
    // Background is only written: the main window sets its own at start-up.
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

std::string twoDigits(std::size_t i) { return std::string{char('0' + i / 10), char('0' + i % 10)}; }

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

// ---- Writing -----------------------------------------------------------------

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// The keys and values one call writes into a section, and which of the file's
// keys in that section they replace.
struct SectionUpdate {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
    std::set<std::string> owned; // lower-cased; unused with `wholeSection`
    bool wholeSection = false;   // erase every line of the section first

    explicit SectionUpdate(std::string section, bool whole = false) : name(std::move(section)), wholeSection(whole) {}

    void put(const std::string& key, std::string value) {
        // A line break would end the line and could start a forged section.
        std::replace_if(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        owned.insert(lower(key));
        entries.emplace_back(key, std::move(value));
    }
    void putNumber(const std::string& key, long long value) { put(key, std::to_string(value)); }
    void putFlag(const std::string& key, bool value) { put(key, value ? "1" : "0"); }
    void putInches(const std::string& key, double value) { putNumber(key, roundHalfEven(value * 1000.0)); }
};

bool isOwned(const std::string& line, const SectionUpdate& update) {
    if (update.wholeSection) return !trim(line).empty(); // the blank separator stays
    const auto key = keyOf(line);
    return key && update.owned.count(lower(*key)) != 0;
}

// Removes the owned lines and returns where the first of them stood, so that a
// rewritten key keeps its place; with none, the place after the last line that is
// not blank.
std::size_t removeOwned(IniSection& section, const SectionUpdate& update) {
    std::size_t at = std::string::npos;
    std::vector<std::string> kept;
    for (std::string& line : section.lines) {
        if (!isOwned(line, update)) kept.push_back(std::move(line));
        else if (at == std::string::npos) at = kept.size();
    }
    section.lines = std::move(kept);
    if (at != std::string::npos) return at;
    at = section.lines.size();
    while (at > 0 && trim(section.lines[at - 1]).empty()) --at;
    return at;
}

// Puts the update's entries into the first section of that name (every later one
// only loses the keys owned), or appends the section when there is none.
void apply(IniDocument& doc, const SectionUpdate& update) {
    IniSection* first = nullptr;
    std::size_t at = 0;
    for (IniSection& s : doc) {
        if (s.header.empty() || !sameName(s.name, update.name)) continue;
        const std::size_t place = removeOwned(s, update);
        if (!first) {
            first = &s;
            at = place;
        }
    }
    if (!first) {
        IniSection& last = doc.back();
        const bool separated = last.lines.empty() ? last.header.empty() : trim(last.lines.back()).empty();
        if (!separated) last.lines.emplace_back();
        first = &doc.emplace_back(IniSection{update.name, "[" + update.name + "]", {}});
        first->lines.emplace_back(); // the blank line before the next section
    }
    std::vector<std::string> lines;
    for (const auto& [key, value] : update.entries) lines.push_back(key + "=" + value);
    first->lines.insert(first->lines.begin() + static_cast<std::ptrdiff_t>(at), lines.begin(), lines.end());
}

// Reads the file as it is (nothing when missing), applies the updates and writes
// it back in one piece.
bool updateFile(const std::string& givenPath, const std::vector<SectionUpdate>& updates) {
    // A file kept as a link (to a folder of dotfiles, say) is written where it points,
    // not replaced by a plain file.
    std::error_code linkError;
    const bool link = std::filesystem::symlink_status(givenPath, linkError).type() ==
                      std::filesystem::file_type::symlink;
    linkError.clear();
    const std::string path = link ? std::filesystem::weakly_canonical(givenPath, linkError).string() : givenPath;
    if (linkError) return false;
    int error = 0;
    const auto bytes = readFileBytes(path, &error);
    if (!bytes && error != ENOENT) return false; // would lose whatever it holds
    IniDocument doc = parseDocument(
        bytes ? std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()) : std::string_view());
    for (const SectionUpdate& u : updates) apply(doc, u);

    std::error_code ec;
    const auto folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    if (ec) return false;
    const std::string text = serialise(doc);
    return writeFileAtomically(path, std::vector<std::uint8_t>(text.begin(), text.end())).ok();
}

SectionUpdate colourSection(const ColourSettings& c) {
    SectionUpdate u{"Colours"};
    const std::pair<const char*, std::uint32_t> colours[] = {
        {"Ink", c.Ink},       {"Nonprinting", c.Nonprinting},     {"Putative", c.Putative},
        {"Line", c.Line},     {"Erase", c.Erase},                 {"Anchor", c.Anchor},
        {"Edit", c.Edit},     {"Cursor", c.Cursor},               {"Block", c.Block},
        {"Marked", c.Marked}, {"Background", c.Background},       {"UniversalText", c.UniversalText},
        {"Strings", c.Strings}, {"Defaultform", c.Defaultform}};
    for (const auto& [key, value] : colours) u.putNumber(key, value);
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
        for (const char* key : {"Name", "Size", "Style"}) u.owned.insert(lower(key + n));
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
        u.put("Description" + twoDigits(i), std::string(trim(description)));
        u.put("Filename" + twoDigits(i), templateFileName(entry));
        ++i;
    }
    return u;
}

} // namespace

std::string configFilePath() {
    if (const char* own = std::getenv("QUAVERLY_CONFIG"); own && *own) return own;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return (folder.isEmpty() ? QStringLiteral("quaverly/QUAVLY.INI") : folder + "/quaverly/QUAVLY.INI")
        .toStdString();
}

Settings readConfiguration(const std::string& path) {
    const auto bytes = readFileBytes(path);
    const IniDocument doc = parseDocument(
        bytes ? std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()) : std::string_view());
    const Profile p(doc);
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

bool writeConfiguration(const std::string& path, const Settings& s) {
    SectionUpdate startup{"Startup"};
    startup.put("Directory", s.Directory);
    SectionUpdate defaults{"Defaults"};
    defaults.putNumber("Spacing", s.defaultSpacing); // LCL is only read
    SectionUpdate user{"User"};
    user.putNumber("Level", s.Level);
    user.putFlag("Tutorial", s.Tutorial);
    user.putNumber("Tutorbookmark", s.Tutorbookmark);
    return updateFile(path, {startup, colourSection(s.colours), pageSection(s), defaults,
                             defaultFontSection(s.defaultFont), favouritesSection(s.favourites),
                             optionSection(s.options), user, templateSection(s.templates)});
}

bool writeRecentFiles(const std::string& path, const std::vector<std::string>& files) {
    SectionUpdate u("Files", true);
    long long n = 0;
    for (const std::string& name : files)
        if (!hasLineBreak(name)) u.put(std::to_string(++n), name);
    return updateFile(path, {u});
}

bool writePageview(const std::string& path, bool pageview) {
    SectionUpdate u{"Page"};
    u.putFlag("Pageview", pageview);
    return updateFile(path, {u});
}

} // namespace qv
