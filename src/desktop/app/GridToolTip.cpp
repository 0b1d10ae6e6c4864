#include "desktop/app/GridToolTip.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdlib>

namespace ledgerly::gui {
namespace {

// Right of the pointer and well below it, clear of the pointer's own image.
constexpr int kOffsetX = 15;
constexpr int kOffsetY = 64;

}  // namespace

QString WrapToolTipText(const QString& text, const std::function<int(const QString&)>& width) {
  if (width(text) <= kWrapWidth) return text;
  QStringList lines;
  QString line;
  qsizetype start = 0;
  while (start < text.size()) {
    // A word ends at (and keeps) its blank.
    qsizetype end = text.indexOf(QLatin1Char(' '), start);
    end = end < 0 ? text.size() : end + 1;
    line += text.mid(start, end - start);
    start = end;
    while (width(line) > kWrapWidth) {
      qsizetype cut = line.size();
      while (cut > 5 && width(line.left(cut)) > kMaxLineWidth) cut -= 5;
      lines << line.left(cut);
      line = line.mid(cut);
    }
  }
  if (!line.isEmpty()) lines << line;
  return lines.join(QLatin1Char('\n'));
}

ToolTipWindow::ToolTipWindow(QWidget* owner)
    : QFrame(owner, Qt::ToolTip),
      tip_text_(new QLabel(this)),
      timer_(new QTimer(this)),
      pointer_([] { return QCursor::pos(); }) {
  setObjectName(QStringLiteral("fToolTips"));
  setFrameShape(QFrame::Box);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::ToolTipBase);
  tip_text_->setObjectName(QStringLiteral("TipText"));
  tip_text_->setTextFormat(Qt::PlainText);
  tip_text_->setForegroundRole(QPalette::ToolTipText);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 3, 6, 3);
  layout->addWidget(tip_text_);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(kTickMs);
  connect(timer_, &QTimer::timeout, this, &ToolTipWindow::Tick);
}

QString ToolTipWindow::Caption() const {
  return tip_text_->text();
}

bool ToolTipWindow::Still(QPoint pointer) const {
  return std::abs(pointer.x() - armed_at_.x()) < 2 && std::abs(pointer.y() - armed_at_.y()) < 2;
}

void ToolTipWindow::Disarm() {
  hide();
  ticks_ = kDisarmed;
  timer_->stop();
}

void ToolTipWindow::GridToolTip(QTableView* grid, QPoint position, bool enabled) {
  if (last_position_ == position) return;
  last_position_ = position;
  // A tremble of less than 2 pixels keeps what is armed or shown.
  if (ticks_ < kDisarmed && Still(grid->viewport()->mapToGlobal(position))) return;
  Disarm();
  const QModelIndex cell = grid->indexAt(position);
  const QWidget* active = QApplication::activeWindow();
  if (!cell.isValid() || !enabled || (active != grid->window() && active != this)) return;
  ticks_ = 0;
  ShowToolTip(cell.data().toString(), grid, position);
  timer_->start();
}

void ToolTipWindow::ShowToolTip(const QString& text, QTableView* grid, QPoint position) {
  armed_at_ = pointer_();
  if (text != str_text_) {
    const QFontMetrics metrics = tip_text_->fontMetrics();
    tip_text_->setText(WrapToolTipText(
        text, [&metrics](const QString& line) { return metrics.horizontalAdvance(line); }));
    adjustSize();
    str_text_ = text;
  }
  const QPoint pointer = grid->viewport()->mapToGlobal(position);
  const QScreen* screen = grid->screen();
  const QRect bounds = screen ? screen->geometry() : QRect(0, 0, 1 << 20, 1 << 20);
  int left = pointer.x() + kOffsetX - width() / 2;
  while (left + width() > bounds.right() + 1 && left > bounds.left()) left -= 10;
  left = std::max(left, bounds.left());
  move(left, pointer.y() + kOffsetY);
}

void ToolTipWindow::Tick() {
  ++ticks_;
  const bool still = Still(pointer_());
  if (ticks_ == kShowTick) {
    if (!tip_text_->text().isEmpty() && still) {
      show();
    } else {
      hide();
    }
  } else if (!still && isVisible()) {
    hide();
  }
  if (ticks_ > 10000) ticks_ = kDisarmed;
  // Nothing left to wait for: the timer rests until the next arming.
  if (ticks_ > kShowTick && !isVisible()) timer_->stop();
}

}  // namespace ledgerly::gui
