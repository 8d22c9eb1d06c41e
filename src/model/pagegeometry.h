#pragma once
// Paper, margins and the page unit. Lengths on paper are inches (doubles); stave
// and object coordinates are page units, 32 to one stave size, one per screen pixel.

#include <optional>
#include <string>

namespace qv {

class Ui;

struct PageData {
    double Width = 8.25;  // paper width
    double Length = 11.0; // paper length
    double TopM = 0.5;
    double BotM = 0.5;
    double RightM = 0.5;
    double LeftM = 0.5;
    double GutM = 0.0;    // extra inner margin for binding
    double Header = 0.0;  // height kept below the top margin for the header
    double Footer = 0.0;  // height kept above the bottom margin for the footer
    bool landscape = false;

    bool operator==(const PageData&) const = default;
};

inline constexpr double MinStaveSize = 0.2; // inches
inline constexpr double MaxStaveSize = 0.6;

// Rounds to the nearest integer, halves to even.
int roundHalfEven(double v);

double pageUnitsPerInch(double stvSiz);
double toPageUnits(double inches, double stvSiz);
double fromPageUnits(double units, double stvSiz);

// The part of the page inside margins, gutter, header and footer, in page units.
int musicAreaWidth(const PageData& page, double stvSiz);
int musicAreaHeight(const PageData& page, double stvSiz);
// The paper inside its top and bottom margins, header and footer included: the
// height of a printed page and of the header/footer screen, in page units.
int printedHeight(const PageData& page, double stvSiz);

// Offset of the music area when the margins are shown on screen.
struct ScreenOffset {
    int x = 0;
    int y = 0;
};
ScreenOffset marginOffset(const PageData& page, double stvSiz, bool marginsShown);

// Turns the sheet: Width and Length swap and the margins go round with it.
void toLandscape(PageData& page);
void toPortrait(PageData& page);

// The fallback used when no printer can be reached, and its message.
PageData fallbackPage();
inline const char* const NoPrinterMessage =
    "I am unable to contact your printer. I have assumed page size of 8.25\" x 11\" with 0.5\" margins";

// Display units for lengths shown to and typed by the user.
enum class DisplayUnit { Inches, Millimetres };
double unitFactor(DisplayUnit unit); // inches per display unit
std::string formatStaveSize(double stvSiz, DisplayUnit unit);

// Lengths on paper as the user sees them: inches with 3 decimals, or millimetres
// (inches x 25.4) with 1 decimal; no unit sign.
inline constexpr double MillimetresPerInch = 25.4;
std::string formatPaperLength(double inches, DisplayUnit unit);
// A length typed in the unit, in inches.
double paperLengthInches(double value, DisplayUnit unit);

// A whole string read as one finite number; blanks around it are allowed.
std::optional<double> parseNumber(const std::string& text);
// Reads a number or a fraction "n/d"; nothing when it cannot be read.
std::optional<double> parseStaveSizeEntry(const std::string& text);

// Asks "Set stave height" until a readable answer or Cancel; returns the new
// stave size in inches, or nothing when cancelled.
inline const char* const BadNumberMessage = "Bad number format. Please try again.";
std::optional<double> askStaveSize(Ui& ui, double current, DisplayUnit unit);

} // namespace qv
