#pragma once
// quaverly-cli transpose: a score's staves moved by an interval and/or into
// another clef, saved as a new file; the same code the window's dialog runs.

#include <string>
#include <vector>

namespace qv::cli {

int runTranspose(const std::vector<std::string>& args, int& argc, char* argv[]);

} // namespace qv::cli
