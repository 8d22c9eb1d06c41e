#pragma once
// The "Page setup" dialog's model: paper size, margins, gutter, header and footer
// as the user's text in inches or millimetres, facing pages and orientation, the
// largest page the printer holds, the printable area, and the check against the
// printer when the dialog closes with OK. The desktop shows it with widgets; tests
// drive it directly.

#include "model/pagegeometry.h"
#include "model/tpagedata.h"

#include <array>
#include <optional>
#include <string>

namespace qv {

struct Settings;
class Ui;

inline const char* const PageSetupTitle = "Page setup";
inline const char* const InvalidNumberMessage = "Box contains invalid numeric format";
inline const char* const LoadLargestQuestion =
    "\n\nShall I load the largest page size your printer will hold for ALL these details?";
inline const char* const SaveAnywayQuestion = "Save these values anyway?";
// Our own: what a score cannot hold is refused before the printer is asked.
inline const char* const PaperSizeRefusal =
    "The paper must be from %s to %s each way, and no more than %s on its shorter side.";
inline const char* const MarginsRefusal = "Margins, gutter, header and footer cannot be negative, and must "
                                          "leave at least %s of paper for the music each way.";

class PageSetupDialog {
  public:
    // The edit fields, in the order the dialog shows them.
    enum Field { Length, Width, Top, Bottom, Left, Right, Gutter, Header, Footer };
    static constexpr int FieldCount = 9;

    PageSetupDialog(const PageData& page, bool facing, DisplayUnit unit, Tpagedata& printer, Ui& ui);

    const std::string& text(Field f) const { return text_[f]; }
    void setText(Field f, const std::string& text) { text_[f] = text; }
    bool facing() const { return facing_; }
    void setFacing(bool on) { facing_ = on; }
    DisplayUnit unit() const { return unit_; }
    bool landscape() const { return landscape_; }

    // "Units": every field shown again in the other unit. A field that is not a
    // number refuses the switch with a message.
    bool setUnit(DisplayUnit unit);
    // "Orientation": width and length exchanged and the margins turned with the
    // sheet; refused like the unit switch.
    bool setLandscape(bool landscape);
    // "Large&st": the printer is read in the chosen orientation and the fields take
    // its largest page. False, with a message, when the printer cannot be read.
    bool largest();

    // The PRINTABLE AREA panel: the paper inside its margins and gutter, as the
    // unit shows it with its sign; empty while a field it needs is not a number.
    std::string printableWidth() const;
    std::string printableHeight() const;

    // OK: true when the dialog closes, with the values chosen (`page`, `facing`).
    bool accept();
    // Cancel: closes and changes nothing.
    void cancel() { open_ = false; }
    bool isOpen() const { return open_; }
    // After OK: the page data chosen.
    const PageData& page() const { return page_; }

  private:
    std::optional<double> read(int f) const;
    // All fields in inches; nothing while one of them is not a number.
    std::optional<std::array<double, FieldCount>> readAll() const;
    bool readAllOrComplain(std::array<double, FieldCount>& values);
    PageData pageOf(const std::array<double, FieldCount>& values) const;
    void show(const PageData& page);
    void show(int f, double inches);
    bool holdable(const PageData& page);
    void close(const PageData& page);

    PageData page_;
    bool facing_;
    DisplayUnit unit_;
    bool landscape_;
    Tpagedata& printer_;
    Ui& ui_;
    std::array<std::string, FieldCount> text_;
    // What each field showed last and the inches it stood for: a field left as it
    // was shown keeps its value exactly, whatever the unit rounded it to.
    std::array<std::string, FieldCount> shown_;
    std::array<double, FieldCount> inches_{};
    bool open_ = true;
};

// The dialog over the default page setup for new scores; true when OK changed it.
bool defaultPageSetup(Settings& settings, PrinterDevice* printer, Ui& ui);

} // namespace qv
