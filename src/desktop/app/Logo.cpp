#include "desktop/app/Logo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace ledgerly::gui {

QPixmap LogoPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;

  QLinearGradient background(0, 0, 0, s);
  background.setColorAt(0, QColor(0x1f, 0x5f, 0x8b));
  background.setColorAt(1, QColor(0x12, 0x3a, 0x5a));
  painter.setPen(Qt::NoPen);
  painter.setBrush(background);
  painter.drawRoundedRect(QRectF(0, 0, s, s), s * 0.16, s * 0.16);

  // The ledger page.
  const QRectF page(s * 0.22, s * 0.14, s * 0.56, s * 0.72);
  painter.setBrush(QColor(0xf7, 0xf4, 0xea));
  painter.drawRoundedRect(page, s * 0.04, s * 0.04);
  painter.setPen(QPen(QColor(0x9a, 0xb4, 0xc8), s * 0.025));
  for (int line = 0; line < 5; ++line) {
    const qreal y = page.top() + page.height() * (0.2 + 0.15 * line);
    painter.drawLine(QPointF(page.left() + s * 0.07, y), QPointF(page.right() - s * 0.07, y));
  }

  // The check mark.
  QPainterPath check;
  check.moveTo(s * 0.40, s * 0.62);
  check.lineTo(s * 0.52, s * 0.74);
  check.lineTo(s * 0.86, s * 0.36);
  painter.setPen(
      QPen(QColor(0x2e, 0xa0, 0x43), s * 0.09, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(check);
  return pixmap;
}

}  // namespace ledgerly::gui
