#pragma once
// quaverly-cli info: the figures of the score information window as plain text, a
// page at a time, one "label value" line each, for scripts.

#include <string>
#include <vector>

namespace qv::cli {

int runInfo(const std::vector<std::string>& args, int& argc, char* argv[]);

} // namespace qv::cli
