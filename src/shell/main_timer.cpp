// The main timer: everything periodic happens here, on the user-interface thread.
#include <QLabel>
#include <QSlider>
#include <QCheckBox>
#include <QTabWidget>

#include "platform/clock.h"
#include "recording/component/ztbird.h"
#include "shell/tform1.h"
#include "widgets/colours.h"
#include "widgets/numlab.h"

int TForm1::tickRate() const { return 1000 / std::max(1, Timer1->interval()); }

void TForm1::Timer1Timer() {
  // 1. The first tick initialises the station, once; the flag goes first so that an error
  //    in the initialisation never runs it again.
  if (firstTick) {
    firstTick = false;
    deferredInitialise();
  }

  // 2. Digital input.
  if (NIcard_exists && NIcard_exists->isChecked()) {
    readKeyLines();
    if (controls->currentWidget() == devices) showDetectorStates();
  }

  // 3. Training sessions: runSessionTick(s) for s = 0..19 joins here, while engineRunning,
  //    with the key-peck events.

  // 4. Simple-recording epochs, while recording.
  if (engineRunning) {
    ++toggleCount;
    if (!toggleOn && toggleCount > 2) {
      for (int c = 0; c < 10; ++c) birdControls[c]->SetLongValue(8, 1);
      toggleOn = true;
    }
    if (toggleOn && direct_recording_duration->value() * 10 < toggleCount) {
      for (int c = 0; c < 10; ++c) birdControls[c]->SetLongValue(8, 2);
      toggleCount = 0;
      toggleOn = false;
    }
  }

  // 5. Clock, every eleventh tick.
  ++tickCount;
  if (tickCount > 10) {
    const QDateTime moment = tirra::now();
    dateText = moment.date().toString("yyyy-MM-dd");
    timeText = moment.time().toString("HH:mm:ss");
    tickCount = 0;
    Label1->setText(timeText);
    clockHour = moment.time().hour();
    clockMinute = moment.time().minute();
  }

  // 6. Half-minute work.
  ++halfMinuteCount;
  if (static_cast<qint64>(Timer1->interval()) * halfMinuteCount > 30000) {
    halfMinuteCount = 0;
    if (clockHour == 23 && clockMinute > 50) recordingsToday.fill(0);
    const double on = lightsOn ? lightsOn->value() : 9;
    const double off = lightsOff ? lightsOff->value() : 21;
    if (clockHour >= off || clockHour < on) {
      colours::setBackground(sessionLb, colours::Black);
      sessionLb->setText(dont_train_at_night && dont_train_at_night->isChecked() ? "Training off" : "Lights off");
    } else {
      colours::setBackground(sessionLb, colours::Teal);
      sessionLb->setText("Playbacks");
      // evaluateChannel(c) for c = 0..9 joins here with the session schedule.
      refreshAges();
    }
  }
}

void TForm1::timer_intervalChange() {
  if (timer_val) timer_val->setValue(timer_interval->value());
  Timer1->setInterval(timer_interval->value());
}
