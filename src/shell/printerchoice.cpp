#include "shell/printerchoice.h"

#include "shell/qtprinter.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace qv {

PrinterChoice::PrinterChoice() = default;
PrinterChoice::~PrinterChoice() = default;

void PrinterChoice::lookOnce() {
    if (looked_) return;
    looked_ = true;
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> installed = QPrinterInfo::availablePrinters();
        if (installed.isEmpty()) return;
        info = installed.front();
    }
    choose(std::make_unique<QPrinter>(info, QPrinter::HighResolution));
}

QPrinter* PrinterChoice::printer() {
    lookOnce();
    return printer_.get();
}

PrinterDevice* PrinterChoice::device() {
    lookOnce();
    return device_.get();
}

void PrinterChoice::choose(std::unique_ptr<QPrinter> printer) {
    looked_ = true;
    device_.reset();
    printer_ = std::move(printer);
    if (printer_) device_ = std::make_unique<QtPrinterDevice>(*printer_);
}

} // namespace qv
