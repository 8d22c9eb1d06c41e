#pragma once
// Reading a NoteWorthy 2 file. Its records are 22 bytes like ours, but it has a
// version of 300 or less, no magic, no page or font records, no header/footer stave
// record, horizontal units of 1/0.768 page unit and vertical distances from the
// stave of 3/4 page unit. It is translated while it is read and then finished by
// the pass of files/noteworthypass.h, so that what comes out is an ordinary score
// that saves in our own format.

#include "files/scorefileread.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

class PrinterDevice;
class Score;
class Ui;

inline const char* const TranslatingWithPrinter =
    "Translating from NoteWorthy 2.\n\nThe page size will be defined as the largest which your current "
    "printer can handle.\n\nChange this if you wish by Page | Page Layout";
inline const char* const TranslatingWithoutPrinter =
    "Translating from NoteWorthy 2.\n\nHowever, while trying to access your current printer page capacities "
    "an error occurred, so the page size has been set to your default values.";

// Reads and translates the file's bytes into `out`, replacing it only on success.
// The page is the printer's whole sheet when `printer` answers, else the fallback
// page. A damaged file (too few records, counts or indexes out of bounds) is
// refused through the result and nothing is shown; an accepted one shows the page
// messages first, then any recoveries, through `ui`.
ReadResult readNoteWorthy(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                          PrinterDevice* printer, Ui& ui, Score& out);

} // namespace qv
