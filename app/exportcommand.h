#pragma once
// quaverly-cli export: every page of a score (or a range) as a PDF through the
// print run, or as pictures of the print image; or the whole score as MusicXML.

#include <string>
#include <vector>

namespace qv::cli {

int runExport(const std::vector<std::string>& args, int& argc, char* argv[]);

} // namespace qv::cli
