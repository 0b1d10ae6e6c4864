#include "desktop/app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <stdexcept>

#include "desktop/app/AppTexts.h"
#include "desktop/app/ErrorSummaryWindow.h"
#include "desktop/app/GridToolTip.h"
#include "desktop/app/MainWindowPanes.h"
#include "desktop/app/QtRunHost.h"
#include "desktop/app/ResultDatabase.h"
#include "desktop/app/ResultGrid.h"
#include "desktop/app/ResultRowsModel.h"
#include "desktop/common/Dialogs.h"
#include "desktop/common/ErrorNotice.h"
#include "desktop/report/ReportSettings.h"
#include "desktop/report/ReportWindow.h"
#include "desktop/viewer/RecordViewer.h"
#include "engine/ResultStore.h"
#include "engine/Settings.h"

namespace ledgerly::gui {
MainWindow::MainWindow(std::filesystem::path data_folder, QWidget* parent)
    : QMainWindow(parent),
      data_folder_(std::move(data_folder)),
      error_limit_(kDefaultErrorLimit),
      report_settings_(std::make_unique<ReportSettings>()) {
  setObjectName(QStringLiteral("frmMain"));
  BuildWidgets();
  BuildMenus();

  // Form_Load.
  setWindowTitle(WelcomeCaption());
  QDir::setCurrent(QString::fromStdString(data_folder_.string()));
  results_ = std::make_unique<ResultDatabase>(
      QString::fromStdString(DatabasePath().string()),
      [this](const std::exception& error) { ShowErrorNotice(this, error); });
  // The last results stay available for "View Last Test Results".
  results_->Open();
  error_limit_ = ReadErrorLimit(data_folder_);
  report_settings_->report_choice = kTextReport;
  QTextCursor caret = start_pane_->disclaimer->textCursor();
  caret.setPosition(std::min(2, start_pane_->disclaimer->document()->characterCount() - 1));
  start_pane_->disclaimer->setTextCursor(caret);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect available = screen->availableGeometry();
    resize(std::min(available.width(), std::max(960, available.width() * 4 / 5)),
           std::min(available.height(), std::max(680, available.height() * 4 / 5)));
    move(available.center() - rect().center());
  }
}

MainWindow::~MainWindow() {
  // The grids let go of their queries before the connection goes.
  for (ResultGrid* grid : {errors_pane_->records, errors_pane_->errors, tested_pane_->records})
    grid->clear();
}

ReportWindow* MainWindow::CurrentReportWindow() const {
  return report_window_.data();
}

std::filesystem::path MainWindow::DatabasePath() const {
  return data_folder_ / kDatabaseFileName;
}

void MainWindow::BuildWidgets() {
  auto* central = new QWidget(this);
  setCentralWidget(central);
  auto* outer = new QVBoxLayout(central);
  outer->setContentsMargins(12, 12, 12, 8);
  auto* body = new QHBoxLayout;
  body->setSpacing(14);
  outer->addLayout(body, 1);

  body->addWidget(BuildCommandColumn(central));

  auto* content = new QVBoxLayout;
  content->setSpacing(10);
  body->addLayout(content, 1);

  start_pane_ = new StartPane(central);
  content->addWidget(start_pane_, 1);
  errors_pane_ = new ErrorsPane(central);
  content->addWidget(errors_pane_, 1);
  // The tested records, and the record field viewer under them once a
  // record is chosen.
  tested_pane_ = new TestedRecordsPane(central);
  content->addWidget(tested_pane_, 2);
  viewer_ = new RecordViewer(central);
  content->addWidget(viewer_, 3);
  critical_pane_ = new CriticalErrorPane(central);
  content->addWidget(critical_pane_);
  run_status_ = new RunStatus(central);
  outer->addWidget(run_status_);

  SetShown({errors_pane_->records_heading, errors_pane_->records, errors_pane_->errors_heading,
            errors_pane_->errors, tested_pane_->records, viewer_, critical_pane_->heading,
            critical_pane_->text},
           false);
  run_status_->SetShown(false);
  UpdateAreas();

  connect(errors_pane_->records->view()->selectionModel(), &QItemSelectionModel::currentChanged,
          this, [this] { DBGrid1_RowColChange(); });
  connect(tested_pane_->records->view()->selectionModel(), &QItemSelectionModel::currentChanged,
          this, [this] { DBGrid3_RowColChange(); });
  // A failed read of rows is shown once the view has finished painting.
  for (ResultGrid* grid : {errors_pane_->records, errors_pane_->errors, tested_pane_->records}) {
    connect(
        grid->model(), &ResultRowsModel::readFailed, this,
        [this](const QString&, const QString& why) {
          ShowErrorNotice(this,
                          std::runtime_error("Reading the results failed: " + why.toStdString()));
        },
        Qt::QueuedConnection);
  }
  // The error grid shows the full text of the cell under a resting pointer.
  tool_tips_ = new ToolTipWindow(this);
  errors_pane_->errors->view()->setMouseTracking(true);
  errors_pane_->errors->view()->viewport()->setMouseTracking(true);
  errors_pane_->errors->view()->viewport()->installEventFilter(this);

  // The first row is current when the view opens: a click on it shows it too.
  connect(tested_pane_->records->view(), &QTableView::clicked, this, [this] {
    if (viewer_->isHidden()) DBGrid3_RowColChange();
  });
}

