#pragma once
// A label that shows a number with a set number of decimals and an optional suffix
// ("2.0s", "0.1000/s").
#include <QLabel>

class NumLab : public QLabel {
  Q_OBJECT
 public:
  explicit NumLab(QWidget* parent = nullptr, double value = 0, int decimals = 0,
                  const QString& suffix = {});
  double value() const { return value_; }
  void setValue(double v);
  int decimals() const { return decimals_; }
  void setDecimals(int d);
  QString suffix() const { return suffix_; }
  void setSuffix(const QString& s);

 private:
  void redraw();
  double value_ = 0;
  int decimals_ = 0;
  QString suffix_;
};
