#pragma once

#include <QPixmap>

namespace ledgerly::gui {

// The program's logo, drawn rather than shipped: a ledger page with a check mark.
QPixmap LogoPixmap(int size);

}  // namespace ledgerly::gui
