#pragma once
// The recent-files list of the File menu: at most nine names, most recent first.

#include <string>
#include <vector>

namespace qv {

// Puts `name` first: nothing changes when it is first already; an equal entry
// further down moves up; the list keeps at most nine names.
void addRecentFile(std::vector<std::string>& files, const std::string& name);
// Strikes `name` off the list; the others keep their order.
void removeRecentFile(std::vector<std::string>& files, const std::string& name);

// The parameters of the command line joined with single spaces into one file name,
// so that a name with spaces given unquoted still opens.
std::string joinedFileName(const std::vector<std::string>& parameters);

} // namespace qv
