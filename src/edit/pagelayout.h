#pragma once
// "Page &Layout...": the page setup dialog over the score's page data. A change
// of the music area is carried to the staves: a wider one may widen them, a
// narrower one narrows them (or, refused, puts the old page back), and the score
// is laid out on its pages again.

#include "edit/setmode.h"

namespace qv {

class PrinterDevice;

// `printer` is the selected printer, null when none is installed.
void pageLayout(EditSession& session, PrinterDevice* printer);

} // namespace qv
