#include "support/TempFolder.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ledgerly::test {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ledgerly-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed for " + pattern);
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempFolder::Write(const std::string& name, const std::string& content) const {
  const auto file = path_ / name;
  std::ofstream out(file, std::ios::binary);
  out << content;
  if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
  return file.string();
}

std::string ReadFileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  if (!(text << in.rdbuf())) throw std::runtime_error("cannot read " + path.string());
  return text.str();
}

}  // namespace ledgerly::test
