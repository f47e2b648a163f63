// "New" and "Change" on the Animals page: the animals window picks a registered bird or
// describes a new one, and the bird becomes the channel's (its name, dates and age on the
// page, its name in the recording control, its settings row; a new bird joins the register).
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>

#include "platform/prompts.h"
#include "records/animals_form.h"
#include "recording/component/ztbird.h"
#include "shell/tform1.h"
#include "widgets/numlab.h"

void TForm1::set1Click(QObject* sender) {
  int c = -1;
  bool newButton = false;
  for (int n = 1; n <= 10 && c < 0; ++n) {
    if (sender == findChild<QToolButton*>(QString("set%1").arg(n))) {
      c = n - 1;
      newButton = true;
    } else if (sender == findChild<QToolButton*>(QString("chang_bird%1").arg(n))) {
      c = n - 1;
    }
  }
  if (c < 0 || !animals_form) return;
  Tanimals_form* w = animals_form;
  w->reloadRegister();
  w->pages()->setCurrentWidget(w->findChild<QWidget*>(newButton ? "new_page" : "select_page"));
  if (tirra::prompts().execDialog(w) != QDialog::Accepted) return;
  const bool isNew = newButton || w->newAnimal;
  const QString name = w->findChild<QLineEdit*>("name")->text();
  if (name.isEmpty()) return;

  const QDate hatch = w->findChild<QDateEdit*>("hatched")->date();
  const QDate training = w->findChild<QDateEdit*>("trained")->date();
  widget<QLabel>(QString("ID%1").arg(c + 1))->setText(name);
  birdNames[c] = name;
  {
    // Set quietly: the row is written below, once.
    const QSignalBlocker a(hatchPickers[c]);
    const QSignalBlocker b(startPickers[c]);
    hatchPickers[c]->setDate(hatch);
    startPickers[c]->setDate(training);
  }
  widget<QLabel>(QString("Age%1").arg(c + 1))->setText(QString::number(w->findChild<NumLab*>("age")->value()));
  birdControls[c]->SetStringValue(5, name);

  if (current.isOpen()) {
    bool ok = false;
    const int quota = w->findChild<QLineEdit*>("song_quota")->text().toInt(&ok);
    current.moveTo(c + 3);
    current.edit();
    current.setField("bird_ID", name);
    current.setField("hatching_date", hatch);
    current.setField("start_training", training);
    current.setField("song_quota", ok ? quota : 0);
    current.setField("syllable_table", "syll_" + name);
    current.post();
  }
  if (isNew) w->addAnimal();
}
