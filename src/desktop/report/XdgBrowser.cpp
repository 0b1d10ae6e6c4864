#include "desktop/report/XdgBrowser.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

namespace ledgerly::gui {
namespace {

constexpr int kProcessWaitMs = 5000;

QString DefaultHtmlEntry() {
  QProcess process;
  process.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
  if (!process.waitForFinished(kProcessWaitMs) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    return {};
  }
  return QString::fromLocal8Bit(process.readAllStandardOutput())
      .section(QLatin1Char('\n'), 0, 0)
      .trimmed();
}

// The Exec line of a desktop entry's [Desktop Entry] group.
QString ExecLine(const QString& desktop_file) {
  QFile file(desktop_file);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  QTextStream in(&file);
  bool in_entry = false;
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.startsWith(QLatin1Char('['))) {
      in_entry = line == QStringLiteral("[Desktop Entry]");
    } else if (in_entry && line.startsWith(QStringLiteral("Exec="))) {
      return line.mid(5);
    }
  }
  return {};
}

}  // namespace

std::optional<QString> XdgBrowser::FindBrowser(const std::filesystem::path&) {
  exec_arguments_.clear();
  const QString entry = DefaultHtmlEntry();
  if (entry.isEmpty()) return std::nullopt;
  const QString desktop_file = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
  if (desktop_file.isEmpty()) return std::nullopt;
  QStringList command = QProcess::splitCommand(ExecLine(desktop_file));
  if (command.isEmpty()) return std::nullopt;
  QString program = command.takeFirst();
  exec_arguments_ = command;
  const QString on_path = QStandardPaths::findExecutable(program);
  return on_path.isEmpty() ? program : on_path;
}

bool XdgBrowser::OpenWith(const QString& browser, const QString& target) {
  return QProcess::startDetached(browser, ExecArguments(exec_arguments_, target));
}

QStringList XdgBrowser::ExecArguments(const QStringList& exec_arguments, const QString& target) {
  static const QStringList kTargetCodes = {"%u", "%U", "%f", "%F"};
  QStringList arguments;
  bool placed = false;
  for (const QString& argument : exec_arguments) {
    if (kTargetCodes.contains(argument)) {
      if (!target.isEmpty()) arguments << target;
      placed = true;
    } else if (argument.size() == 2 && argument.startsWith(QLatin1Char('%'))) {
      continue;  // %i, %c, %k and the like name the entry itself
    } else {
      arguments << argument;
    }
  }
  if (!placed && !target.isEmpty()) arguments << target;
  return arguments;
}

}  // namespace ledgerly::gui
