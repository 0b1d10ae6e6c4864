#pragma once

#include <filesystem>
#include <stdexcept>

namespace ledgerly {

// No folder fit to hold the results, and why.
class DataFolderError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Where ERRORLOG.MDB, ErrSetLog.ini and temphtm.HTM live: LEDGERLY_HOME when set,
// else the program's folder when the user owns it, may write to it and nobody
// else may (portable use), else the user's data folder (platform::UserDataFolder),
// kept for the user only. Created if missing.
// Throws DataFolderError when there is none: never a shared or current folder.
std::filesystem::path DataFolder(const std::filesystem::path& program_folder);

// Reads the error limit from ErrSetLog.ini, rewriting the default file when it
// cannot be read. A line other than the label and a value of 1-25,000 gives 500.
int ReadErrorLimit(const std::filesystem::path& data_folder);

// Saves the limit; a failure to write is ignored.
void WriteErrorLimit(const std::filesystem::path& data_folder, int limit);

}  // namespace ledgerly
