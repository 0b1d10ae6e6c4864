#pragma once

#include <filesystem>

namespace ledgerly {

// Where ERRORLOG.MDB, ErrSetLog.ini and temphtm.HTM live: LEDGERLY_HOME when set,
// else the program's folder when it is writable (portable use), else the user's
// data folder ($XDG_DATA_HOME/Ledgerly or ~/.local/share/Ledgerly). Created if missing.
std::filesystem::path DataFolder(const std::filesystem::path& program_folder);

// Reads the error limit from ErrSetLog.ini, rewriting the default file when it
// cannot be read. A value outside 1-25,000 gives 500.
int ReadErrorLimit(const std::filesystem::path& data_folder);

// Saves the limit; a failure to write is ignored.
void WriteErrorLimit(const std::filesystem::path& data_folder, int limit);

}  // namespace ledgerly
