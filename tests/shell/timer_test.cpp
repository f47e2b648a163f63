// The main timer, ticked by hand with a fixed clock: the clock refresh, the half-minute
// work, the nightly reset, the lights, and the simple-recording epochs.
#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "recording/component/ztbird.h"
#include "support/station.h"
#include "widgets/numlab.h"

using tirra::test::Station;

namespace {

// Ticks until sessionLb shows a caption other than its designed "Playbacks" (the
// half-minute work at night), at most limit ticks; returns the number of ticks taken.
int ticksUntilNightCaption(Station& st, int limit) {
  for (int n = 1; n <= limit; ++n) {
    st.tick();
    if (st.form().sessionLb->text() != "Playbacks") return n;
  }
  return -1;
}

TEST(MainTimer, HalfMinuteWorkRunsAfterIntervalTimesTicksExceedsThirtySeconds) {
  struct Case {
    int interval;
    int ticks;
  } cases[] = {{100, 301}, {300, 101}, {1, 30001}};
  for (const Case& c : cases) {
    Station st(QDateTime(QDate(2026, 3, 2), QTime(22, 0)));
    st.start();  // the first tick is the first of the count
    st.form().widget<QSlider>("timer_interval")->setValue(c.interval);
    EXPECT_EQ(st.form().Timer1->interval(), c.interval);
    EXPECT_EQ(st.form().widget<NumLab>("timer_val")->value(), c.interval);
    EXPECT_EQ(ticksUntilNightCaption(st, c.ticks + 5), c.ticks - 1) << "interval " << c.interval;
  }
}

TEST(MainTimer, ClockRefreshesEveryEleventhTick) {
  Station st(QDateTime(QDate(2026, 3, 2), QTime(14, 5, 9)));
  st.start();  // tick 1
  TForm1& f = st.form();
  f.Label1->setText("-");
  tirra::setNow(QDateTime(QDate(2026, 3, 3), QTime(0, 7, 3)));
  st.tick(9);  // ticks 2..10
  EXPECT_EQ(f.Label1->text(), "-");
  st.tick();  // tick 11
  EXPECT_EQ(f.Label1->text(), "00:07:03");
  EXPECT_EQ(f.timeText, "00:07:03");
  EXPECT_EQ(f.dateText, "2026-03-03");
  EXPECT_EQ(f.clockHour, 0);
  EXPECT_EQ(f.clockMinute, 7);
  tirra::setNow(QDateTime(QDate(2026, 3, 3), QTime(0, 7, 4)));
  st.tick(10);
  EXPECT_EQ(f.Label1->text(), "00:07:03");
  st.tick();
  EXPECT_EQ(f.Label1->text(), "00:07:04");
}

TEST(MainTimer, NightlyResetAfterTenToMidnight) {
  struct Case {
    QTime time;
    bool reset;
  } cases[] = {{QTime(23, 50), false}, {QTime(23, 51), true}, {QTime(23, 59), true}, {QTime(22, 55), false}};
  for (const Case& c : cases) {
    Station st(QDateTime(QDate(2026, 3, 2), c.time));
    st.start();
    st.form().recordingsToday.fill(7);
    st.tick(300);  // the half-minute work runs on tick 301
    const int expected = c.reset ? 0 : 7;
    for (int v : st.form().recordingsToday) EXPECT_EQ(v, expected) << c.time.toString().toStdString();
  }
}

TEST(MainTimer, LightsDecideTheTrainingCaption) {
  struct Case {
    int on, off;
    QTime time;
    bool dontTrain;
    QString caption;
    QColor colour;
  } cases[] = {
      {9, 21, QTime(20, 59), false, "Playbacks", QColor(0, 128, 128)},
      {9, 21, QTime(21, 0), false, "Lights off", QColor(0, 0, 0)},
      {9, 21, QTime(21, 0), true, "Training off", QColor(0, 0, 0)},
      {9, 21, QTime(8, 59), false, "Lights off", QColor(0, 0, 0)},
      {9, 21, QTime(9, 0), false, "Playbacks", QColor(0, 128, 128)},
      {12, 12, QTime(12, 0), false, "Lights off", QColor(0, 0, 0)},
      {12, 12, QTime(3, 0), false, "Lights off", QColor(0, 0, 0)},
      {21, 9, QTime(15, 0), false, "Lights off", QColor(0, 0, 0)},
  };
  for (const Case& c : cases) {
    Station st(QDateTime(QDate(2026, 3, 2), c.time));
    st.start();
    TForm1& f = st.form();
    f.lightsOn->setValue(c.on);
    f.lightsOff->setValue(c.off);
    f.dont_train_at_night->setChecked(c.dontTrain);
    f.sessionLb->setText("?");
    st.tick(300);
    const QString what = QString("%1-%2 at %3").arg(c.on).arg(c.off).arg(c.time.toString());
    EXPECT_EQ(f.sessionLb->text(), c.caption) << what.toStdString();
    EXPECT_EQ(f.sessionLb->palette().color(QPalette::Window), c.colour) << what.toStdString();
  }
}

TEST(MainTimer, SimpleRecordingEpochsAlternateWhileTheEngineRuns) {
  Station st;
  st.start();
  TForm1& f = st.form();
  // No epoch commands while the engine is stopped.
  st.tick(20);
  EXPECT_EQ(f.birdControls[0]->GetLongValue(8), 0);

  f.engineRunning = true;
  // The first running tick opens and closes an epoch at once: long 8 goes 1, then 2.
  st.tick();
  for (int c = 0; c < 10; ++c) EXPECT_EQ(f.birdControls[c]->GetLongValue(8), 2) << c;
  EXPECT_FALSE(f.toggleOn);
  EXPECT_EQ(f.toggleCount, 0);

  // Then epochs of 298 ticks alternate with pauses of 3 ticks (position 30, 100 ms).
  auto ticksUntilLong8 = [&](int value) {
    for (int n = 1; n <= 1000; ++n) {
      st.tick();
      if (f.birdControls[9]->GetLongValue(8) == value) return n;
    }
    return -1;
  };
  EXPECT_EQ(ticksUntilLong8(1), 3);    // pause
  EXPECT_EQ(ticksUntilLong8(2), 298);  // epoch
  EXPECT_EQ(ticksUntilLong8(1), 3);
  EXPECT_EQ(ticksUntilLong8(2), 298);

  // A stop keeps the count where it stood.
  st.tick(100);
  f.engineRunning = false;
  const int held = f.toggleCount;
  st.tick(50);
  EXPECT_EQ(f.toggleCount, held);
}

TEST(MainTimer, EpochLengthFollowsTheSliderInTicks) {
  Station st;
  st.start();
  TForm1& f = st.form();
  f.direct_recording_duration->setValue(2);
  EXPECT_EQ(f.direct_recording_duration_val->value(), 2);
  f.engineRunning = true;
  st.tick();  // the immediate open-and-close
  int opened = -1, closed = -1;
  for (int n = 1; n <= 40 && closed < 0; ++n) {
    st.tick();
    const int v = f.birdControls[0]->GetLongValue(8);
    if (v == 1 && opened < 0) opened = n;
    if (v == 2 && opened >= 0) closed = n;
  }
  EXPECT_EQ(opened, 3);
  EXPECT_EQ(closed - opened, 18);  // 10 x 2 - 2 ticks
}

}  // namespace
