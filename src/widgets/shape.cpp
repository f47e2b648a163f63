#include "widgets/shape.h"

#include <QMouseEvent>
#include <QPainter>

Shape::Shape(Kind kind, QColor brush, QWidget* parent) : QWidget(parent), kind_(kind), brush_(brush) {}

void Shape::setBrushColor(const QColor& c) {
  if (c == brush_) return;
  brush_ = c;
  update();
}

void Shape::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, kind_ == Kind::Circle);
  p.setPen(QPen(QColor(40, 40, 40), 1));
  p.setBrush(brush_);
  const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -1, -1);
  if (kind_ == Kind::Circle) {
    const qreal d = qMin(r.width(), r.height());
    p.drawEllipse(QRectF(r.center().x() - d / 2, r.center().y() - d / 2, d, d));
  } else {
    p.drawRect(r);
  }
}

void Shape::mousePressEvent(QMouseEvent* e) {
  emit mousePressed(e->button());
  QWidget::mousePressEvent(e);
}
