#pragma once
// Importing a MusicXML file, uncompressed (.musicxml, .xml) or compressed
// (.mxl), as a new score: read, planned, laid out with our own spacing in systems
// filled to the right margin and justified, and paginated, so that what comes out
// is an ordinary score to go on editing.
//
// A file that cannot be imported is refused with one message through the Ui and
// nothing is returned. What could not be represented is listed in one message
// after an import that succeeded.

#include "model/score.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class Ui;

struct ImportOptions {
    PageData page;              // the page when the file gives none
    double staveSize = 1.0 / 3.0; // inches, when the file gives none
    int spacing = 3;            // the grade tried first
};

inline const char* const ImportFailedMessage = "Cannot import %s: ";
inline const char* const SimplifiedMessage = "The MusicXML file was imported with these simplifications:";

std::optional<Score> importMusicXml(const std::string& path, Ui& ui, const ImportOptions& options = {});
// The same from the file's bytes; `name` is what messages call the file.
std::optional<Score> importMusicXmlBytes(const std::vector<std::uint8_t>& bytes, const std::string& name, Ui& ui,
                                         const ImportOptions& options = {});

} // namespace qv
