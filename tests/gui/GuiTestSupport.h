#pragma once

// Shared by the window tests: every prompt is answered by script, and the
// window's controls are found by their names.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "desktop/app/MainWindow.h"
#include "desktop/app/QtRunHost.h"
#include "desktop/common/Dialogs.h"
#include "desktop/report/ReportOptionDialog.h"

namespace ledgerly::test {

inline void ScriptEveryPrompt() {
  gui::MessageBox::setScripted(true);
  gui::MessageBox::reset();
  gui::FileDialog::setScripted(true);
  gui::FileDialog::reset();
  gui::FontDialog::setScripted(true);
  gui::FontDialog::reset();
  gui::ReportOptionDialog::setScripted(true);
  gui::ReportOptionDialog::reset();
  // Every record lets the window process its events, so tests can act at a
  // chosen record without depending on the clock.
  gui::QtRunHost::setPumpIntervalMs(0);
}

// The main window's own control (the report window has buttons of the same names).
template <class T>
T* Control(gui::MainWindow& window, const QString& name) {
  return window.centralWidget()->findChild<T*>(name);
}

inline QPushButton* Button(gui::MainWindow& window, const QString& name) {
  return Control<QPushButton>(window, name);
}

inline QAction* MenuItem(gui::MainWindow& window, const QString& name) {
  for (QAction* action : window.findChildren<QAction*>(name)) return action;
  return nullptr;
}

// Whether a button or menu item of that name can be chosen.
inline bool Enabled(gui::MainWindow& window, const QString& name) {
  if (QPushButton* button = Button(window, name)) return button->isEnabled();
  if (QAction* action = MenuItem(window, name)) return action->isEnabled();
  qFatal("no command %s", qPrintable(name));
}

inline bool Shown(gui::MainWindow& window, const QString& name) {
  QWidget* widget = Control<QWidget>(window, name);
  if (!widget) qFatal("no control %s", qPrintable(name));
  return widget->isVisibleTo(&window);
}

inline QString LabelText(gui::MainWindow& window, const QString& name) {
  return Control<QLabel>(window, name)->text();
}

inline QStringList MessageTexts() {
  QStringList texts;
  for (const auto& shown : gui::MessageBox::shown()) texts << shown.text;
  return texts;
}

inline QString FileName(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

inline void WriteFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

// Runs `action` during the event pumps of a run, once `condition` holds.
class DuringRun : public QObject {
 public:
  DuringRun(std::function<bool()> condition, std::function<void()> action)
      : condition_(std::move(condition)), action_(std::move(action)) {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
      if (!condition_()) return;
      timer_.stop();
      fired = true;
      action_();
    });
    timer_.start();
  }
  bool fired = false;

 private:
  std::function<bool()> condition_;
  std::function<void()> action_;
  QTimer timer_;
};

}  // namespace ledgerly::test
