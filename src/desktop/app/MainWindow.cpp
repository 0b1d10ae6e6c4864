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

#include "desktop/app/AppTexts.h"
#include "desktop/app/GridToolTip.h"
#include "desktop/app/Logo.h"
#include "desktop/app/QtRunHost.h"
#include "desktop/app/ResultDatabase.h"
#include "desktop/app/ResultGrid.h"
#include "desktop/report/ReportSettings.h"
#include "desktop/report/ReportWindow.h"
#include "desktop/viewer/RecordViewer.h"
#include "engine/ResultStore.h"
#include "engine/Settings.h"

namespace ledgerly::gui {
namespace {

QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QPlainTextEdit* MakeReadOnlyText(const QString& name, QWidget* parent) {
  auto* text = new QPlainTextEdit(parent);
  text->setObjectName(name);
  text->setReadOnly(true);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  return text;
}

// The columns of both record grids.
const QStringList kRecordColumns = {QStringLiteral("RecNum"), QStringLiteral("ErrCount"),
                                    QStringLiteral("Record Data")};

QFont Scaled(QFont font, double factor, bool bold) {
  font.setPointSizeF(font.pointSizeF() * factor);
  font.setBold(bold);
  return font;
}

}  // namespace

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
  results_ = std::make_unique<ResultDatabase>(QString::fromStdString(DatabasePath().string()));
  // The last results stay available for "View Last Test Results".
  results_->Open();
  error_limit_ = ReadErrorLimit(data_folder_);
  report_settings_->report_choice = kTextReport;
  QTextCursor caret = txt_disclosure_->textCursor();
  caret.setPosition(std::min(2, txt_disclosure_->document()->characterCount() - 1));
  txt_disclosure_->setTextCursor(caret);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect available = screen->availableGeometry();
    resize(std::min(available.width(), std::max(960, available.width() * 4 / 5)),
           std::min(available.height(), std::max(680, available.height() * 4 / 5)));
    move(available.center() - rect().center());
  }
}

