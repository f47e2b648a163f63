#pragma once
// A layout that places its widgets left to right and starts a new row when the next one
// does not fit. The sound lists use it so that one-list mode fills two columns with first
// lists, and two-list mode shows each channel's pair side by side, without re-arranging
// anything when the mode changes (a hidden widget simply takes no place).
#include <QLayout>
#include <QList>

namespace pages {

class FlowLayout : public QLayout {
 public:
  explicit FlowLayout(QWidget* parent = nullptr, int spacing = 6);
  ~FlowLayout() override;

  void addItem(QLayoutItem* item) override;
  int count() const override { return int(items_.size()); }
  QLayoutItem* itemAt(int index) const override { return items_.value(index); }
  QLayoutItem* takeAt(int index) override;
  Qt::Orientations expandingDirections() const override { return {}; }
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override { return arrange(QRect(0, 0, width, 0), false); }
  QSize minimumSize() const override;
  QSize sizeHint() const override { return minimumSize(); }
  void setGeometry(const QRect& rect) override;

 private:
  // Places the items in rect (or only measures) and returns the height used.
  int arrange(const QRect& rect, bool place) const;
  QList<QLayoutItem*> items_;
  int gap_;
};

}  // namespace pages
