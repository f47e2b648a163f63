#include "shell/pages/playbacks_flowlayout.h"

#include <QPair>
#include <QWidget>

namespace pages {

FlowLayout::FlowLayout(QWidget* parent, int spacing) : QLayout(parent), gap_(spacing) {}

FlowLayout::~FlowLayout() {
  while (QLayoutItem* item = takeAt(0)) delete item;
}

void FlowLayout::addItem(QLayoutItem* item) { items_.append(item); }

QLayoutItem* FlowLayout::takeAt(int index) {
  return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

QSize FlowLayout::minimumSize() const {
  QSize size;
  for (const QLayoutItem* item : items_)
    if (!item->isEmpty()) size = size.expandedTo(item->minimumSize());
  const QMargins m = contentsMargins();
  return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

void FlowLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  arrange(rect, true);
}

int FlowLayout::arrange(const QRect& rect, bool place) const {
  const QRect area = rect.marginsRemoved(contentsMargins());
  int y = area.y();
  QList<QPair<QLayoutItem*, QSize>> row;  // the items of the row being filled
  int rowWidth = 0;
  int rowHeight = 0;
  // Items of one row share its height, so neighbouring panels line up.
  auto finishRow = [&] {
    if (place) {
      int x = area.x();
      for (const auto& [item, size] : row) {
        item->setGeometry(QRect(x, y, size.width(), rowHeight));
        x += size.width() + gap_;
      }
    }
    y += rowHeight + gap_;
    row.clear();
    rowWidth = rowHeight = 0;
  };
  for (QLayoutItem* item : items_) {
    if (item->isEmpty()) continue;  // hidden widgets take no place
    const QSize size = item->sizeHint().expandedTo(item->minimumSize());
    if (!row.isEmpty() && rowWidth + gap_ + size.width() > area.width()) finishRow();
    rowWidth += (row.isEmpty() ? 0 : gap_) + size.width();
    rowHeight = qMax(rowHeight, size.height());
    row.append({item, size});
  }
  if (!row.isEmpty()) finishRow();
  const int used = y == area.y() ? 0 : y - gap_ - area.y();
  const QMargins m = contentsMargins();
  return used + m.top() + m.bottom();
}

}  // namespace pages
