#pragma once

#include <filesystem>
#include <string>

namespace ledgerly::platform {

// The running program's own file, or an empty path when the system does not say.
std::filesystem::path ProgramFile();

// The user's own folder for the data of programs, with Ledgerly's folder in it
// ($XDG_DATA_HOME/Ledgerly or ~/.local/share/Ledgerly; %LOCALAPPDATA%\Ledgerly
// on Windows). Empty when the environment names none, with why_none saying so.
std::filesystem::path UserDataFolder(std::string& why_none);

}  // namespace ledgerly::platform
