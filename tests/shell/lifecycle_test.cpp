// Closing the window: caption first, digital input stopped, engine stopped, the window
// always closes.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QPushButton>
#include <gtest/gtest.h>

#include "platform/errorguard.h"
#include "recording/component/ztbirdengine.h"
#include "widgets/numlab.h"
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

TEST(Closing, SavesTheChannelsItLoadedAndNeverOverwritesOnesItDidNot) {
  Station st;
  st.start();
  st.db().exec("UPDATE channels SET m_lPeakThreshold=12345, lights_on=6 WHERE chan=1");
  // The next start cannot read the bird rows: it stops before loading any channel.
  st.db().exec("RENAME TABLE settings TO settings_kept");
  st.db().exec("CREATE TABLE gone (x INT)");
  st.db().exec("CREATE VIEW settings AS SELECT x FROM gone");
  st.db().exec("DROP TABLE gone");
  const auto before = st.db().rows("SELECT * FROM channels ORDER BY chan");
  {
    tirra::test::StationHome home;
    home.writeProperties(st.db().name());
    auto again = tirra::test::startStationHere();
    EXPECT_TRUE(again->wait->isVisible());
    QCloseEvent ev;
    QCoreApplication::sendEvent(again.get(), &ev);
    EXPECT_TRUE(ev.isAccepted());
  }
  EXPECT_EQ(st.db().rows("SELECT * FROM channels ORDER BY chan"), before);

  // A start that loads them saves them back on closing, changes included.
  st.db().exec("DROP VIEW settings");
  st.db().exec("RENAME TABLE settings_kept TO settings");
  {
    tirra::test::StationHome home;
    home.writeProperties(st.db().name());
    auto again = tirra::test::startStationHere();
    ASSERT_FALSE(again->wait->isVisible());
    again->lightsOn->setValue(8);
    QCloseEvent ev;
    QCoreApplication::sendEvent(again.get(), &ev);
  }
  EXPECT_EQ(st.db().scalar("SELECT m_lPeakThreshold FROM channels WHERE chan=1").toInt(), 12160);  // 38 x 320
  EXPECT_EQ(st.db().scalar("SELECT COUNT(*) FROM channels WHERE lights_on=8").toInt(), 10);
}

}  // namespace