// The command buttons, one column on the left.
QWidget* MainWindow::BuildCommandColumn(QWidget* central) {
  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(8);
  const auto add_button = [&](const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, central);
    button->setObjectName(name);
    button->setMinimumHeight(34);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    buttons->addWidget(button);
    return button;
  };
  QPushButton* cmd_start = add_button(QStringLiteral("cmdStart"), QStringLiteral("&Start Testing"));
  QPushButton* cmd_last =
      add_button(QStringLiteral("cmdLast"), QStringLiteral("View &Last Test Results"));
  buttons->addSpacing(12);
  QPushButton* cmd_grid =
      add_button(QStringLiteral("cmdGrid"), QStringLiteral("View Records &With Errors"));
  QPushButton* cmd_view =
      add_button(QStringLiteral("cmdView"), QStringLiteral("View &Tested Records"));
  buttons->addSpacing(12);
  QPushButton* cmd_errors =
      add_button(QStringLiteral("cmdErrors"), QStringLiteral("View Error &Report"));
  QPushButton* cmd_print =
      add_button(QStringLiteral("cmdPrint"), QStringLiteral("&Print Error Report"));
  buttons->addStretch(1);
  QPushButton* cmd_exit = add_button(QStringLiteral("cmdExit"), QStringLiteral("E&xit"));
  auto* button_column = new QWidget(central);
  button_column->setLayout(buttons);
  buttons->setContentsMargins(0, 0, 0, 0);
  button_column->setFixedWidth(
      std::max(200, cmd_grid->fontMetrics().horizontalAdvance(cmd_grid->text()) + 48));

  AddCommand(QStringLiteral("cmdStart"), cmd_start, nullptr, true);
  AddCommand(QStringLiteral("cmdLast"), cmd_last, nullptr, true);
  AddCommand(QStringLiteral("cmdGrid"), cmd_grid, nullptr, false);
  AddCommand(QStringLiteral("cmdView"), cmd_view, nullptr, false);
  AddCommand(QStringLiteral("cmdErrors"), cmd_errors, nullptr, false);
  AddCommand(QStringLiteral("cmdPrint"), cmd_print, nullptr, false);
  AddCommand(QStringLiteral("cmdExit"), cmd_exit, nullptr, true, true);
  connect(cmd_start, &QPushButton::clicked, this, &MainWindow::cmdStart_Click);
  connect(cmd_last, &QPushButton::clicked, this, &MainWindow::cmdLast_Click);
  connect(cmd_grid, &QPushButton::clicked, this, &MainWindow::cmdGrid_Click);
  connect(cmd_view, &QPushButton::clicked, this, &MainWindow::cmdView_Click);
  connect(cmd_errors, &QPushButton::clicked, this, &MainWindow::cmdErrors_Click);
  connect(cmd_print, &QPushButton::clicked, this, &MainWindow::cmdPrint_Click);
  connect(cmd_exit, &QPushButton::clicked, this, &MainWindow::cmdExit_Click);
  return button_column;
}

