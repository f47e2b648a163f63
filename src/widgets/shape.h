#pragma once
// A filled rectangle or circle whose brush colour carries a state (training box, keys,
// detectors). A mouse press is reported for the shapes that explain themselves.
#include <QColor>
#include <QWidget>

class Shape : public QWidget {
  Q_OBJECT
 public:
  enum class Kind { Rectangle, Circle };
  explicit Shape(Kind kind = Kind::Rectangle, QColor brush = Qt::black, QWidget* parent = nullptr);
  Kind kind() const { return kind_; }
  QColor brushColor() const { return brush_; }
  void setBrushColor(const QColor& c);
  QSize sizeHint() const override { return {20, 20}; }

 signals:
  void mousePressed(Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  Kind kind_;
  QColor brush_;
};
