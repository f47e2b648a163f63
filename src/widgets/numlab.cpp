#include "widgets/numlab.h"

NumLab::NumLab(QWidget* parent, double value, int decimals, const QString& suffix)
    : QLabel(parent), value_(value), decimals_(decimals), suffix_(suffix) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setMinimumWidth(24);
  redraw();
}

void NumLab::setValue(double v) {
  value_ = v;
  redraw();
}

void NumLab::setDecimals(int d) {
  decimals_ = d;
  redraw();
}

void NumLab::setSuffix(const QString& s) {
  suffix_ = s;
  redraw();
}

void NumLab::redraw() { setText(QString::number(value_, 'f', decimals_) + suffix_); }
