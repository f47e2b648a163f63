#include "widgets/spinbutton.h"

#include <QToolButton>
#include <QVBoxLayout>

SpinButton::SpinButton(QWidget* parent) : QWidget(parent) {
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  lay->setSpacing(0);
  up_ = new QToolButton(this);
  down_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up_, down_}) {
    b->setFixedSize(16, 10);
    b->setAutoRaise(false);
    b->setFocusPolicy(Qt::NoFocus);
    lay->addWidget(b);
  }
  connect(up_, &QToolButton::clicked, this, &SpinButton::upClick);
  connect(down_, &QToolButton::clicked, this, &SpinButton::downClick);
  setFixedSize(16, 20);
}

void SpinButton::clickUp() { up_->click(); }
void SpinButton::clickDown() { down_->click(); }

UpDown::UpDown(QWidget* parent, int min, int max, int position)
    : SpinButton(parent), min_(min), max_(max), position_(position) {
  connect(this, &SpinButton::upClick, this, [this] {
    if (position_ < max_) ++position_;
    emit changing(position_);
  });
  connect(this, &SpinButton::downClick, this, [this] {
    if (position_ > min_) --position_;
    emit changing(position_);
  });
}

void UpDown::setPosition(int p) { position_ = qBound(min_, p, max_); }
