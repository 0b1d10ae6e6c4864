#include "desktop/app/ResultGrid.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

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

}  // namespace

ResultGrid::ResultGrid(const QString& grid_name, const QString& model_name,
                       QStringList column_captions, QWidget* parent)
    : QFrame(parent),
      caption_(new QLabel(this)),
      view_(new QTableView(this)),
      model_(new QSqlQueryModel(this)),
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

  view_->setModel(model_);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setWordWrap(false);
  view_->setAlternatingRowColors(true);
  view_->setTabKeyNavigation(false);
  view_->setFrameShape(QFrame::NoFrame);
  view_->verticalHeader()->setVisible(false);
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
  view_->horizontalHeader()->setStretchLastSection(true);
  view_->horizontalHeader()->setHighlightSections(false);
  view_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  if (column_captions_.value(2) == QLatin1String("Record Data")) {
    view_->setItemDelegateForColumn(2, new FixedFontDelegate(view_));
  }

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(caption_);
  layout->addWidget(view_, 1);
}

void ResultGrid::setCaption(const QString& caption) {
  caption_->setText(caption);
}

void ResultGrid::setQuery(const QString& sql, const QString& connection_name) {
  model_->setQuery(sql, QSqlDatabase::database(connection_name, false));
  for (int column = 0; column < column_captions_.size(); ++column) {
    model_->setHeaderData(column, Qt::Horizontal, column_captions_[column]);
  }
  FitColumns();
}

// The number columns take what they need; in the error grid the reference and
// the entry share the width with the description. The last column takes the rest.
void ResultGrid::FitColumns() {
  if (column_captions_.value(2) == QLatin1String("Record Data")) {
    const int number_width =
        view_->fontMetrics().horizontalAdvance(QStringLiteral("ErrCount")) + 24;
    view_->setColumnWidth(0, number_width);
    view_->setColumnWidth(1, number_width);
  } else {
    const int width = view_->viewport()->width();
    view_->setColumnWidth(0, width * 32 / 100);
    view_->setColumnWidth(1, width * 22 / 100);
  }
}

void ResultGrid::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  FitColumns();
}

QString ResultGrid::lastQuery() const {
  return model_->query().lastQuery();
}

void ResultGrid::clear() {
  model_->clear();
}

QString ResultGrid::currentText(int column) const {
  const QModelIndex current = view_->currentIndex();
  if (!current.isValid()) return {};
  return model_->index(current.row(), column).data().toString();
}

}  // namespace ledgerly::gui
