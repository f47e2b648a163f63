// The activity log on "Log && options": the key_pecks rows in a grid, how many rows are
// fetched, and emptying the table; and the two "Keep track of all key pecks" boxes.
#include <QCheckBox>
#include <QStandardItemModel>
#include <QTableView>

#include "platform/prompts.h"
#include "shell/tform1.h"
#include "widgets/numlab.h"

namespace {

// Shows the cursor's rows (as far as its row limit reaches) in the grid, read-only.
void showRows(TForm1* f) {
  auto* grid = f->widget<QTableView>("playbackDisplay");
  auto* model = qobject_cast<QStandardItemModel*>(grid->model());
  if (!model) {
    model = new QStandardItemModel(grid);
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  }
  tirra::db::Table& t = f->keypeckTable;
  const QStringList columns = t.columnNames();
  model->clear();
  model->setHorizontalHeaderLabels(columns);
  if (t.recordCount() == 0) return;
  t.first();
  for (int r = 1; r <= t.recordCount(); ++r) {
    t.moveTo(r);
    QList<QStandardItem*> row;
    for (const QString& c : columns) row << new QStandardItem(t.fieldText(c));
    model->appendRow(row);
  }
}

}  // namespace

void TForm1::BitBtn6Click() {
  if (!keypeckTable.isOpen()) keypeckTable.open();
  keypeckTable.refresh();
  showRows(this);
  auto* grid = widget<QTableView>("playbackDisplay");
  grid->setVisible(grid->isHidden());
}

void TForm1::ToExelClick() {
  // Opens the log; the rows are not exported anywhere.
  if (!keypeckTable.isOpen()) keypeckTable.open();
}

void TForm1::empty_tableClick() {
  if (tirra::prompts().message(tirra::MsgKind::Confirmation, "Are you sure? All records will be deleted") !=
      tirra::MsgAnswer::Yes)
    return;
  keypeckTable.close();
  keypeckTable.emptyTable();
  keypeckTable.open();
  showRows(this);
}

void TForm1::keypeck_TbChange() {
  const int limit = widget<QSlider>("keypeck_Tb")->value();
  widget<NumLab>("keypeckVal")->setValue(limit);
  // 0, the slider's left end, fetches every row.
  keypeckTable.setRowLimit(limit);
}

void TForm1::key_trackClick() {
  widget<QCheckBox>("key_track1")->setChecked(widget<QCheckBox>("key_track")->isChecked());
}

void TForm1::key_track1Click() {
  widget<QCheckBox>("key_track")->setChecked(widget<QCheckBox>("key_track1")->isChecked());
}
