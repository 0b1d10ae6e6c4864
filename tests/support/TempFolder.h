#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "support/TestPlatform.h"

namespace ledgerly::test {

// A folder of its own under the system's temporary folder (mode 0700), removed
// again with everything in it on destruction.
class TempFolder {
 public:
  TempFolder() {
    path_ = MakeUniqueFolder(std::filesystem::temp_directory_path() / "ledgerly-test-");
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  // Writes a file in the folder and returns its full path.
  std::string Write(const std::string& name, const std::string& content) const {
    const std::string file = (path_ / name).string();
    if (!(std::ofstream(path_ / name, std::ios::binary) << content).flush()) {
      throw std::runtime_error("cannot write " + file);
    }
    return file;
  }

 private:
  std::filesystem::path path_;
};

// The whole file as bytes; throws when it cannot be read.
inline std::string ReadFileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream text;
  text << file.rdbuf();  // an empty file is read as ""
  return text.str();
}

}  // namespace ledgerly::test
