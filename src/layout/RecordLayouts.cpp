#include "layout/RecordLayouts.h"

#include "layout/RecordTypes.h"

namespace ledgerly {

const RecordType* FindRecordType(std::string_view id) {
  for (const RecordType& type : kRecordTypes) {
    if (type.id == id) return &type;
  }
  return nullptr;
}

std::span<const FieldLayoutRow> LayoutFor(std::string_view id) {
  const RecordType* type = FindRecordType(id);
  return type ? type->layout : std::span<const FieldLayoutRow>();
}

}  // namespace ledgerly
