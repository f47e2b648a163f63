// Recording for all active channels at once: "Start" checks the channels' folders and
// starts the engine, "Stop" stops it; while it runs, the bird controls report recordings,
// peak-count triggers and the ends of playbacks.
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "platform/paths.h"
#include "platform/prompts.h"
#include "recording/component/ztbird.h"
#include "recording/component/ztbirdengine.h"
#include "shell/tform1.h"

namespace {
const char* const kFolderError =
    "At list one of the folders in the recording destination is invalid. Please go to 'recording' "
    "and change temporary or stage 1 storage location";
// As shown: the stored text's doubled ampersand shows as one.
const char* const kNothingToRecord =
    "There is nothing to record: Please configure & activate at least one of the channels first.";
const QPoint kStartMessagePosition(10, 50);
}  // namespace

// The Play buttons of every channel whose sound lists are not locked follow the engine;
// a locked channel's stay as its lock set them.
static void setUnlockedPlayButtons(TForm1* f, bool enabled) {
  for (int c = 0; c < 10; ++c) {
    if (!f->lockButtons[c] || f->lockButtons[c]->isChecked()) continue;
    f->playButtons[2 * c]->setEnabled(enabled);
    f->playButtons[2 * c + 1]->setEnabled(enabled);
  }
}

void TForm1::applyRunningButtons() {
  btnStartEngine->setEnabled(false);
  SaveDefault->setEnabled(false);
  loadConfig->setEnabled(false);
  btnStopEngine->setEnabled(true);
  setUnlockedPlayButtons(this, true);
}

void TForm1::applyStoppedButtons() {
  btnStartEngine->setEnabled(true);
  SaveDefault->setEnabled(true);
  loadConfig->setEnabled(true);
  btnStopEngine->setEnabled(false);
  setUnlockedPlayButtons(this, false);
}

void TForm1::checkChannelFolders(int c) {
  // Both folders are always tried; an empty text is an invalid folder too.
  for (const QString& folder : {tmpSoundEdits[c]->text(), saveEdits[c]->text()}) {
    if (folder.trimmed().isEmpty() || !tirra::makeFolders(folder)) folderError = true;
  }
}

void TForm1::btnStartEngineClick() {
  folderError = false;
  bool anyActive = false;
  for (int c = 0; c < 10; ++c) {
    if (!activeBoxes[c]->isChecked()) continue;
    anyActive = true;
    checkChannelFolders(c);
  }
  if (folderError) {
    tirra::prompts().message(tirra::MsgKind::Error, kFolderError, kStartMessagePosition);
    return;
  }
  if (!anyActive) {
    tirra::prompts().message(tirra::MsgKind::Error, kNothingToRecord, kStartMessagePosition);
    return;
  }
  pre_thresh_buffer->setEnabled(false);
  refreshChannelControls();
  applyRunningButtons();
  engineRunning = true;
  display->setEnabled(false);
  // evaluateChannel(c) for c = 0..9 joins here with the session schedule.
  ztBirdEngine1->StartEngine();
}

void TForm1::btnStopEngineClick() {
  pre_thresh_buffer->setEnabled(true);
  ztBirdEngine1->StopEngine();
  engineRunning = false;
  applyStoppedButtons();
  display->setEnabled(true);
  for (QCheckBox* b : activeBoxes) b->setEnabled(true);
}

void TForm1::ztBird1BirdNotification(QObject* sender, int nEventID) {
  const int c = indexOfSender(birdControls, sender);
  if (c < 0) return;
  switch (nEventID) {
    case 2:  // a recording has begun
      ++recordingsToday[c];
      recordedBars[c]->setValue(std::min(recordingsToday[c], recordedBars[c]->maximum()));
      break;
    case 5:  // the peak counter has triggered: vocal feedback when the channel asks for it
      if (triggerButtons[c]->isChecked()) birdControls[c]->TriggerSound();
      break;
    case 6:  // a playback has finished: recording resumes
      birdControls[c]->SetLongValue(10, 0);
      break;
    default:
      break;
  }
}
