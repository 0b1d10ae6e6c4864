#pragma once

#include <filesystem>
#include <string>

namespace ledgerly::platform {

// The running program's own file, or an empty path when the system does not say.
std::filesystem::path ProgramFile();

// The program the user's system opens files ending in extension (".html")
// with, or an empty path. Windows says so through its file associations; a
// freedesktop desktop through xdg-mime and desktop entries, which the desktop
// program reads itself (this is empty there).
std::filesystem::path ProgramOpening(const std::string& extension);

// The user's own folder for the data of programs, with Ledgerly's folder in it
// ($XDG_DATA_HOME/Ledgerly or ~/.local/share/Ledgerly; %LOCALAPPDATA%\Ledgerly
// on Windows). Empty when the environment names none, with why_none saying so.
std::filesystem::path UserDataFolder(std::string& why_none);

}  // namespace ledgerly::platform
