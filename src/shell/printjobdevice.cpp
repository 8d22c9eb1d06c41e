#include "shell/printjobdevice.h"

namespace qv {

void QPrinterPrintDevice::abort() {
    // The spooler drops what it has been sent of the job; the painter then ends.
    printer_.abort();
    PagedPrintDevice::abort();
}

} // namespace qv
