#pragma once
// The temporary files a save makes beside its target. Their names are short and
// of one length whatever the target is called (so a target whose name is near the
// system's limit can still be saved), start with a mark that says they are ours,
// and carry the number of the process that made them, so that one left behind by
// a killed save can be told from one still being written and cleared later.

#include <string>

namespace qv {

// A new temporary file, open for writing.
struct TemporaryFile {
    int fd = -1;
    std::string path;
};

// Creates a new temporary file in `folder` with the given permission bits (the
// process's umask applies, as to any new file). On failure `fd` is -1 and errno
// tells why.
TemporaryFile createTemporaryIn(const std::string& folder, unsigned mode);

// True for a name of the form our temporary files have.
bool isTemporaryName(const std::string& fileName);

// Removes the temporary files of ours in `folder` whose process has ended: files
// with our mark, owned by this user, left by a save that never finished. Looks
// at a bounded number of folder entries; failures are ignored. Returns how many
// were removed.
int clearStaleTemporaries(const std::string& folder);

// The folder part of `path` ("." for a bare name).
std::string folderOf(const std::string& path);

} // namespace qv
