#pragma once
// quaverly-cli import: a MusicXML file (.musicxml, .xml or .mxl) laid out as a
// score and saved as a score file; the same import the File menu runs.

#include <string>
#include <vector>

namespace qv::cli {

int runImport(const std::vector<std::string>& args, int& argc, char* argv[]);

} // namespace qv::cli
