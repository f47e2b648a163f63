#pragma once
// Finding controls as a person reads them: by name, and by the caption they show.
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

namespace tirra::test {

// The text a control shows as its caption, whatever its kind.
inline QString shownText(QObject* o) {
  if (auto* b = qobject_cast<QAbstractButton*>(o)) return b->text();
  if (auto* l = qobject_cast<QLabel*>(o)) return l->text();
  if (auto* g = qobject_cast<QGroupBox*>(o)) return g->title();
  if (auto* e = qobject_cast<QLineEdit*>(o)) return e->text();
  return "<no caption>";
}

// The control of that name and kind under root; a missing one fails the test.
template <class W>
W* child(QWidget* root, const QString& name) {
  auto* w = root->findChild<W*>(name);
  EXPECT_NE(w, nullptr) << "missing " << name.toStdString() << " of the expected kind";
  return w;
}

}  // namespace tirra::test
