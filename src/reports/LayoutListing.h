#pragma once

#include <ostream>
#include <string_view>

// The record layouts as a listing for people and programs: every field of each
// record type with its number, name, positions, width and check kind, so the
// writers of submissions build from the same table as the checks.
namespace ledgerly {

enum class ListingFormat { Text, Json };

// Every record type, or the one of `id` (empty: all). False for an unknown identifier.
bool WriteLayoutListing(std::string_view id, ListingFormat format, std::ostream& out);

}  // namespace ledgerly
