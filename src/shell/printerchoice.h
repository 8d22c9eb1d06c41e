#pragma once
// The printer the whole window prints on: the system's default printer (or the
// first one installed), none when no printer is installed. It is looked for when
// first wanted. The page setup and the printer checks read it through its
// PrinterDevice; printing and the printer setup use the QPrinter itself, so that a
// printer chosen or set up there is the one the checks read.

#include <memory>

class QPrinter;

namespace qv {

class PrinterDevice;
class QtPrinterDevice;

class PrinterChoice {
  public:
    PrinterChoice();
    ~PrinterChoice();
    PrinterChoice(const PrinterChoice&) = delete;
    PrinterChoice& operator=(const PrinterChoice&) = delete;

    // Null when no printer is installed.
    QPrinter* printer();
    PrinterDevice* device();
    // Another printer becomes the selected one (null: none).
    void choose(std::unique_ptr<QPrinter> printer);

  private:
    void lookOnce();

    bool looked_ = false;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QtPrinterDevice> device_;
};

} // namespace qv
