// The "Log && options" page: the activity log (the key-peck table in a grid, its row
// limit, tracking and emptying), the database choice and the default settings, the
// waveform display options, and the system messages memo.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTableView>
#include <QVBoxLayout>

#include "shell/pages/build_helpers.h"
#include "shell/pages/pages.h"

using namespace pages;

namespace {

QGroupBox* activityLog() {
  auto* box = named(new QGroupBox("Activity log"), "activity_log");
  auto* v = new QVBoxLayout(box);
  v->setSpacing(6);

  auto* grid = named(new QTableView, "playbackDisplay");
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setAlternatingRowColors(true);
  grid->verticalHeader()->setDefaultSectionSize(20);
  v->addWidget(grid, 1);

  auto* range = new QHBoxLayout;
  range->addWidget(label({}, "Activity display range"));
  auto* limit = trackBar("keypeck_Tb", 0, 20000, 0);
  limit->setTickInterval(500);
  limit->setTickPosition(QSlider::TicksBelow);
  limit->setToolTip("how many rows of the key-peck table are fetched");
  range->addWidget(limit, 1);
  auto* limitVal = numLab("keypeckVal", 0);
  limitVal->setMinimumWidth(50);
  limitVal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  range->addWidget(limitVal);
  range->addWidget(label({}, "rows"));
  v->addLayout(range);

  v->addWidget(checkBox("key_track1", "Keep track of all key pecks in table"));

  auto* buttons = new QHBoxLayout;
  auto* view = button("BitBtn6", "View playbacks table", "show or hide the table above");
  auto* excel = button("ToExel", " To Excel");
  auto* empty = button("empty_table", "Empty table", "delete every row of the key-peck table");
  QPalette warn = empty->palette();
  warn.setColor(QPalette::ButtonText, QColor(160, 0, 0));
  empty->setPalette(warn);
  for (QPushButton* b : {view, excel, empty}) b->setMinimumWidth(110);
  buttons->addWidget(view);
  buttons->addWidget(excel);
  buttons->addStretch(1);
  buttons->addWidget(empty);
  v->addLayout(buttons);
  return box;
}

QGroupBox* databaseBox() {
  auto* box = named(new QGroupBox("Database"), "database_box");
  auto* g = new QGridLayout(box);
  g->addWidget(button("change_database", "Database", "work on another database of the server"), 0, 0);
  auto* current = label("database", "TIRRA");
  current->setFrameShape(QFrame::StyledPanel);
  current->setStyleSheet("font-weight: bold; padding: 2px 6px;");
  current->setToolTip("the database chosen last");
  g->addWidget(current, 0, 1);
  g->addWidget(button("defaults", "Restore Default Setting",
                      "reset sessions, folders and bird names to the station's defaults"),
               1, 0, 1, 2);
  g->setColumnStretch(1, 1);
  return box;
}

QGroupBox* displayBox() {
  auto* box = named(new QGroupBox("Waveform display"), "display_box");
  auto* v = new QVBoxLayout(box);
  v->addWidget(radioGroup("display_types", "Display", {"Oscilloscope", "Scrolling"}, 1, nullptr,
                          Qt::Horizontal));
  auto* row = new QHBoxLayout;
  row->addWidget(label({}, "scroll"));
  auto* speed = trackBar("speed", 10, 5999, 5500);
  speed->setToolTip("scrolling speed of the waveform displays");
  row->addWidget(speed, 1);
  v->addLayout(row);
  return box;
}

QGroupBox* systemMessages() {
  auto* box = named(new QGroupBox("System Messages"), "system_messages");
  auto* v = new QVBoxLayout(box);
  auto* memo = named(new QPlainTextEdit, "messages");
  v->addWidget(memo, 1);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(button("resetLights", "Clear", "empty the messages"));
  v->addLayout(row);
  return box;
}

}  // namespace

QWidget* buildLogPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet4");
  auto* h = new QHBoxLayout(page);
  h->setContentsMargins(8, 8, 8, 8);
  h->setSpacing(8);
  h->addWidget(activityLog(), 3);

  auto* side = new QVBoxLayout;
  side->setSpacing(8);
  side->addWidget(databaseBox());
  side->addWidget(displayBox());
  side->addWidget(systemMessages(), 1);
  h->addLayout(side, 2);
  return page;
}
