#pragma once
// A pair of small up and down arrows. SpinButton reports the user's clicks only;
// UpDown also keeps a position within a range, stepped by the clicks.
#include <QWidget>

class QToolButton;

class SpinButton : public QWidget {
  Q_OBJECT
 public:
  explicit SpinButton(QWidget* parent = nullptr);
  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }
  // Press an arrow as the user would.
  void clickUp();
  void clickDown();

 signals:
  void upClick();
  void downClick();

 private:
  QToolButton* up_;
  QToolButton* down_;
};

class UpDown : public SpinButton {
  Q_OBJECT
 public:
  explicit UpDown(QWidget* parent = nullptr, int min = 0, int max = 100, int position = 0);
  int position() const { return position_; }
  void setPosition(int p);  // by program: no signal
  int minimum() const { return min_; }
  int maximum() const { return max_; }

 signals:
  // After each user step (also when the step is stopped at the range's end).
  void changing(int position);

 private:
  int min_, max_, position_;
};
