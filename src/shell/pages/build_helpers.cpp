#include "shell/pages/build_helpers.h"

namespace pages {

QString caption(const QString& stored) { return stored; }  // Qt also shows "&&" as "&"

QString labelText(const QString& stored) {
  QString t = stored;
  t.replace("&&", "&");
  return t;
}

QSlider* trackBar(const QString& name, int min, int max, int position, Qt::Orientation o,
                  QWidget* parent) {
  auto* s = named(new QSlider(o, parent), name);
  s->setRange(min, max);
  s->setValue(position);
  s->setTickPosition(QSlider::NoTicks);
  return s;
}

QCheckBox* checkBox(const QString& name, const QString& text, bool checked, QWidget* parent) {
  auto* b = named(new QCheckBox(caption(text), parent), name);
  b->setChecked(checked);
  return b;
}

QLabel* label(const QString& name, const QString& text, QWidget* parent) {
  auto* l = new QLabel(labelText(text), parent);
  if (!name.isEmpty()) l->setObjectName(name);
  return l;
}

NumLab* numLab(const QString& name, double value, int decimals, const QString& suffix,
               QWidget* parent) {
  return named(new NumLab(parent, value, decimals, suffix), name);
}

QPushButton* button(const QString& name, const QString& text, const QString& hint, QWidget* parent) {
  auto* b = named(new QPushButton(caption(text), parent), name);
  if (!hint.isEmpty()) b->setToolTip(hint);
  return b;
}

QToolButton* toggleButton(const QString& name, const QString& text, const QString& hint,
                          QWidget* parent) {
  auto* b = speedButton(name, text, hint, parent);
  b->setCheckable(true);
  return b;
}

QToolButton* speedButton(const QString& name, const QString& text, const QString& hint,
                         QWidget* parent) {
  auto* b = named(new QToolButton(parent), name);
  b->setText(caption(text));
  b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  if (!hint.isEmpty()) b->setToolTip(hint);
  return b;
}

QLineEdit* edit(const QString& name, const QString& text, const QString& hint, QWidget* parent) {
  auto* e = named(new QLineEdit(text, parent), name);
  if (!hint.isEmpty()) e->setToolTip(hint);
  return e;
}

QComboBox* comboBox(const QString& name, const QStringList& items, int itemIndex, QWidget* parent) {
  auto* c = named(new QComboBox(parent), name);
  c->addItems(items);
  c->setCurrentIndex(itemIndex);
  return c;
}

RadioGroup* radioGroup(const QString& name, const QString& text, const QStringList& items,
                       int itemIndex, QWidget* parent, Qt::Orientation o) {
  QStringList shown;
  for (const QString& i : items) shown << caption(i);
  return named(new RadioGroup(caption(text), shown, itemIndex, parent, o), name);
}

QFrame* panel(const QString& name, QWidget* parent) {
  auto* f = new QFrame(parent);
  if (!name.isEmpty()) f->setObjectName(name);
  f->setFrameShape(QFrame::StyledPanel);
  f->setAutoFillBackground(true);
  return f;
}

Shape* shape(const QString& name, Shape::Kind kind, const QColor& brush, QWidget* parent) {
  return named(new Shape(kind, brush, parent), name);
}

SpinButton* spinButton(const QString& name, QWidget* parent) {
  return named(new SpinButton(parent), name);
}

UpDown* upDown(const QString& name, int min, int max, int position, QWidget* parent) {
  return named(new UpDown(parent, min, max, position), name);
}

QDateEdit* datePicker(const QString& name, QWidget* parent) {
  auto* d = named(new QDateEdit(parent), name);
  d->setCalendarPopup(true);
  d->setDisplayFormat("yyyy-MM-dd");
  return d;
}

QProgressBar* progressBar(const QString& name, int min, int max, Qt::Orientation o, QWidget* parent) {
  auto* p = named(new QProgressBar(parent), name);
  p->setOrientation(o);
  p->setRange(min, max);
  p->setValue(min);
  p->setTextVisible(false);
  return p;
}

QLabel* note(const QString& text, QWidget* parent) {
  auto* l = label({}, text, parent);
  l->setWordWrap(true);
  l->setStyleSheet("color: rgb(60,60,60);");
  return l;
}

FileListBox* fileList(const QString& name, QWidget* parent) {
  return named(new FileListBox(parent), name);
}

}  // namespace pages
