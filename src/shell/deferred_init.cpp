// The one-time start-up on the first tick of the main timer: clock, recording-control
// names, component arrays, tables, key wiring, training buttons, sessions and channels,
// bird rows, and at the end "Please wait" disappears. An error ends the sequence where it
// happens (the guard of the tick shows it) and leaves "Please wait" on screen.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QToolButton>
#include <cstdlib>

#include "platform/clock.h"
#include "platform/errorguard.h"
#include "platform/prompts.h"
#include "recording/bird_props.h"
#include "recording/component/ztbird.h"
#include "shell/tform1.h"

namespace {
const char* const kKeyLinesError = "data array error, the NIDAQ table might be corrupted";
}

void TForm1::deferredInitialise() {
  // 1. Clock.
  const QDateTime moment = tirra::now();
  dateText = moment.date().toString("yyyy-MM-dd");
  timeText = moment.time().toString("HH:mm:ss");
  clockHour = moment.time().hour();
  clockMinute = moment.time().minute();

  // 2. Channel letters a..j and the provisional names 1..10.
  for (int c = 0; c < 10; ++c) {
    TztBird* bird = widget<TztBird>(QString("ztBird%1").arg(c + 1));
    bird->SetStringValue(0, QString(QChar('a' + c)));
    bird->SetStringValue(5, QString::number(c + 1));
  }

  // 3. Component arrays, before anything below needs them.
  fillComponentArrays();

  // 4. Missing tables are created with their defaults.
  if (!tableExists("settings")) createSettingsTable();
  if (!tableExists("key_pecks")) createKeyPecksTable();
  if (!tableExists("nidaq")) createNidaqTable();
  if (!tableExists("channels")) createChannelsTable();
  if (!tableExists("animals")) createAnimalsTable();
  if (!tableExists("sessions")) createSessionsTable();

  // 5. Opens, each guarded with its own message.
  openTables();

  // 6. Key wiring.
  try {
    loadKeyLines();
  } catch (...) {
    tirra::prompts().message(tirra::MsgKind::Plain, kKeyLinesError);
  }

  // 7. Training buttons from the bird rows.
  loadTrainingButtons();

  // 8. Sessions, then the ten channel rows.
  loadSessionsAndChannels();

  // 9. Channel panels from the recording controls.
  refreshChannelControls();

  // 10. Vocal-feedback switches from the bird rows.
  for (int c = 0; c < 10; ++c) {
    current.moveTo(c + 3);
    if (current.fieldInt("bio_feedback") != 0) biofeedbackBoxes[c]->setChecked(true);
    if (biofeedbackBoxes[c]->isChecked()) feedbackLabels[c]->setVisible(true);
  }

  // 11. Bird rows into the recording controls and the Animals page.
  if (current.isOpen()) loadBirdRows();

  // 12. Names as the recording controls now carry them.
  for (int c = 0; c < 10; ++c) birdNames[c] = birdControls[c]->GetStringValue(5);

  // 13. Name and age labels.
  refreshBirdNamesAndAges();

  // 14. Training buttons again.
  loadTrainingButtons();

  // 15. Schedule of every channel: evaluateChannel(c) for c = 0..9 joins here with the
  //     session schedule.

  // 16. Station-wide display settings on every channel.
  MaxDurChange();
  speedChange();
  display_typesClick();
  pre_thresh_bufferChange();

  // 17. Ready.
  wait->setVisible(false);
}

void TForm1::loadTrainingButtons() {
  SoundDurTbChange();
  if (current.isOpen()) {
    current.moveTo(2);
    for (int c = 0; c < 10; ++c) {
      current.next();  // record c+3, the bird row of channel c
      trainButtons[c]->setChecked(current.fieldInt("training") != 0);
      // evaluateChannel(c) joins here with the session schedule; it leaves `current` on
      // record c+3, so the next move reaches the next channel's row.
    }
  }
  SoundDurTbChange();
  minimum_recording_durationChange();
  for (int c = 0; c < 10; ++c) {
    CZT_OCX_BirdProps props;
    props.readFromBird(birdControls[c]);
    props.m_lValue14 = 32767;
    props.writeToBird(birdControls[c]);
  }
}

void TForm1::loadSessionsAndChannels() {
  // loadSession(s) for s = 0..19 joins here with the session storage, before the channels.
  for (int c = 0; c < 10; ++c) {
    loadChannelRow(c);
    refreshChannelPanel(c);
  }
}

void TForm1::refreshChannelControls() {
  channelControlsLoaded = false;
  for (int c = 0; c < 10; ++c) {
    TztBird* bird = birdControls[c];
    volumeBars[c]->setValue(std::max(0, -bird->GetLongValue(13) / 1000));
    tmpSoundEdits[c]->setText(bird->GetStringValue(1));
    saveEdits[c]->setText(bird->GetStringValue(3));
    thresholdBars[c]->setValue(bird->GetLongValue(2) / 320);
    gainBars[c]->setValue(static_cast<int>(-bird->GetFloatValue(0)));
  }
  channelControlsLoaded = true;
}
