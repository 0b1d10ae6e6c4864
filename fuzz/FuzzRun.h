#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "engine/TestRun.h"

namespace ledgerly::fuzz {

// Runs a whole Test run on the bytes (files separated by test::kNextFileMarker), with the result
// database in a scratch folder, and aborts (a finding) when the database breaks a rule every run
// must keep. The error limit is 500, or a small one for some inputs so the limit stop is reached as
// well.
RunResult RunOnBytes(const uint8_t* data, std::size_t size);

// The result database of the last RunOnBytes.
std::filesystem::path ResultDatabase();

}  // namespace ledgerly::fuzz
