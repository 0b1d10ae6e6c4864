#pragma once

// Shared by the window tests: prompts are answered by script, controls found by name.

#include <QtTest>
#include <QtWidgets>
#include <fstream>

#include "desktop/app/MainWindow.h"
#include "desktop/app/QtRunHost.h"
#include "desktop/common/Dialogs.h"
#include "desktop/report/BrowserHandoff.h"
#include "desktop/report/ReportOptionDialog.h"
#include "desktop/report/ReportPrintDialog.h"
#include "support/ResultDbBuilder.h"
#include "support/TempFolder.h"

namespace ledgerly::test {

template <class... Prompts>
void Script() {
  ((Prompts::setScripted(true), Prompts::reset()), ...);
}
inline void ScriptEveryPrompt() {
  Script<gui::MessageBox, gui::FileDialog, gui::FontDialog, gui::ReportOptionDialog,
         gui::ReportPrintDialog>();
  // Events are processed after every record, so tests act at a chosen record.
  gui::QtRunHost::setPumpIntervalMs(0);
}

// The main window's own control (the report window has buttons of the same names).
template <class T = QWidget>
T* Control(gui::MainWindow& window, const QString& name) {
  T* control = window.centralWidget()->findChild<T*>(name);
  if (!control) qFatal("no control %s", qPrintable(name));
  return control;
}
inline QString LabelText(gui::MainWindow& window, const QString& name) {
  return Control<QLabel>(window, name)->text();
}
// Chooses a command as the user would: clicks the button or triggers the menu item.
inline void Choose(gui::MainWindow& window, const QString& name) {
  if (auto* button = window.centralWidget()->findChild<QPushButton*>(name)) return button->click();
  window.findChild<QAction*>(name)->trigger();
}

// The commands that can be chosen, in the order of the command column and the menus.
inline QString EnabledCommands(gui::MainWindow& window) {
  QStringList enabled;
  for (const char* name : {"cmdStart",    "cmdLast",  "cmdGrid",     "cmdView",      "cmdErrors",
                           "cmdPrint",    "cmdExit",  "mnuTStart",   "mnuTOpenLast", "mnuTPrint",
                           "mnuTSet",     "mnuTExit", "mnuVReport",  "mnuRLast",     "mnuRCurrent",
                           "mnuVRecords", "mnuVRAll", "mnuVRErrors", "mnuHContents", "mnuHAbout"}) {
    auto* button = window.centralWidget()->findChild<QPushButton*>(name);
    if (button ? button->isEnabled() : window.findChild<QAction*>(name)->isEnabled()) {
      enabled << name;
    }
  }
  return enabled.join(' ');
}

// Those of the window's main areas that are shown.
inline QStringList ShownAreas(gui::MainWindow& window) {
  QStringList shown;
  for (const char* name : {"lblWelcome", "imgLogo", "txtDisclosure", "lblRecCtr", "lblRecords",
                           "DBGrid1", "DBGrid2", "txtCritError", "DBGrid3", "RecordViewer"}) {
    if (Control(window, name)->isVisibleTo(&window)) shown << name;
  }
  return shown;
}

// Each message shown as "title: text".
inline QStringList Messages() {
  QStringList messages;
  for (const auto& shown : gui::MessageBox::shown()) messages << shown.title + ": " + shown.text;
  return messages;
}
inline QString FileName(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

// Writes the submission to file and tests it with the Start command.
inline void RunFile(gui::MainWindow& window, const std::filesystem::path& file,
                    const std::string& content) {
  std::ofstream(file, std::ios::binary) << content;
  gui::FileDialog::setNextFileName(FileName(file));
  window.cmdStart_Click();
}

// Runs `action` once `condition` holds, from the event pumps of a run.
inline void DuringRun(QObject* owner, std::function<bool()> condition,
                      std::function<void()> action) {
  auto* timer = new QTimer(owner);
  QObject::connect(timer, &QTimer::timeout, [=] {
    if (condition()) timer->stop(), action();
  });
  timer->start(0);
}

// Results of tested_file: five RW records; record 2 has two errors (the first
// entry with an ampersand, the second empty), record 4 one.
inline void AddRecordsWithErrors(ResultDbBuilder& results, const std::string& tested_file) {
  results.AddMisc(tested_file, "12/06/2011");
  for (int rec_num = 1; rec_num <= 5; ++rec_num) results.AddRecord(rec_num, "RW", "123456789");
  results.AddError(2, "Employer Name [Position 40 - 96]", "[SMITH & SONS]", "Not valid.");
  results.AddError(2, "Zip Code [Position 134 - 138]", "", "Second error of 2.");
  results.AddError(4, "Medicare Wages [Position 232 - 242]", "[Y]", "The error of 4.");
}

// Takes the desktop browser's place and notes what it was asked to do.
struct FakeBrowser : gui::BrowserLauncher {
  explicit FakeBrowser(bool found = true, bool prints = false, bool opens = true)
      : found(found), prints(prints), opens(opens) {}
  bool found, prints, opens;
  QStringList calls;  // "print" or the target opened
  std::optional<QString> FindBrowser(const std::filesystem::path&) override {
    return found ? std::optional<QString>("/usr/bin/somebrowser") : std::nullopt;
  }
  bool PrintFile(const QString&, const std::filesystem::path&) override {
    return calls << "print", prints;
  }
  bool OpenWith(const QString&, const QString& target) override { return calls << target, opens; }
};

}  // namespace ledgerly::test
