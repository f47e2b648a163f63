#pragma once
// TForm1::widget<W>(name): the window's widget of that design name.
#include "platform/errorguard.h"

template <class W>
W* TForm1::widget(const QString& name) const {
  W* w = findChild<W*>(name);
  if (!w) throw tirra::StationError("the window has no control named " + name);
  return w;
}

// Index of sender in a family array, -1 when it is none of them.
template <class A>
int indexOfSender(const A& family, const QObject* sender) {
  for (int i = 0; i < int(family.size()); ++i)
    if (static_cast<const QObject*>(family[i]) == sender) return i;
  return -1;
}
