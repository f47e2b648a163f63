// Each channel's bird row in the shared settings table (row c+3): its name, hatching date
// and training dates on the "Animals" page, written back at once when a date changes.
#include <QDateEdit>
#include <QLabel>
#include <QSignalBlocker>

#include "platform/clock.h"
#include "recording/component/ztbird.h"
#include "shell/tform1.h"

namespace {

// Sets a picker by program without running its change handler (the pickers answer to the
// user's edits only); a row without a date leaves the picker as it is.
void showDate(QDateEdit* picker, const QDate& date) {
  if (!date.isValid()) return;
  const QSignalBlocker quiet(picker);
  picker->setDate(date);
}

}  // namespace

void TForm1::loadBirdRows() {
  for (int c = 0; c < 10; ++c) {
    current.moveTo(c + 3);
    const QString name = current.fieldText("bird_ID");
    birdControls[c]->SetStringValue(5, name);
    widget<QLabel>(QString("ID%1").arg(c + 1))->setText(name);
    showDate(hatchPickers[c], current.fieldDate("hatching_date"));
    showDate(startPickers[c], current.fieldDate("start_training"));
    showDate(endPickers[c], current.fieldDate("stop_training"));
  }
}

void TForm1::refreshBirdNamesAndAges() {
  for (int c = 0; c < 10; ++c)
    widget<QLabel>(QString("ID%1").arg(c + 1))->setText(birdControls[c]->GetStringValue(5));
  refreshAges();
}

void TForm1::refreshAges() {
  // Whole days from hatching to today; a hatch date in the future gives a negative age.
  const qint64 today = tirra::today().toJulianDay();
  for (int c = 0; c < 10; ++c)
    widget<QLabel>(QString("Age%1").arg(c + 1))->setText(QString::number(today - hatchPickers[c]->date().toJulianDay()));
}

namespace {
template <class A>
void storeDate(TForm1* f, const A& pickers, QObject* sender, const char* column) {
  const int c = indexOfSender(pickers, sender);
  if (c < 0) return;
  if (f->current.isOpen()) {
    f->current.moveTo(c + 3);
    f->current.edit();
    f->current.setField(column, pickers[c]->date());
    f->current.post();
  }
  f->refreshBirdNamesAndAges();
}
}  // namespace

void TForm1::hatch1Change(QObject* sender) { storeDate(this, hatchPickers, sender, "hatching_date"); }
void TForm1::start1Change(QObject* sender) { storeDate(this, startPickers, sender, "start_training"); }
void TForm1::end1Change(QObject* sender) { storeDate(this, endPickers, sender, "stop_training"); }

void TForm1::update_tablesClick() {
  current.refresh();
  loadBirdRows();
  refreshBirdNamesAndAges();
}
