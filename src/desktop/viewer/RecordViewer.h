#pragma once

#include <QColor>
#include <QWidget>
#include <vector>

#include "viewer/RecordView.h"

class QLabel;
class QLineEdit;
class QScrollBar;

namespace ledgerly::gui {

// The record field viewer: the column headings lblFName / lblFData over two
// columns of boxes, label Text1_i and value Text2_i for field number i, and
// the scroll bar VScroll1. Only whole rows are shown; the scroll bar's value is
// the row at the top.
class RecordViewer : public QWidget {
  Q_OBJECT

 public:
  explicit RecordViewer(QWidget* parent = nullptr);

  // The light yellow of a faulty field's value box.
  static QColor HighlightColour() { return QColor(255, 255, 128); }

  // Creates rows 1 … n-1 under row 0, which always exists.
  void LoadLabels(int n);
  // Removes every row but row 0, empties it and resets the scroll bar.
  void UnloadLabels();
  // Clears the viewer and shows these rows from the top.
  void ShowRows(const std::vector<ViewerRow>& rows);

  int RowCount() const { return static_cast<int>(rows_.size()); }
  // As many whole rows as fit in the viewer area.
  int VisibleRows() const;
  QLineEdit* LabelBox(int row) const;
  QLineEdit* ValueBox(int row) const;
  QScrollBar* ScrollBar() const { return vscroll_; }
  // The width the scroll bar takes at the right edge.
  int ScrollBarWidth() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  struct Row {
    QLineEdit* label;
    QLineEdit* value;
  };

  Row MakeRow(int index);
  void SetHighlighted(QLineEdit* box, bool highlighted);
  int RowHeight() const;
  int LabelColumnWidth() const;
  void LayOut();
  void PlaceRows();
  // Scrolls by one row when the row is outside the visible area.
  void BringIntoView(int row);

  QLabel* lbl_fname_;
  QLabel* lbl_fdata_;
  QWidget* area_;
  QScrollBar* vscroll_;
  std::vector<Row> rows_;
};

}  // namespace ledgerly::gui
