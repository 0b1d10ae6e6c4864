#pragma once

#include <QFrame>
#include <QPoint>
#include <QString>
#include <functional>
#include <optional>

class QLabel;
class QTableView;
class QTimer;

namespace ledgerly::gui {

// Breaks a text wider than kWrapWidth pixels into lines: a line ends after the
// word that takes it past kWrapWidth, shortened five characters at a time while
// it is wider than kMaxLineWidth. `width` measures a text in pixels.
inline constexpr int kWrapWidth = 570;
inline constexpr int kMaxLineWidth = 630;
QString WrapToolTipText(const QString& text, const std::function<int(const QString&)>& width);

// fToolTips: shows the full text of a grid cell once the pointer has rested on
// it for 15 ticks of 10 ms, and hides it when the pointer moves 2 pixels.
class ToolTipWindow : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kTickMs = 10;
  static constexpr int kShowTick = 15;
  static constexpr int kDisarmed = 200;

  explicit ToolTipWindow(QWidget* owner);

  // From the grid's mouse-move event; position is in the grid's viewport.
  void GridToolTip(QTableView* grid, QPoint position, bool enabled);
  // Fills, sizes and places the window and arms it.
  void ShowToolTip(const QString& text, QTableView* grid, QPoint position);
  // One tick of Timer1.
  void Tick();
  void Disarm();

  // TipText's caption: the cell's text, a long one in lines. A plain-text
  // label shows "&" as it is, so ampersands need no escaping.
  QString Caption() const;
  int Ticks() const { return ticks_; }
  // Where the pointer is on the screen; tests put it where they like.
  void SetPointerSource(std::function<QPoint()> pointer) { pointer_ = std::move(pointer); }

 private:
  bool Still(QPoint pointer) const;

  QLabel* tip_text_;
  QTimer* timer_;
  QString str_text_;
  int ticks_ = kDisarmed;  // intM
  QPoint armed_at_;        // poldX, poldY
  std::optional<QPoint> last_position_;
  std::function<QPoint()> pointer_;
};

}  // namespace ledgerly::gui
