#pragma once

#include <filesystem>
#include <string_view>

namespace ledgerly::platform {

// Results and reports hold social security numbers and wages: what the
// program creates is for its user alone, whatever the umask says.

// Creates folder (and missing parents) when it is missing, itself accessible to
// the user only; tighten also takes group and other access away from an
// existing folder the user owns. Throws std::system_error.
void CreatePrivateFolder(const std::filesystem::path& folder, bool tighten);

// True when the user owns the folder and nobody else may write to it, so no
// other user can plant or replace a file in it.
bool IsOwnFolder(const std::filesystem::path& folder);

// True when the folder exists and the user may create files in it.
bool IsWritableFolder(const std::filesystem::path& folder);

// True when the file exists and its owner may not write to it.
bool IsReadOnlyFile(const std::filesystem::path& file);

// Writes text to the file, created for the user only when missing; append
// adds to it, else it is emptied first (its mode is kept). Throws std::system_error.
void WritePrivateFile(const std::filesystem::path& file, std::string_view text, bool append);

}  // namespace ledgerly::platform
