// The "Animals" page: one row per channel with the bird on it (name, age, hatch date,
// training start and stop dates) and the buttons that put a new or a registered bird on
// the channel; "Update All" below reloads every bird row.
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "shell/pages/build_helpers.h"
#include "shell/pages/pages.h"

using namespace pages;

namespace {

// Widths of the row's slots, shared by the column titles and the ten channel rows so
// that they line up: channel, New, Change, bird, age, hatch, training start, stop.
constexpr int kSlot[] = {70, 64, 64, 110, 84, 160, 178, 178};
constexpr int kSpacing = 8;

QHBoxLayout* rowLayout(QWidget* holder) {
  auto* h = new QHBoxLayout(holder);
  h->setContentsMargins(8, 4, 8, 4);
  h->setSpacing(kSpacing);
  return h;
}

// Puts widgets side by side into one slot of fixed width.
void addSlot(QHBoxLayout* row, int slot, std::initializer_list<QWidget*> widgets,
             Qt::Alignment align = Qt::AlignLeft) {
  auto* cell = new QWidget;
  cell->setFixedWidth(kSlot[slot]);
  auto* h = new QHBoxLayout(cell);
  h->setContentsMargins(0, 0, 0, 0);
  h->setSpacing(4);
  if (align & Qt::AlignRight) h->addStretch(1);
  for (QWidget* w : widgets) h->addWidget(w);
  if (!(align & Qt::AlignRight)) h->addStretch(1);
  row->addWidget(cell);
}

QLabel* heading(const QString& text) {
  auto* l = label({}, text);
  l->setStyleSheet("font-weight: bold; color: rgb(70,70,70);");
  return l;
}

QDateEdit* birdDate(const QString& name, const QString& hint) {
  auto* d = datePicker(name);
  d->setDate(QDate::currentDate());
  d->setToolTip(hint);
  d->setFixedWidth(112);
  return d;
}

QWidget* titles() {
  auto* w = new QWidget;
  auto* h = rowLayout(w);
  addSlot(h, 0, {heading("Channel")});
  addSlot(h, 1, {});
  addSlot(h, 2, {});
  addSlot(h, 3, {heading("Bird")});
  addSlot(h, 4, {heading("Age (days)")}, Qt::AlignRight);
  addSlot(h, 5, {heading("Hatched")}, Qt::AlignRight);
  addSlot(h, 6, {heading("Training starts")}, Qt::AlignRight);
  addSlot(h, 7, {heading("Training stops")}, Qt::AlignRight);
  h->addStretch(1);
  return w;
}

// Channel N's panel, laid out as one line of the table.
QFrame* channelRow(int n) {
  const QString N = QString::number(n);
  auto* row = panel("bird_panel" + N);
  row->setFrameShape(QFrame::StyledPanel);
  row->setMinimumHeight(54);
  auto* h = rowLayout(row);

  auto* channel = label({}, N);
  channel->setStyleSheet("font: bold 12pt;");
  addSlot(h, 0, {channel});

  auto* fresh = speedButton("set" + N, "   New", "describe a new bird and put it on this channel");
  auto* change = speedButton("chang_bird" + N, "Change", "put a registered bird on this channel");
  for (QToolButton* b : {fresh, change}) b->setFixedWidth(kSlot[1]);
  addSlot(h, 1, {fresh});
  addSlot(h, 2, {change});

  auto* id = label("ID" + N, "------");
  id->setStyleSheet("font: bold 11pt; color: rgb(0,0,128);");
  id->setToolTip("the bird on this channel");
  addSlot(h, 3, {id});

  auto* age = label("Age" + N, "----");
  age->setStyleSheet("font: 11pt;");
  age->setToolTip("age in days");
  addSlot(h, 4, {age}, Qt::AlignRight);

  addSlot(h, 5, {label({}, "Hatch:"), birdDate("hatch" + N, "hatching date")}, Qt::AlignRight);
  addSlot(h, 6, {checkBox("toTrain" + N, "Train"), birdDate("start" + N, "training starts")},
          Qt::AlignRight);
  addSlot(h, 7, {checkBox("toStop" + N, "Stop"), birdDate("end" + N, "training stops")},
          Qt::AlignRight);
  h->addStretch(1);
  return row;
}

}  // namespace

QWidget* buildAnimalsPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet9");
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(8, 8, 8, 8);
  v->setSpacing(6);

  auto* box = new QGroupBox("Birds on the channels");
  auto* rows = new QVBoxLayout(box);
  rows->setSpacing(6);
  rows->addWidget(titles());
  for (int n = 1; n <= 10; ++n) rows->addWidget(channelRow(n));
  v->addWidget(box);

  auto* bottom = new QHBoxLayout;
  auto* note = label({}, "New: describe a new bird and add it to the register.   Change: pick a "
                         "registered bird.   Dates are stored with the channel's bird at once.");
  note->setStyleSheet("color: rgb(70,70,70);");
  bottom->addWidget(note, 1);
  auto* update = button("update_tables", "Update All", "reload every channel's bird from the database");
  update->setMinimumWidth(120);
  bottom->addWidget(update);
  v->addLayout(bottom);
  v->addStretch(1);
  return page;
}
