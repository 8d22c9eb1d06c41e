#pragma once
// The desktop settings every layer reads: colours, the default page setup, the
// default and favourite fonts, options, the user's level, the recent files and the
// template list. The configuration file fills them at start-up and keeps them.

#include "model/fonttable.h"
#include "model/pagegeometry.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

struct ColourSettings {
    std::uint32_t Ink = 0x000000;
    std::uint32_t Nonprinting = 0xFF00FF;
    std::uint32_t Putative = 0xC0C0C0;
    std::uint32_t Line = 0x008000;
    std::uint32_t Erase = 0x00FFFF;
    std::uint32_t Anchor = 0x808080;
    std::uint32_t Edit = 0x0000FF;
    std::uint32_t Cursor = 0xFF0000;
    std::uint32_t Block = 0x80FF00;
    std::uint32_t Marked = 0xFF0000;
    std::uint32_t Background = 0x808000; // only written
    std::uint32_t UniversalText = 0xFF00FF;
    std::uint32_t Strings = 0xFF00FF;
    std::uint32_t Defaultform = 0xC0DCC0;
    bool operator==(const ColourSettings&) const = default;
};

// A font of the default or favourite slots: the style as letters (B, I, U, S).
struct NamedFont {
    std::string name;
    int size = 0; // 0: an empty favourite slot
    std::string style;
    bool operator==(const NamedFont&) const = default;
};

struct OptionSettings {
    int Undo = 100;
    bool Units = true; // inches; false: millimetres
    bool Sound = true;
    bool Scrollbars = false;
    bool Tips = true;
    int Infilter = 2;
    bool Slowscroll = true;
    int Scrollspeed = 5;
    int Cursorthickness = 1;
    int Cursortype = 0;
    int Linewidth = 1;
    int Curvedepth = 2;
    bool Speedpanel = true;
    bool HintsOff = false; // only read
    bool CClef = true;
    bool FiveStyles = true; // key "5styles"
    bool TwoDot = true;     // key "2Dot"
    bool NaturalsInKeyChange = true;
    bool Previewdetails = false;
    bool FastCPU = false;
    bool Templates = true;
    int EditCursor = 6;
    int Language = 0; // 0 British names, 1 American
    bool operator==(const OptionSettings&) const = default;
};

// One template: its description padded or cut to 80 characters, then its file name.
inline constexpr std::size_t TemplateDescriptionWidth = 80;
inline constexpr std::size_t MaxTemplates = 100;

struct Settings {
    std::string Directory; // last directory of the open and save dialogs
    ColourSettings colours;
    PageData defaultPage;              // lengths in inches
    double defaultStaveSize = 0.333;   // inches
    bool defaultFacing = false;
    int defaultSpacing = 3;
    int LCL = 80; // only read
    NamedFont defaultFont{"Times New Roman", 12, ""};
    std::array<NamedFont, 6> favourites{};
    OptionSettings options;
    int Level = 1;
    bool Tutorial = false;
    int Tutorbookmark = 0;
    std::vector<std::string> recentFiles; // most recent first
    std::vector<std::string> templates;   // sorted entries: description (80) + file name
    bool Pageview = false;                 // the score window's own key
    int Zoom = 100;                        // the score window's page zoom, per cent
    int Zoomfit = 0;                       // 0 the zoom as set, 1 fitted to the width, 2 to the page
    bool operator==(const Settings&) const = default;

    Settings();
};

// The unit lengths are shown and typed in, by the "Units" option.
inline DisplayUnit displayUnit(const Settings& s) {
    return s.options.Units ? DisplayUnit::Inches : DisplayUnit::Millimetres;
}

// The template list entry for a description and a file name, and its two parts.
std::string templateEntry(const std::string& description, const std::string& fileName);
std::string templateDescription(const std::string& entry); // trailing spaces kept
std::string templateFileName(const std::string& entry);

} // namespace qv
