#include "desktop/viewer/RecordViewer.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

namespace ledgerly::gui {
namespace {

constexpr int kLabelPadding = 16;  // the line edit's frame and margins

QLabel* MakeHeading(const QString& name, const QString& text, QWidget* parent) {
  auto* heading = new QLabel(text, parent);
  heading->setObjectName(name);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  heading->setContentsMargins(4, 2, 4, 4);
  return heading;
}

}  // namespace

RecordViewer::RecordViewer(QWidget* parent)
    : QWidget(parent),
      lbl_fname_(MakeHeading(QStringLiteral("lblFName"), QStringLiteral("Field Name"), this)),
      lbl_fdata_(MakeHeading(QStringLiteral("lblFData"), QStringLiteral("Field Data"), this)),
      area_(new QWidget(this)),
      vscroll_(new QScrollBar(Qt::Vertical, this)) {
  setObjectName(QStringLiteral("RecordViewer"));
  area_->setObjectName(QStringLiteral("ViewerArea"));
  vscroll_->setObjectName(QStringLiteral("VScroll1"));
  vscroll_->setSingleStep(1);
  vscroll_->hide();
  connect(vscroll_, &QScrollBar::valueChanged, this, [this] { PlaceRows(); });
  rows_.push_back(MakeRow(0));
  setMinimumHeight(RowHeight() * 3 + lbl_fname_->sizeHint().height());
}

RecordViewer::Row RecordViewer::MakeRow(int index) {
  Row row{new QLineEdit(area_), new QLineEdit(area_)};
  row.label->setObjectName(QStringLiteral("Text1_%1").arg(index));
  row.value->setObjectName(QStringLiteral("Text2_%1").arg(index));
  // The boxes can be selected and copied; the stored record is not changed.
  row.label->setReadOnly(true);
  row.value->setReadOnly(true);
  QPalette caption = row.label->palette();
  caption.setColor(QPalette::Base, palette().color(QPalette::Window));
  row.label->setPalette(caption);
  // Field data keeps its positions in a fixed font, as in the grids.
  row.value->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  SetHighlighted(row.value, false);
  return row;
}

void RecordViewer::SetHighlighted(QLineEdit* box, bool highlighted) {
  QPalette colours = box->palette();
  colours.setColor(QPalette::Base,
                   highlighted ? HighlightColour() : palette().color(QPalette::Base));
  box->setPalette(colours);
}

void RecordViewer::LoadLabels(int n) {
  for (int i = RowCount(); i < n; ++i) rows_.push_back(MakeRow(i));
  LayOut();
}

void RecordViewer::UnloadLabels() {
  while (rows_.size() > 1) {
    delete rows_.back().label;
    delete rows_.back().value;
    rows_.pop_back();
  }
  rows_[0].label->clear();
  rows_[0].label->setToolTip(QString());
  rows_[0].value->clear();
  SetHighlighted(rows_[0].value, false);
  vscroll_->setValue(0);
  LayOut();
}

void RecordViewer::ShowRows(const std::vector<ViewerRow>& rows) {
  UnloadLabels();
  LoadLabels(static_cast<int>(rows.size()));
  for (std::size_t i = 0; i < rows.size() && i < rows_.size(); ++i) {
    const QString label = QString::fromStdString(rows[i].label);
    rows_[i].label->setText(label);
    rows_[i].label->setToolTip(label);
    rows_[i].value->setText(QString::fromStdString(rows[i].value));
    // Long fields are read from their first position.
    rows_[i].label->setCursorPosition(0);
    rows_[i].value->setCursorPosition(0);
    SetHighlighted(rows_[i].value, rows[i].highlighted);
  }
  LayOut();
}

QLineEdit* RecordViewer::LabelBox(int row) const {
  return row >= 0 && row < RowCount() ? rows_[row].label : nullptr;
}

QLineEdit* RecordViewer::ValueBox(int row) const {
  return row >= 0 && row < RowCount() ? rows_[row].value : nullptr;
}

int RecordViewer::RowHeight() const {
  return rows_[0].label->sizeHint().height();
}

int RecordViewer::VisibleRows() const {
  return std::max(1, area_->height() / RowHeight());
}

int RecordViewer::ScrollBarWidth() const {
  return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vscroll_);
}

