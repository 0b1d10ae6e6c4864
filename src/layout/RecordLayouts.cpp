#include "layout/RecordLayouts.h"

namespace ledgerly {

std::span<const FieldLayoutRow> LayoutFor(std::string_view id) {
  if (id == "RA") return kRALayout;
  if (id == "RE") return kRELayout;
  if (id == "RW") return kRWLayout;
  if (id == "RO") return kROLayout;
  if (id == "RT") return kRTLayout;
  if (id == "RU") return kRULayout;
  if (id == "RF") return kRFLayout;
  return {};
}

}  // namespace ledgerly