void MainWindow::BuildMenus() {
  const auto add_item = [this](QMenu* menu, const QString& name, const QString& caption,
                               bool enabled, auto slot, bool during_run = false) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, slot);
    AddCommand(name, nullptr, action, enabled, during_run);
    return action;
  };
  const auto add_submenu = [this](QMenu* menu, const QString& name, const QString& caption,
                                  bool enabled) {
    QMenu* submenu = menu->addMenu(caption);
    submenu->setObjectName(name);
    submenu->menuAction()->setObjectName(name);
    AddCommand(name, nullptr, submenu->menuAction(), enabled);
    return submenu;
  };

  QMenu* test = menuBar()->addMenu(QStringLiteral("&Test"));
  test->setObjectName(QStringLiteral("mnuTest"));
  add_item(test, QStringLiteral("mnuTStart"), QStringLiteral("&Start New"), true,
           &MainWindow::cmdStart_Click);
  add_item(test, QStringLiteral("mnuTOpenLast"), QStringLiteral("Open &Last"), true,
           &MainWindow::cmdLast_Click);
  add_item(test, QStringLiteral("mnuTPrint"), QStringLiteral("&Print Report"), false,
           &MainWindow::cmdPrint_Click);
  add_item(test, QStringLiteral("mnuTSet"), QStringLiteral("Set &Error(s)"), true,
           &MainWindow::mnuTSet_Click);
  test->addSeparator();
  add_item(test, QStringLiteral("mnuTExit"), QStringLiteral("E&xit"), true,
           &MainWindow::cmdExit_Click, true);

  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  view->setObjectName(QStringLiteral("mnuView"));
  QMenu* report = add_submenu(view, QStringLiteral("mnuVReport"), QStringLiteral("&Report"), true);
  add_item(report, QStringLiteral("mnuRLast"), QStringLiteral("&Last"), true,
           &MainWindow::mnuRLast_Click);
  add_item(report, QStringLiteral("mnuRCurrent"), QStringLiteral("&Current"), false,
           &MainWindow::cmdErrors_Click);
  QMenu* records =
      add_submenu(view, QStringLiteral("mnuVRecords"), QStringLiteral("Recor&ds"), false);
  add_item(records, QStringLiteral("mnuVRAll"), QStringLiteral("All &Tested"), true,
           &MainWindow::cmdView_Click);
  add_item(records, QStringLiteral("mnuVRErrors"), QStringLiteral("&With Errors"), true,
           &MainWindow::cmdGrid_Click);
  view->addSeparator();
  add_item(view, QStringLiteral("mnuVGoTo"), QStringLiteral("&Go to Record..."), false,
           &MainWindow::mnuVGoTo_Click)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  add_item(view, QStringLiteral("mnuVSummary"), QStringLiteral("Error &Summary"), false,
           &MainWindow::mnuVSummary_Click);

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  add_item(help, QStringLiteral("mnuHContents"), QStringLiteral("&Contents"), true,
           &MainWindow::mnuHContents_Click, true);
  add_item(help, QStringLiteral("mnuHAbout"), QStringLiteral("&About"), true,
           &MainWindow::mnuHAbout_Click, true);
}

void MainWindow::AddCommand(const QString& name, QPushButton* button, QAction* action, bool enabled,
                            bool during_run) {
  commands_[name] = Command{button, action, enabled, during_run};
  ApplyEnabled();
}

void MainWindow::SetEnabled(const QString& name, bool enabled) {
  auto it = commands_.find(name);
  if (it == commands_.end()) return;
  it->second.enabled = enabled;
  ApplyEnabled();
}

void MainWindow::SetEnabled(std::initializer_list<const char*> names, bool enabled) {
  for (const char* name : names) SetEnabled(QString::fromLatin1(name), enabled);
}

// Each command shows the state the views gave it, except that during a run
// only Exit, Help and About can be chosen: anything else would re-enter the
// run or touch the database it is writing.
void MainWindow::ApplyEnabled() {
  for (auto& [name, command] : commands_) {
    const bool enabled = command.enabled && (command.during_run || !TestRunning());
    if (command.button) command.button->setEnabled(enabled);
    if (command.action) command.action->setEnabled(enabled);
  }
}

void MainWindow::SetShown(std::initializer_list<QWidget*> widgets, bool shown) {
  for (QWidget* widget : widgets) widget->setVisible(shown);
}

// The parts follow their controls, so hidden parts take no room.
void MainWindow::UpdateAreas() {
  start_pane_->FollowContents();
  errors_pane_->FollowContents();
  critical_pane_->FollowContents();
  tested_pane_->FollowContents(viewer_->isHidden() ? 0 : viewer_->ScrollBarWidth());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == errors_pane_->errors->view()->viewport() && event->type() == QEvent::MouseMove) {
    tool_tips_->GridToolTip(errors_pane_->errors->view(),
                            static_cast<QMouseEvent*>(event)->position().toPoint(), true);
  } else if (watched == errors_pane_->errors->view()->viewport() && event->type() == QEvent::Hide) {
    // The grid went away under a resting pointer.
    tool_tips_->Disarm();
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event) {
  // The tooltip belongs to the active window only.
  if (event->type() == QEvent::ActivationChange && !isActiveWindow() && tool_tips_) {
    tool_tips_->Disarm();
  }
  QMainWindow::changeEvent(event);
}

void MainWindow::cmdExit_Click() {
  close();
}

// Closing the window is Exit. During a run the run is asked to stop; it logs
// "Test Aborted", commits and closes its database, and the window then closes.
void MainWindow::closeEvent(QCloseEvent* event) {
  if (TestRunning()) {
    exit_requested_ = true;
    run_host_->RequestStop();
    event->ignore();
    return;
  }
  UnloadStep();
  event->accept();
}

void MainWindow::UnloadStep() {
  for (ResultGrid* grid : {errors_pane_->records, errors_pane_->errors, tested_pane_->records})
    grid->clear();
  results_->Close();
  tool_tips_->Disarm();
  if (report_window_) report_window_->close();
  if (summary_window_) summary_window_->close();
}

}  // namespace ledgerly::gui
