#include "print/pagesetup.h"

#include "model/bounds.h"
#include "model/settings.h"
#include "model/ui.h"
#include "print/printerlimits.h"

namespace qv {

namespace {

using F = PageSetupDialog::Field;

// Where each field keeps its value in the page data.
double PageData::*const FieldMembers[PageSetupDialog::FieldCount] = {
    &PageData::Length, &PageData::Width, &PageData::TopM,   &PageData::BotM,  &PageData::LeftM,
    &PageData::RightM, &PageData::GutM,  &PageData::Header, &PageData::Footer};

std::string withSign(double inches, DisplayUnit unit) {
    return formatPaperLength(inches, unit) + (unit == DisplayUnit::Inches ? "\"" : "mm");
}

} // namespace

PageSetupDialog::PageSetupDialog(const PageData& page, bool facing, DisplayUnit unit, Tpagedata& printer,
                                 Ui& ui)
    : page_(page), facing_(facing), unit_(unit), landscape_(page.landscape), printer_(printer), ui_(ui) {
    show(page);
}

void PageSetupDialog::show(int f, double inches) {
    inches_[f] = inches;
    shown_[f] = formatPaperLength(inches, unit_);
    text_[f] = shown_[f];
}

void PageSetupDialog::show(const PageData& page) {
    for (int f = 0; f < FieldCount; ++f)
        show(f, page.*FieldMembers[f]);
}

std::optional<double> PageSetupDialog::read(int f) const {
    if (text_[f] == shown_[f]) return inches_[f];
    const auto typed = parseNumber(text_[f]);
    if (!typed) return std::nullopt;
    return paperLengthInches(*typed, unit_);
}

std::optional<std::array<double, PageSetupDialog::FieldCount>> PageSetupDialog::readAll() const {
    std::array<double, FieldCount> values{};
    for (int f = 0; f < FieldCount; ++f) {
        const auto v = read(f);
        if (!v) return std::nullopt;
        values[f] = *v;
    }
    return values;
}

bool PageSetupDialog::readAllOrComplain(std::array<double, FieldCount>& values) {
    const auto all = readAll();
    if (!all) {
        showError(ui_, InvalidNumberMessage);
        return false;
    }
    values = *all;
    return true;
}

PageData PageSetupDialog::pageOf(const std::array<double, FieldCount>& values) const {
    PageData p = page_;
    for (int f = 0; f < FieldCount; ++f)
        p.*FieldMembers[f] = values[f];
    p.landscape = landscape_;
    return p;
}

bool PageSetupDialog::setUnit(DisplayUnit unit) {
    if (unit == unit_) return true;
    std::array<double, FieldCount> values;
    if (!readAllOrComplain(values)) return false;
    unit_ = unit;
    for (int f = 0; f < FieldCount; ++f)
        show(f, values[f]);
    return true;
}

bool PageSetupDialog::setLandscape(bool landscape) {
    if (landscape == landscape_) return true;
    std::array<double, FieldCount> values;
    if (!readAllOrComplain(values)) return false;
    PageData p = pageOf(values);
    landscape ? toLandscape(p) : toPortrait(p);
    landscape_ = landscape;
    show(p);
    return true;
}

bool PageSetupDialog::largest() {
    if (!printer_.setLandscape(landscape_)) {
        showError(ui_, PrinterProblemMessage);
        return false;
    }
    PageData base = page_;
    base.landscape = landscape_;
    show(largestPage(printer_, base));
    return true;
}

std::string PageSetupDialog::printableWidth() const {
    const auto all = readAll();
    if (!all) return {};
    const auto& v = *all;
    return withSign(v[F::Width] - v[F::Left] - v[F::Right] - v[F::Gutter], unit_);
}

std::string PageSetupDialog::printableHeight() const {
    const auto all = readAll();
    if (!all) return {};
    const auto& v = *all;
    return withSign(v[F::Length] - v[F::Top] - v[F::Bottom], unit_);
}

// Paper and margins the score can keep, draw and save; what cannot be is refused
// before the printer is asked about it.
bool PageSetupDialog::holdable(const PageData& page) {
    PageData probe = page;
    if (boundPaper(probe)) {
        std::string text = formatMessage(PaperSizeRefusal, withSign(MinPaperSide, unit_));
        text = formatMessage(text, withSign(MaxPaperSide, unit_));
        showError(ui_, formatMessage(text, withSign(MaxPaperShortSide, unit_)));
        return false;
    }
    bool negative = false;
    for (int f = F::Top; f < FieldCount; ++f)
        negative = negative || page.*FieldMembers[f] < 0.0;
    if (negative || boundMargins(probe)) {
        showError(ui_, formatMessage(MarginsRefusal, withSign(MinMusicArea, unit_)));
        return false;
    }
    return true;
}

void PageSetupDialog::close(const PageData& page) {
    page_ = page;
    open_ = false;
}

bool PageSetupDialog::accept() {
    std::array<double, FieldCount> values;
    if (!readAllOrComplain(values)) return false;
    const PageData chosen = pageOf(values);
    if (!holdable(chosen)) return false;
    // A printer that cannot be read has nothing to hold the values against: they
    // are kept rather than the dialog left with no way to close it.
    if (!printer_.setLandscape(landscape_)) {
        showError(ui_, PrinterProblemMessage);
        close(chosen);
        return true;
    }
    const LimitLines lines = compareWithPrinter(chosen, printer_, unit_);
    if (lines.within()) {
        close(chosen);
        return true;
    }
    if (ui_.message(MessageType::Confirmation, lines.all() + LoadLargestQuestion, ButtonYes | ButtonNo) ==
        ButtonYes) {
        const PageData largest = largestPage(printer_, chosen);
        if (!holdable(largest)) return false;
        close(largest);
        return true;
    }
    if (ui_.message(MessageType::Confirmation, SaveAnywayQuestion, ButtonOk | ButtonCancel) != ButtonOk)
        return false;
    close(chosen);
    return true;
}

bool defaultPageSetup(Settings& settings, PrinterDevice* printer, Ui& ui) {
    Tpagedata capacities(printer);
    PageSetupDialog dialog(settings.defaultPage, settings.defaultFacing, displayUnit(settings), capacities,
                           ui);
    if (!ui.runPageSetup(dialog) || dialog.isOpen()) return false;
    if (dialog.page() == settings.defaultPage && dialog.facing() == settings.defaultFacing) return false;
    settings.defaultPage = dialog.page();
    settings.defaultFacing = dialog.facing();
    return true;
}

} // namespace qv
