#include "widgets/colours.h"

#include <QWidget>

namespace colours {

void setBackground(QWidget* w, const QColor& colour) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, colour);
  p.setColor(QPalette::WindowText, colour.lightness() < 128 ? Qt::white : Qt::black);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

}  // namespace colours
