#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "engine/Sqlite.h"

namespace ledgerly::fuzz {

// Runs a whole Test run on the bytes (files separated by test::kNextFileMarker)
// and aborts (a finding) when the database breaks a rule every run must keep.
// The error limit is 500, or a small one for some inputs so the limit stop is
// reached as well. Most inputs are stored in one database in memory kept for
// the process's life, without a writer thread; some (chosen by their size) in a
// file on a disk that fills. inspect is given the database of every run that
// did not fail.
void RunOnBytes(const uint8_t* data, std::size_t size,
                const std::function<void(const Database&)>& inspect = {});

}  // namespace ledgerly::fuzz
