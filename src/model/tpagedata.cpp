#include "model/tpagedata.h"

namespace qv {

bool Tpagedata::refresh() {
    if (!printer_) {
        resX_ = resY_ = 300;
        physWidth_ = 2400;
        physLength_ = 3300;
        offsetLeft_ = offsetTop_ = 180;
        unprintRight_ = unprintBottom_ = 180;
        landscape_ = false;
        return true;
    }
    printer_->setLandscape(landscape_);
    const auto phys = printer_->physicalSize();
    if (!phys) return false;
    resX_ = printer_->resolutionX();
    resY_ = printer_->resolutionY();
    physWidth_ = phys->width;
    physLength_ = phys->height;
    const auto offset = printer_->printingOffset();
    const auto printable = printer_->printableSize();
    offsetLeft_ = offset.width;
    offsetTop_ = offset.height;
    unprintRight_ = physWidth_ - printable.width - offsetLeft_;
    unprintBottom_ = physLength_ - printable.height - offsetTop_;
    landscape_ = printer_->landscape();
    return true;
}

bool Tpagedata::setLandscape(bool on) {
    landscape_ = on;
    return refresh();
}

std::int32_t Tpagedata::dots(PageValue index) const {
    switch (index) {
    case PageValue::PhysicalWidth: return physWidth_;
    case PageValue::PhysicalLength: return physLength_;
    case PageValue::TopOffset: return offsetTop_;
    case PageValue::LeftOffset: return offsetLeft_;
    case PageValue::UnprintableRight: return unprintRight_;
    case PageValue::UnprintableBottom: return unprintBottom_;
    }
    return 0;
}

double Tpagedata::value(PageValue index, PageUnit unit) const {
    const bool across = index == PageValue::PhysicalWidth || index == PageValue::LeftOffset ||
                        index == PageValue::UnprintableRight;
    const double res = across ? resX_ : resY_;
    const double d = dots(index);
    if (res <= 0) return 0.0; // a printer that reports no resolution has no measurable page
    switch (unit) {
    case PageUnit::Millimetres: return d * 25.4 / res;
    case PageUnit::Inches: return roundHalfEven(d * 1000.0 / res) * 0.001;
    case PageUnit::Dots: return d;
    }
    return d;
}

PageData pageFromPrinter(const Tpagedata& t, const PageData& base) {
    PageData p = base;
    p.Width = t.value(PageValue::PhysicalWidth, PageUnit::Inches);
    p.Length = t.value(PageValue::PhysicalLength, PageUnit::Inches);
    p.TopM = t.value(PageValue::TopOffset, PageUnit::Inches);
    p.BotM = t.value(PageValue::UnprintableBottom, PageUnit::Inches);
    p.RightM = t.value(PageValue::UnprintableRight, PageUnit::Inches);
    p.LeftM = t.value(PageValue::LeftOffset, PageUnit::Inches);
    p.GutM = 0.0;
    return p;
}

} // namespace qv
