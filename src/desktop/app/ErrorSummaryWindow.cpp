#include "desktop/app/ErrorSummaryWindow.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "desktop/app/ResultGrid.h"

namespace ledgerly::gui {
namespace {

enum Column { kCount, kReference, kError, kFirstRecords };

QString FirstRecords(const ErrorSummaryRow& row) {
  QStringList numbers;
  for (int64_t rec_num : row.first_rec_nums) numbers << QString::number(rec_num);
  // A full list may have more records after it.
  if (row.first_rec_nums.size() == static_cast<std::size_t>(kSummaryRecNums)) numbers << "...";
  return numbers.join(QStringLiteral(", "));
}

QStandardItem* Item(const QString& text, Qt::Alignment alignment = Qt::AlignLeft) {
  auto* item = new QStandardItem(text);
  item->setEditable(false);
  item->setTextAlignment(alignment | Qt::AlignVCenter);
  item->setToolTip(text);
  return item;
}

}  // namespace

ErrorSummaryWindow::ErrorSummaryWindow(const std::vector<ErrorSummaryRow>& rows, QWidget* parent)
    : QDialog(parent), view_(new QTableView(this)), model_(new QStandardItemModel(this)) {
  setObjectName(QStringLiteral("frmErrorSummary"));
  setWindowTitle(QStringLiteral("Error Summary"));
  setAttribute(Qt::WA_DeleteOnClose);

  model_->setHorizontalHeaderLabels({QStringLiteral("Count"), QStringLiteral("Error Reference"),
                                     QStringLiteral("Error Description"),
                                     QStringLiteral("First Records")});
  int64_t errors = 0;
  for (const ErrorSummaryRow& row : rows) {
    errors += row.count;
    model_->appendRow({Item(QString::number(row.count), Qt::AlignRight),
                       Item(QString::fromStdString(row.reference)),
                       Item(QString::fromStdString(row.error)), Item(FirstRecords(row))});
  }

  view_->setObjectName(QStringLiteral("grdSummary"));
  ShowAsRows(view_, model_);
  view_->setTextElideMode(Qt::ElideMiddle);
  view_->resizeColumnsToContents();
  view_->setColumnWidth(kReference, std::min(view_->columnWidth(kReference), 360));
  view_->setColumnWidth(kError, std::min(view_->columnWidth(kError), 420));

  // The records of a kind of error are shown as soon as its row is chosen.
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!current.isValid()) return;
            emit errorChosen(model_->item(current.row(), kReference)->text(),
                             model_->item(current.row(), kError)->text());
          });

  auto* heading =
      new QLabel(QStringLiteral("%1 kind(s) of error, %2 error(s). Choose one to see its records.")
                     .arg(rows.size())
                     .arg(errors),
                 this);
  heading->setObjectName(QStringLiteral("lblSummary"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(view_, 1);
  layout->addWidget(buttons);
  resize(960, 420);
}

}  // namespace ledgerly::gui