MainWindow::~MainWindow() {
  // The grids let go of their queries before the connection goes.
  for (ResultGrid* grid : {dbgrid1_, dbgrid2_, dbgrid3_}) grid->clear();
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

  // The command column.
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
  body->addWidget(button_column);

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

  auto* content = new QVBoxLayout;
  content->setSpacing(10);
  body->addLayout(content, 1);

  // The start screen.
  welcome_area_ = new QWidget(central);
  auto* welcome = new QVBoxLayout(welcome_area_);
  welcome->setContentsMargins(0, 0, 0, 0);
  welcome->addStretch(2);
  auto* heading = new QHBoxLayout;
  heading->addStretch(1);
  img_logo_ = MakeLabel(QStringLiteral("imgLogo"), QString(), welcome_area_);
  img_logo_->setPixmap(LogoPixmap(112));
  heading->addWidget(img_logo_);
  heading->addSpacing(24);
  lbl_welcome_ = MakeLabel(QStringLiteral("lblWelcome"), ForDisplay(WelcomeLabel()), welcome_area_);
  lbl_welcome_->setFont(Scaled(lbl_welcome_->font(), 1.9, true));
  lbl_welcome_->setAlignment(Qt::AlignCenter);
  heading->addWidget(lbl_welcome_);
  heading->addStretch(1);
  welcome->addLayout(heading);
  welcome->addStretch(1);
  auto* shape1 = new QFrame(welcome_area_);
  shape1->setObjectName(QStringLiteral("Shape1"));
  shape1->setFrameShape(QFrame::Box);
  shape1->setLineWidth(2);
  shape1_ = shape1;
  auto* shape_layout = new QVBoxLayout(shape1);
  shape_layout->setContentsMargins(10, 6, 10, 10);
  txt_disclosure_ = MakeReadOnlyText(QStringLiteral("txtDisclosure"), shape1);
  txt_disclosure_->setFrameShape(QFrame::NoFrame);
  txt_disclosure_->setPlainText(ForDisplay(DisclaimerText()));
  txt_disclosure_->setFont(Scaled(txt_disclosure_->font(), 1.1, false));
  txt_disclosure_->setMaximumHeight(txt_disclosure_->fontMetrics().lineSpacing() * 7 + 16);
  txt_disclosure_->setMinimumHeight(txt_disclosure_->fontMetrics().lineSpacing() * 5 + 16);
  shape_layout->addWidget(txt_disclosure_);
  auto* shape_row = new QHBoxLayout;
  shape_row->addStretch(1);
  shape_row->addWidget(shape1, 6);
  shape_row->addStretch(1);
  welcome->addLayout(shape_row);
  welcome->addStretch(2);
  content->addWidget(welcome_area_, 1);

  // The records-with-errors view.
  grids_area_ = new QWidget(central);
  auto* grids = new QVBoxLayout(grids_area_);
  grids->setContentsMargins(0, 0, 0, 0);
  grids->setSpacing(4);
  const QFont heading_font = Scaled(font(), 1.05, true);
  lbl_records_ = MakeLabel(QStringLiteral("lblRecords"), QStringLiteral("RECORDS"), grids_area_);
  lbl_records_->setFont(heading_font);
  dbgrid1_ = new ResultGrid(QStringLiteral("DBGrid1"), QStringLiteral("Data1"), kRecordColumns,
                            grids_area_);
  dbgrid1_->setCaption(QStringLiteral("Record(s)"));
  lbl_errors_ = MakeLabel(QStringLiteral("lblErrors"), QStringLiteral("ERRORS"), grids_area_);
  lbl_errors_->setFont(heading_font);
  dbgrid2_ = new ResultGrid(QStringLiteral("DBGrid2"), QStringLiteral("Data2"),
                            {QStringLiteral("Error Reference"), QStringLiteral("User Entry"),
                             QStringLiteral("Error Description")},
                            grids_area_);
  dbgrid2_->setCaption(QStringLiteral("Ledgerly Error(s) that Need to be Corrected"));
  grids->addWidget(lbl_records_);
  grids->addWidget(dbgrid1_, 2);
  grids->addSpacing(6);
  grids->addWidget(lbl_errors_);
  grids->addWidget(dbgrid2_, 3);
  content->addWidget(grids_area_, 1);

  // The tested-records view, and the record field viewer under it once a
  // record is chosen.
  tested_area_ = new QWidget(central);
  dbgrid3_ = new ResultGrid(QStringLiteral("DBGrid3"), QStringLiteral("Data3"), kRecordColumns,
                            tested_area_);
  auto* tested = new QHBoxLayout(tested_area_);
  tested->setContentsMargins(0, 0, 0, 0);
  tested->addWidget(dbgrid3_);
  content->addWidget(tested_area_, 2);
  viewer_ = new RecordViewer(central);
  content->addWidget(viewer_, 3);

  // The critical-error box.
  crit_area_ = new QWidget(central);
  auto* crit = new QVBoxLayout(crit_area_);
  crit->setContentsMargins(0, 0, 0, 0);
  crit->setSpacing(4);
  lbl_crit_error_ = MakeLabel(QStringLiteral("lblCritError"),
                              QStringLiteral("Ledgerly Testing Stopped"), crit_area_);
  lbl_crit_error_->setFont(heading_font);
  txt_crit_error_ = MakeReadOnlyText(QStringLiteral("txtCritError"), crit_area_);
  txt_crit_error_->setPlainText(ForDisplay(QStringLiteral("None Found.\r\n")));
  txt_crit_error_->setFixedHeight(txt_crit_error_->fontMetrics().lineSpacing() * 3 + 14);
  txt_crit_error_->installEventFilter(this);
  crit->addWidget(lbl_crit_error_);
  crit->addWidget(txt_crit_error_);
  content->addWidget(crit_area_);

  // The progress area.
  auto* progress = new QHBoxLayout;
  progress->setSpacing(12);
  lbl_rec_ctr_ = MakeLabel(QStringLiteral("lblRecCtr"), QString(), central);
  lbl_rec_ctr_->setFixedWidth(217);  // 3,255 twips
  lbl_prgrss2_ = MakeLabel(QStringLiteral("lblPrgrss2"), QString(), central);
  lbl_prgrss2_->setFrameShape(QFrame::Panel);
  lbl_prgrss2_->setFrameShadow(QFrame::Sunken);
  lbl_prgrss2_->setFixedHeight(20);
  lbl_prgrss2_->installEventFilter(this);
  lbl_prgrss1_ = MakeLabel(QStringLiteral("lblPrgrss1"), QString(), lbl_prgrss2_);
  lbl_prgrss1_->setAutoFillBackground(true);
  lbl_prgrss1_->setBackgroundRole(QPalette::Highlight);
  // The row keeps its place while hidden, so the views do not jump when a run starts.
  for (QWidget* widget : std::initializer_list<QWidget*>{lbl_rec_ctr_, lbl_prgrss2_}) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
  }
  progress->addWidget(lbl_rec_ctr_);
  progress->addWidget(lbl_prgrss2_, 1);
  outer->addLayout(progress);

  SetShown({lbl_records_, dbgrid1_, lbl_errors_, dbgrid2_, dbgrid3_, viewer_, lbl_crit_error_,
            txt_crit_error_, lbl_rec_ctr_, lbl_prgrss1_, lbl_prgrss2_},
           false);
  UpdateAreas();

  connect(dbgrid1_->view()->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { DBGrid1_RowColChange(); });
  connect(dbgrid3_->view()->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { DBGrid3_RowColChange(); });
  // The error grid shows the full text of the cell under a resting pointer.
  tool_tips_ = new ToolTipWindow(this);
  dbgrid2_->view()->setMouseTracking(true);
  dbgrid2_->view()->viewport()->setMouseTracking(true);
  dbgrid2_->view()->viewport()->installEventFilter(this);

  // The first row is current when the view opens: a click on it shows it too.
  connect(dbgrid3_->view(), &QTableView::clicked, this, [this] {
    if (viewer_->isHidden()) DBGrid3_RowColChange();
  });
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