// Wide enough for the longest label of the record, but never more than half.
int RecordViewer::LabelColumnWidth() const {
  const QFontMetrics metrics = rows_[0].label->fontMetrics();
  int widest = metrics.horizontalAdvance(lbl_fname_->text()) + kLabelPadding;
  for (const Row& row : rows_) {
    widest = std::max(widest, metrics.horizontalAdvance(row.label->text()) + kLabelPadding);
  }
  return std::clamp(widest, area_->width() / 4, std::max(area_->width() / 2, 1));
}

void RecordViewer::LayOut() {
  const int heading_height = lbl_fname_->sizeHint().height();
  const int bar_width = ScrollBarWidth();
  const int area_width = std::max(0, width() - bar_width);
  const int area_height = std::max(0, height() - heading_height);
  area_->setGeometry(0, heading_height, area_width, area_height);
  vscroll_->setGeometry(area_width, heading_height, bar_width, area_height);
  const int label_width = LabelColumnWidth();
  lbl_fname_->setGeometry(0, 0, label_width, heading_height);
  lbl_fdata_->setGeometry(label_width, 0, std::max(0, area_width - label_width), heading_height);

  const int visible = VisibleRows();
  const int hidden_rows = std::max(0, RowCount() - visible);
  vscroll_->setRange(0, hidden_rows);
  vscroll_->setPageStep(visible);
  vscroll_->setVisible(hidden_rows > 0);
  PlaceRows();
}

// The row at the scroll bar's value goes to the top; the rows after it follow
// as far as they fit, the others are hidden.
void RecordViewer::PlaceRows() {
  const int top = vscroll_->value();
  const int visible = VisibleRows();
  const int row_height = RowHeight();
  const int label_width = LabelColumnWidth();
  const int value_width = std::max(0, area_->width() - label_width);
  for (int i = 0; i < RowCount(); ++i) {
    const Row& row = rows_[i];
    const bool shown = i >= top && i < top + visible;
    if (shown) {
      const int y = (i - top) * row_height;
      row.label->setGeometry(0, y, label_width, row_height);
      row.value->setGeometry(label_width, y, value_width, row_height);
    }
    row.label->setVisible(shown);
    row.value->setVisible(shown);
  }
}

void RecordViewer::BringIntoView(int row) {
  const int top = vscroll_->value();
  if (row < top) {
    vscroll_->setValue(row);
  } else if (row >= top + VisibleRows()) {
    vscroll_->setValue(row - VisibleRows() + 1);
  }
}

void RecordViewer::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOut();
}

void RecordViewer::wheelEvent(QWheelEvent* event) {
  if (vscroll_->isVisible()) {
    QApplication::sendEvent(vscroll_, event);
  } else {
    QWidget::wheelEvent(event);
  }
}

// Tab goes label 0, value 0, label 1, value 1, …; Shift+Tab goes back. A row
// hidden below or above is scrolled in first, as hidden boxes take no focus.
bool RecordViewer::focusNextPrevChild(bool next) {
  const QWidget* focus = QApplication::focusWidget();
  for (int i = 0; i < RowCount(); ++i) {
    const bool on_label = focus == rows_[i].label;
    if (!on_label && focus != rows_[i].value) continue;
    const int target_row = next ? (on_label ? i : i + 1) : (on_label ? i - 1 : i);
    const bool target_label = !on_label;
    if (target_row < 0 || target_row >= RowCount()) break;
    BringIntoView(target_row);
    QLineEdit* target = target_label ? rows_[target_row].label : rows_[target_row].value;
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
  }
  return QWidget::focusNextPrevChild(next);
}

}  // namespace ledgerly::gui
