#pragma once

#include <filesystem>
#include <string>

namespace ledgerly::test {

// A folder of its own under the system's temporary folder (mode 0700), removed
// again with everything in it on destruction.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  // Writes a file in the folder and returns its full path.
  std::string Write(const std::string& name, const std::string& content) const;

 private:
  std::filesystem::path path_;
};

// The whole file as bytes; throws when it cannot be read.
std::string ReadFileText(const std::filesystem::path& path);

}  // namespace ledgerly::test
