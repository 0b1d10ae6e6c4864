#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ledgerly::test {

// Every row of a query, each column as text ("NULL" for a null).
std::vector<std::vector<std::string>> QueryRows(const std::filesystem::path& db,
                                                const std::string& sql);

// The first column of the first row.
std::string QueryValue(const std::filesystem::path& db, const std::string& sql);

}  // namespace ledgerly::test
