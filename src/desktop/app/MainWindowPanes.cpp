#include "desktop/app/MainWindowPanes.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "desktop/app/AppTexts.h"
#include "desktop/app/Logo.h"
#include "desktop/app/ResultGrid.h"
#include "desktop/common/Dialogs.h"

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

QFont HeadingFont(const QWidget& widget) {
  return Scaled(widget.font(), 1.05, true);
}

}  // namespace

StartPane::StartPane(QWidget* parent) : QWidget(parent) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->addStretch(2);
  auto* heading = new QHBoxLayout;
  heading->addStretch(1);
  logo = MakeLabel(QStringLiteral("imgLogo"), QString(), this);
  logo->setPixmap(LogoPixmap(112));
  heading->addWidget(logo);
  heading->addSpacing(24);
  welcome = MakeLabel(QStringLiteral("lblWelcome"), ForDisplay(WelcomeLabel()), this);
  welcome->setFont(Scaled(welcome->font(), 1.9, true));
  welcome->setAlignment(Qt::AlignCenter);
  heading->addWidget(welcome);
  heading->addStretch(1);
  column->addLayout(heading);
  column->addStretch(1);
  disclaimer_box = new QFrame(this);
  disclaimer_box->setObjectName(QStringLiteral("Shape1"));
  disclaimer_box->setFrameShape(QFrame::Box);
  disclaimer_box->setLineWidth(2);
  auto* box_layout = new QVBoxLayout(disclaimer_box);
  box_layout->setContentsMargins(10, 6, 10, 10);
  disclaimer = MakeReadOnlyText(QStringLiteral("txtDisclosure"), disclaimer_box);
  disclaimer->setFrameShape(QFrame::NoFrame);
  disclaimer->setPlainText(ForDisplay(DisclaimerText()));
  disclaimer->setFont(Scaled(disclaimer->font(), 1.1, false));
  disclaimer->setMaximumHeight(disclaimer->fontMetrics().lineSpacing() * 7 + 16);
  disclaimer->setMinimumHeight(disclaimer->fontMetrics().lineSpacing() * 5 + 16);
  box_layout->addWidget(disclaimer);
  auto* box_row = new QHBoxLayout;
  box_row->addStretch(1);
  box_row->addWidget(disclaimer_box, 6);
  box_row->addStretch(1);
  column->addLayout(box_row);
  column->addStretch(2);
}

void StartPane::FollowContents() {
  setVisible(!logo->isHidden() || !welcome->isHidden() || !disclaimer_box->isHidden());
}

ErrorsPane::ErrorsPane(QWidget* parent) : QWidget(parent) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(4);
  records_heading = MakeLabel(QStringLiteral("lblRecords"), QStringLiteral("RECORDS"), this);
  records_heading->setFont(HeadingFont(*this));
  records =
      new ResultGrid(QStringLiteral("DBGrid1"), QStringLiteral("Data1"), kRecordColumns, this);
  records->setCaption(QStringLiteral("Record(s)"));
  errors_heading = MakeLabel(QStringLiteral("lblErrors"), QStringLiteral("ERRORS"), this);
  errors_heading->setFont(HeadingFont(*this));
  errors = new ResultGrid(QStringLiteral("DBGrid2"), QStringLiteral("Data2"),
                          {QStringLiteral("Error Reference"), QStringLiteral("User Entry"),
                           QStringLiteral("Error Description")},
                          this);
  errors->setCaption(QStringLiteral("Ledgerly Error(s) that Need to be Corrected"));
  column->addWidget(records_heading);
  column->addWidget(records, 2);
  column->addSpacing(6);
  column->addWidget(errors_heading);
  column->addWidget(errors, 3);
}

void ErrorsPane::FollowContents() {
  setVisible(!records_heading->isHidden() || !records->isHidden() || !errors_heading->isHidden() ||
             !errors->isHidden());
}

TestedRecordsPane::TestedRecordsPane(QWidget* parent) : QWidget(parent) {
  records =
      new ResultGrid(QStringLiteral("DBGrid3"), QStringLiteral("Data3"), kRecordColumns, this);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(records);
}

void TestedRecordsPane::FollowContents(int viewer_scroll_bar_width) {
  setVisible(!records->isHidden());
  layout()->setContentsMargins(0, 0, viewer_scroll_bar_width, 0);
}

CriticalErrorPane::CriticalErrorPane(QWidget* parent) : QWidget(parent) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(4);
  heading =
      MakeLabel(QStringLiteral("lblCritError"), QStringLiteral("Ledgerly Testing Stopped"), this);
  heading->setFont(HeadingFont(*this));
  text = MakeReadOnlyText(QStringLiteral("txtCritError"), this);
  text->setPlainText(ForDisplay(QStringLiteral("None Found.\r\n")));
  text->setFixedHeight(text->fontMetrics().lineSpacing() * 3 + 14);
  text->installEventFilter(this);
  column->addWidget(heading);
  column->addWidget(text);
}

void CriticalErrorPane::FollowContents() {
  setVisible(!heading->isHidden() || !text->isHidden());
}

bool CriticalErrorPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text && event->type() == QEvent::FocusIn) {
    // The whole text is selected, ready to be copied.
    QTextCursor cursor = text->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::Start, QTextCursor::KeepAnchor);
    text->setTextCursor(cursor);
  }
  return QWidget::eventFilter(watched, event);
}

RunStatus::RunStatus(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(12);
  record_number = MakeLabel(QStringLiteral("lblRecCtr"), QString(), this);
  record_number->setFixedWidth(217);  // 3,255 twips
  track = MakeLabel(QStringLiteral("lblPrgrss2"), QString(), this);
  track->setFrameShape(QFrame::Panel);
  track->setFrameShadow(QFrame::Sunken);
  track->setFixedHeight(20);
  track->installEventFilter(this);
  bar = MakeLabel(QStringLiteral("lblPrgrss1"), QString(), track);
  bar->setAutoFillBackground(true);
  bar->setBackgroundRole(QPalette::Highlight);
  // The row keeps its place while hidden, so the views do not jump when a run starts.
  for (QWidget* widget : {static_cast<QWidget*>(record_number), static_cast<QWidget*>(track)}) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
  }
  row->addWidget(record_number);
  row->addWidget(track, 1);
}

void RunStatus::SetShown(bool shown) {
  for (QWidget* widget : {static_cast<QWidget*>(record_number), static_cast<QWidget*>(track),
                          static_cast<QWidget*>(bar)}) {
    widget->setVisible(shown);
  }
}

void RunStatus::SetFraction(double fraction) {
  fraction_ = std::clamp(fraction, 0.0, 1.0);
  const QRect inside = track->contentsRect();
  const int width = std::max(1, static_cast<int>(inside.width() * fraction_));
  bar->setGeometry(inside.left(), inside.top(), width, inside.height());
}

bool RunStatus::eventFilter(QObject* watched, QEvent* event) {
  if (watched == track && event->type() == QEvent::Resize) SetFraction(fraction_);
  return QWidget::eventFilter(watched, event);
}

}  // namespace ledgerly::gui
