#include "desktop/report/ReportFile.h"

#include <QFile>

#include "engine/FileNames.h"
#include "reports/TextFile.h"

namespace ledgerly::gui {

void WriteReportFile(const QString& file_name, std::string_view text, bool replace) {
  if (file_name.isEmpty()) return;
  AppendReportText(PathOf(QFile::encodeName(file_name).toStdString()), text, replace);
}

}  // namespace ledgerly::gui