// The areas follow their controls, so hidden parts take no room.
void MainWindow::UpdateAreas() {
  welcome_area_->setVisible(!img_logo_->isHidden() || !lbl_welcome_->isHidden() ||
                            !shape1_->isHidden());
  grids_area_->setVisible(!lbl_records_->isHidden() || !dbgrid1_->isHidden() ||
                          !lbl_errors_->isHidden() || !dbgrid2_->isHidden());
  crit_area_->setVisible(!lbl_crit_error_->isHidden() || !txt_crit_error_->isHidden());
  tested_area_->setVisible(!dbgrid3_->isHidden());
  // With the viewer shown, the grid ends where the viewer's scroll bar begins.
  tested_area_->layout()->setContentsMargins(
      0, 0, viewer_->isHidden() ? 0 : viewer_->ScrollBarWidth(), 0);
}

void MainWindow::SetProgressFraction(double fraction) {
  progress_fraction_ = std::clamp(fraction, 0.0, 1.0);
  const QRect track = lbl_prgrss2_->contentsRect();
  const int width = std::max(1, static_cast<int>(track.width() * progress_fraction_));
  lbl_prgrss1_->setGeometry(track.left(), track.top(), width, track.height());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txt_crit_error_ && event->type() == QEvent::FocusIn) {
    // The whole text is selected, ready to be copied.
    QTextCursor cursor = txt_crit_error_->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::Start, QTextCursor::KeepAnchor);
    txt_crit_error_->setTextCursor(cursor);
  } else if (watched == lbl_prgrss2_ && event->type() == QEvent::Resize) {
    SetProgressFraction(progress_fraction_);
  } else if (watched == dbgrid2_->view()->viewport() && event->type() == QEvent::MouseMove) {
    tool_tips_->GridToolTip(dbgrid2_->view(),
                            static_cast<QMouseEvent*>(event)->position().toPoint(), true);
  } else if (watched == dbgrid2_->view()->viewport() && event->type() == QEvent::Hide) {
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
  for (ResultGrid* grid : {dbgrid1_, dbgrid2_, dbgrid3_}) grid->clear();
  results_->Close();
  tool_tips_->Disarm();
  if (report_window_) report_window_->close();
}

}  // namespace ledgerly::gui
