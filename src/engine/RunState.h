#pragma once

#include "engine/Sqlite.h"

namespace ledgerly {

// A run marks its result database "unfinished" when it creates it and clears
// the mark in the transaction that ends the run. A file still marked was left
// by a run that was killed or whose database failed before it could say why;
// every reader shows that its results are incomplete.
void MarkRunUnfinished(Database& db);
void MarkRunFinished(Database& db);

// False only for a database whose run did not finish; older files carry no
// mark and read as finished.
bool RunFinished(const Database& db);

}  // namespace ledgerly
