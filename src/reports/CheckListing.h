#pragma once

#include <ostream>
#include <string_view>

#include "reports/LayoutListing.h"

// The catalogue of checks as a listing: every code with its record type, field,
// positions, severity and message text, so findings can be filtered, counted,
// explained and kept as known exceptions by their code.
namespace ledgerly {

void WriteCheckListing(ListingFormat format, std::ostream& out);

// One entry and what its field is, from the layout. False for an unknown code.
bool WriteCheckExplanation(std::string_view code, ListingFormat format, std::ostream& out);

}  // namespace ledgerly
