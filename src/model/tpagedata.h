#pragma once
// What the current printer can do: resolution, sheet size and the strips it cannot
// print. The printing layer supplies a PrinterDevice; without one the standard
// no-printer values stand in.

#include "model/pagegeometry.h"

#include <cstdint>
#include <optional>

namespace qv {

// The queries a printer answers, in dots. Implemented by the printing layer.
class PrinterDevice {
  public:
    virtual ~PrinterDevice() = default;
    virtual void setLandscape(bool landscape) = 0;
    virtual bool landscape() const = 0;
    virtual int resolutionX() const = 0;
    virtual int resolutionY() const = 0;
    struct Size {
        std::int32_t width = 0;
        std::int32_t height = 0;
    };
    // Nothing when the printer refuses the query.
    virtual std::optional<Size> physicalSize() const = 0;
    virtual Size printingOffset() const = 0;
    virtual Size printableSize() const = 0;
};

enum class PageValue { PhysicalWidth = 0, PhysicalLength, TopOffset, LeftOffset, UnprintableRight, UnprintableBottom };
enum class PageUnit { Millimetres = 0, Inches = 1, Dots = 2 };

class Tpagedata {
  public:
    explicit Tpagedata(PrinterDevice* printer = nullptr) : printer_(printer) {}

    // Reads the printer's capacities; false (other fields unchanged) when the printer
    // refuses the page-size query. Without a printer the standard values are used.
    bool refresh();

    double value(PageValue index, PageUnit unit) const;
    int resolutionX() const { return resX_; }
    int resolutionY() const { return resY_; }
    bool landscape() const { return landscape_; }
    // Stores the orientation, sets it on the printer and reads the printer again;
    // the result of that reading.
    bool setLandscape(bool on);
    bool hasPrinter() const { return printer_ != nullptr; }

  private:
    std::int32_t dots(PageValue index) const;

    PrinterDevice* printer_;
    std::int32_t resX_ = 300, resY_ = 300;
    std::int32_t physWidth_ = 2400, physLength_ = 3300;
    std::int32_t offsetLeft_ = 180, offsetTop_ = 180;
    std::int32_t unprintRight_ = 180, unprintBottom_ = 180;
    bool landscape_ = false;
};

// The page the printer offers: its sheet and unprintable strips, no gutter.
PageData pageFromPrinter(const Tpagedata& printer, const PageData& base);

} // namespace qv
