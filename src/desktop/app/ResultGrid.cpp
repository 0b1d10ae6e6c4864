#include "desktop/app/ResultGrid.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QSqlDatabase>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "desktop/app/ResultRowsModel.h"

namespace ledgerly::gui {
namespace {

// Record text is fixed-width data: positions only line up in a fixed font.
class FixedFontDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  }
};

// An error reference ends in "[Position ...]": shortened in the middle, both
// the field's name and its positions stay readable.
class MiddleElideDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->textElideMode = Qt::ElideMiddle;
  }
};

// The error grid fits its columns to the texts of the rows shown; a record
// with more errors than this is measured by its first ones.
constexpr int kMeasuredRows = 200;

}  // namespace

ResultGrid::ResultGrid(const QString& grid_name, const QString& model_name,
                       QStringList column_captions, QWidget* parent)
    : QFrame(parent),
      caption_(new QLabel(this)),
      view_(new QTableView(this)),
      model_(new ResultRowsModel(column_captions, this)),
      column_captions_(std::move(column_captions)) {
  setObjectName(grid_name + QStringLiteral("Box"));
  setFrameShape(QFrame::StyledPanel);
  view_->setObjectName(grid_name);
  model_->setObjectName(model_name);

  caption_->setObjectName(grid_name + QStringLiteral("Caption"));
  caption_->setAlignment(Qt::AlignCenter);
  caption_->setContentsMargins(4, 3, 4, 3);
  caption_->setAutoFillBackground(true);
  caption_->setBackgroundRole(QPalette::Mid);
  caption_->setForegroundRole(QPalette::BrightText);
  QFont bold = caption_->font();
  bold.setBold(true);
  caption_->setFont(bold);
  caption_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

  ShowAsRows(view_, model_);
  view_->setTabKeyNavigation(false);
  view_->setFrameShape(QFrame::NoFrame);
  // Rows of one height: the view places any of millions of rows without measuring them.
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
  view_->horizontalHeader()->setHighlightSections(false);
  view_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  if (IsRecordGrid()) {
    view_->setItemDelegateForColumn(2, new FixedFontDelegate(view_));
  } else {
    view_->setItemDelegateForColumn(0, new MiddleElideDelegate(view_));
  }
  connect(view_->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int width) {
            if (!fitting_ && column < column_captions_.size() - 1) user_widths_[column] = width;
          });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(caption_);
  layout->addWidget(view_, 1);
}

void ShowAsRows(QTableView* view, QAbstractItemModel* model) {
  view->setModel(model);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setWordWrap(false);
  view->setAlternatingRowColors(true);
  view->verticalHeader()->setVisible(false);
  view->horizontalHeader()->setStretchLastSection(true);
  view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

bool ResultGrid::IsRecordGrid() const {
  return column_captions_.value(2) == QLatin1String("Record Data");
}

void ResultGrid::setCaption(const QString& caption) {
  caption_text_ = caption;
  caption_->setToolTip(caption);
  ShowCaption();
}

QString ResultGrid::caption() const {
  return caption_text_;
}

// A long caption is shortened to the grid's width instead of widening the
// window; until the grid is shown its width is not known.
void ResultGrid::ShowCaption() {
  if (!isVisible()) {
    caption_->setText(caption_text_);
    return;
  }
  const QMargins margins = caption_->contentsMargins();
  caption_->setText(caption_->fontMetrics().elidedText(caption_text_, Qt::ElideRight,
                                                       width() - margins.left() - margins.right()));
}

void ResultGrid::setRows(const GridRows& rows, const QString& connection_name) {
  model_->SetRows(rows, QSqlDatabase::database(connection_name, false));
  FitColumns();
}

const GridRows& ResultGrid::rows() const {
  return model_->Rows();
}

// The number columns of the record grids take what their caption needs. In
// the error grid the reference and the entry take what their texts need, up
// to a share of the width; the description takes the rest. A column the user
// has sized keeps its width.
void ResultGrid::FitColumns() {
  fitting_ = true;
  const int width = view_->viewport()->width();
  const int number_width = view_->fontMetrics().horizontalAdvance(QStringLiteral("ErrCount")) + 24;
  const int fitted[2] = {
      IsRecordGrid() ? number_width : std::min(ContentWidth(0), width * 45 / 100),
      IsRecordGrid() ? number_width : std::min(ContentWidth(1), width * 20 / 100)};
  for (int column : {0, 1}) {
    const auto user = user_widths_.find(column);
    view_->setColumnWidth(column, user != user_widths_.end() ? user->second : fitted[column]);
  }
  fitting_ = false;
}

int ResultGrid::ContentWidth(int column) const {
  const QFontMetrics metrics = view_->fontMetrics();
  const int padding =
      2 * view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 16;
  int widest = view_->horizontalHeader()->sectionSizeHint(column);
  const int rows = std::min(model_->rowCount(), kMeasuredRows);
  for (int row = 0; row < rows; ++row) {
    widest = std::max(
        widest, metrics.horizontalAdvance(model_->index(row, column).data().toString()) + padding);
  }
  return widest;
}

void ResultGrid::showEvent(QShowEvent* event) {
  QFrame::showEvent(event);
  ShowCaption();
}

void ResultGrid::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  ShowCaption();
  FitColumns();
}

void ResultGrid::clear() {
  model_->Clear();
}

QString ResultGrid::currentText(int column) const {
  const QModelIndex current = view_->currentIndex();
  if (!current.isValid()) return {};
  return model_->index(current.row(), column).data().toString();
}

bool ResultGrid::goToKey(int64_t key) {
  const int row = model_->RowOf(key);
  if (row < 0) return false;
  const QModelIndex index = model_->index(row, 0);
  view_->setCurrentIndex(index);
  view_->scrollTo(index, QAbstractItemView::PositionAtCenter);
  return true;
}

}  // namespace ledgerly::gui
