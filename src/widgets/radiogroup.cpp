#include "widgets/radiogroup.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int itemIndex,
                       QWidget* parent, Qt::Orientation orientation)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)) {
  QBoxLayout* lay = orientation == Qt::Vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(this))
                                                : static_cast<QBoxLayout*>(new QHBoxLayout(this));
  lay->setContentsMargins(6, 2, 6, 2);
  lay->setSpacing(1);
  for (int i = 0; i < items.size(); ++i) {
    auto* rb = new QRadioButton(items[i], this);
    group_->addButton(rb, i);
    lay->addWidget(rb);
  }
  if (itemIndex >= 0 && itemIndex < items.size()) group_->button(itemIndex)->setChecked(true);
  connect(group_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) emit clicked();
  });
}

int RadioGroup::itemIndex() const { return group_->checkedId(); }

void RadioGroup::setItemIndex(int i) {
  if (i == itemIndex()) return;
  if (i < 0 || i >= count()) {
    group_->setExclusive(false);
    if (auto* b = group_->checkedButton()) b->setChecked(false);
    group_->setExclusive(true);
    return;
  }
  group_->button(i)->setChecked(true);
}

int RadioGroup::count() const { return group_->buttons().size(); }
QString RadioGroup::item(int i) const { return i >= 0 && i < count() ? group_->button(i)->text() : QString(); }
void RadioGroup::clickItem(int i) {
  if (i >= 0 && i < count()) group_->button(i)->click();
}
