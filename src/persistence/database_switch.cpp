// Working on another database of the same server, and restoring the station's default
// settings (in memory and in the recording controls; nothing is written to the database).
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QSlider>

#include "platform/paths.h"
#include "platform/prompts.h"
#include "records/table_dialog.h"
#include "recording/component/ztbird.h"
#include "shell/tform1.h"
#include "widgets/numlab.h"

void TForm1::listDatabases() {
  MyQuery1.open("SHOW DATABASES;");
  MyQuery1.first();
}

void TForm1::change_databaseClick() {
  listDatabases();
  TtableDialog dialog(this);
  QStringList names;
  for (; !MyQuery1.eof(); MyQuery1.next()) names << MyQuery1.firstColumn();
  dialog.fillFrom(names);
  const bool ok = tirra::prompts().execDialog(&dialog) == QDialog::Accepted;
  const QString chosen = dialog.selectedEntry();
  // Closed without a choice: nothing to switch to and nothing to show.
  if (chosen.isEmpty()) return;
  if (ok) MyConnection1.setDatabase(chosen);
  widget<QLabel>("database")->setText(chosen);
}

void TForm1::defaultsClick() { restoreDefaults(); }

void TForm1::restoreDefaults() {
  // Key processing and the epoch toggle stop; the engine itself keeps running.
  engineRunning = false;
  daqDevice = 1;
  const int T = tickRate();
  for (int s = 0; s < 20; ++s) {
    SessionRecord& r = sessionRecords[s];
    r.gapTimer = static_cast<std::int32_t>(static_cast<double>(T) * static_cast<double>(r.gap));
    r.quota = 10;
    r.quotaEnabled = true;
    recordingsToday[s / 2] = 0;
  }
  for (int c = 0; c < 10; ++c) {
    birdControls[c]->SetStringValue(5, QString::number(c + 1));
    birdControls[c]->SetLongValue(6, MaxDur->value() * 1000);
    birdControls[c]->SetLongValue(5, 3);
  }
  // The default folders; a folder that cannot be made is still given to the controls.
  const QString temporary = QStringLiteral("c:\\TIRRA\\tmpSound");
  tirra::makeFolders(temporary);
  for (TztBird* b : birdControls) b->SetStringValue(1, temporary);
  for (int c = 0; c < 10; ++c) {
    const QString stage1 = QStringLiteral("c:\\TIRRA\\in") + QString::number(c + 1);
    tirra::makeFolders(stage1);
    birdControls[c]->SetStringValue(3, stage1);
  }
  for (int s = 0; s < 20; ++s) {
    SessionRecord& r = sessionRecords[s];
    r.playbackList = 0;
    playbackListCombos[s]->setCurrentIndex(0);
    r.control = 3;
    playbackControlCombos[s]->setCurrentIndex(3);
    r.gap = 2.0f;
    r.odds = 0.1f;
    // The session boxes' and quota boxes' own click handlers run here once the session
    // editor lands; meanwhile the records and panels follow the boxes directly.
    sessionBoxes[s]->setChecked(false);
    r.enabled = false;
    sessionPanels[s]->setVisible(false);
    enableQuotaBoxes[s]->setChecked(true);
  }
}
