#pragma once
// A printer for tests: an upright sheet and its unprintable strips given in
// inches, answered in dots at the resolution chosen.

#include "model/pagegeometry.h"
#include "model/tpagedata.h"

namespace qv::test {

class FakePrinter : public PrinterDevice {
  public:
    FakePrinter(double width, double length, double edge, int resolution = 1000)
        : res(resolution), sheet{dots(width), dots(length)}, left(dots(edge)), top(left), right(left),
          bottom(left) {}
    int dots(double inches) const { return roundHalfEven(inches * res); }

    int res;
    Size sheet;
    int left, top, right, bottom;
    bool refuse = false; // the printer does not answer
    bool land = false;   // the orientation set on it

    void setLandscape(bool l) override { land = l; }
    bool landscape() const override { return land; }
    int resolutionX() const override { return res; }
    int resolutionY() const override { return res; }
    std::optional<Size> physicalSize() const override {
        if (refuse) return std::nullopt;
        return sheet;
    }
    Size printingOffset() const override { return {left, top}; }
    Size printableSize() const override { return {sheet.width - left - right, sheet.height - top - bottom}; }
};

} // namespace qv::test
