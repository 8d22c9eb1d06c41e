#pragma once
// A fresh folder of the test's own under the system's temporary folder, removed
// with everything in it when the test ends; and a way to run a piece of a test as
// an ordinary user, for the rules that only bite when permissions do.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv::test {

class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string at(const std::string& name) const { return path_ + "/" + name; }
    // The names in the folder, sorted.
    std::vector<std::string> names() const;

  private:
    std::string path_;
};

// The whole content of a file, or nothing when it cannot be read.
std::vector<std::uint8_t> fileBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> bytesOf(const std::string& text);

// The user id tests drop to ("nobody").
inline constexpr unsigned OrdinaryUser = 65534;

// True when this process may become another user (it runs as root).
bool canDropPrivileges();

// Runs `body` in a child process as the ordinary user and returns its result;
// false when the child could not be started or did not finish.
bool runAsOrdinaryUser(const std::function<bool()>& body);

} // namespace qv::test
