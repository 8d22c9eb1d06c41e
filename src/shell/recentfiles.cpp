#include "shell/recentfiles.h"

#include "shell/configfile.h"

#include <algorithm>

namespace qv {

void addRecentFile(std::vector<std::string>& files, const std::string& name) {
    if (name.empty() || (!files.empty() && files.front() == name)) return;
    files.erase(std::remove(files.begin(), files.end(), name), files.end());
    files.insert(files.begin(), name);
    if (files.size() > MaxRecentFiles) files.resize(MaxRecentFiles);
}

void removeRecentFile(std::vector<std::string>& files, const std::string& name) {
    files.erase(std::remove(files.begin(), files.end(), name), files.end());
}

std::string joinedFileName(const std::vector<std::string>& parameters) {
    std::string name;
    for (const std::string& p : parameters) {
        if (!name.empty()) name += ' ';
        name += p;
    }
    return name;
}

} // namespace qv
