// Closing the window: caption first, digital input stopped, engine stopped, the window
// always closes.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QPushButton>
#include <gtest/gtest.h>

#include "recording/component/ztbirdengine.h"
#include "support/station.h"

using tirra::test::Station;

namespace {

TEST(Closing, AlwaysClosesWithPleaseWaitAndTheEngineStopped) {
  Station st;
  st.start();
  TForm1& f = st.form();
  f.engineRunning = true;
  f.ztBirdEngine1->StartEngine();
  f.btnStartEngine->setEnabled(false);
  f.btnStopEngine->setEnabled(true);
  QCloseEvent ev;
  QCoreApplication::sendEvent(&f, &ev);
  EXPECT_TRUE(ev.isAccepted());
  EXPECT_EQ(f.windowTitle(), "Please wait");
  EXPECT_FALSE(f.engineRunning);
  EXPECT_FALSE(f.ztBirdEngine1->isRunning());
  EXPECT_TRUE(f.btnStartEngine->isEnabled());
  EXPECT_FALSE(f.btnStopEngine->isEnabled());
  EXPECT_TRUE(st.prompts().transcript.empty());
}

TEST(Closing, ClosesWhenTheDatabaseIsGoneAndBeforeTheFirstTick) {
  // Never initialised, database unreachable: the close still goes through silently.
  Station st(QDateTime(QDate(2026, 3, 2), QTime(10, 0)), "wrong");
  QCloseEvent ev;
  QCoreApplication::sendEvent(&st.form(), &ev);
  EXPECT_TRUE(ev.isAccepted());
  EXPECT_EQ(st.form().windowTitle(), "Please wait");
}

}  // namespace
