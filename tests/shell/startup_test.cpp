// The start-up sequence on the first tick, against the private server.
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QFile>
#include <QLabel>
#include <QSlider>
#include <QToolButton>
#include <gtest/gtest.h>

#include "recording/component/ztbird.h"
#include "support/station.h"

using tirra::test::Station;

namespace {

const QStringList kTables{"animals", "channels", "key_pecks", "nidaq", "sessions", "settings"};

QStringList sortedTables(const tirra::test::FreshDatabase& db) {
  QStringList t = db.tables();
  t.sort();
  return t;
}

TEST(StartUp, EmptyDatabaseGetsAllTablesAndTheWindowBecomesReady) {
  Station st;
  st.start();
  TForm1& f = st.form();
  EXPECT_EQ(sortedTables(st.db()), kTables);
  EXPECT_EQ(st.db().scalar("SELECT COUNT(*) FROM settings").toInt(), 13);
  EXPECT_EQ(st.db().scalar("SELECT COUNT(*) FROM nidaq").toInt(), 40);
  EXPECT_EQ(st.db().scalar("SELECT COUNT(*) FROM channels").toInt(), 10);
  EXPECT_EQ(st.db().scalar("SELECT COUNT(*) FROM sessions").toInt(), 20);
  EXPECT_FALSE(f.wait->isVisible());
  EXPECT_TRUE(st.prompts().messages().isEmpty()) << st.prompts().messages().join(" | ").toStdString();
  // Clock read at start.
  EXPECT_EQ(f.dateText, "2026-03-02");
  EXPECT_EQ(f.timeText, "10:00:00");
  EXPECT_EQ(f.clockHour, 10);
  // Letters a..j; channel 3 carries "d".
  for (int c = 0; c < 10; ++c) EXPECT_EQ(f.birdControls[c]->GetStringValue(0), QString(QChar('a' + c)));
  EXPECT_EQ(f.birdControls[3]->GetStringValue(0), "d");
  // The opaque value 14 is set for every channel, and the station-wide bars reach them all.
  for (int c = 0; c < 10; ++c) {
    EXPECT_EQ(f.birdControls[c]->GetLongValue(14), 32767) << c;
    // A new channels row holds 300 pre-threshold samples: the bar shows 6 ms, 264 samples.
    EXPECT_EQ(f.birdControls[c]->GetLongValue(17), 264) << c;
    EXPECT_EQ(f.birdControls[c]->GetLongValue(6), 30000) << c;
    EXPECT_EQ(f.birdControls[c]->GetLongValue(7), 1000) << c;
    EXPECT_EQ(f.birdControls[c]->GetLongValue(16), 1) << c;     // scrolling display
    EXPECT_EQ(f.birdControls[c]->GetLongValue(15), 500) << c;
  }
  EXPECT_TRUE(f.channelControlsLoaded);
}

TEST(StartUp, SecondStartCreatesNothingAndKeepsTheRows) {
  {
    Station first;
    first.start();
    first.db().exec("UPDATE settings SET bird_ID='b77' WHERE num=5");
    first.db().exec("UPDATE nidaq SET line=6 WHERE recnum=1");
    // A second station on the same database.
    tirra::test::StationHome home;
    home.writeProperties(first.db().name());
    auto again = tirra::test::startStationHere();
    EXPECT_FALSE(again->wait->isVisible());
    EXPECT_EQ(first.db().scalar("SELECT COUNT(*) FROM settings").toInt(), 13);
    EXPECT_EQ(first.db().scalar("SELECT bird_ID FROM settings WHERE num=5").toString(), "b77");
    EXPECT_EQ(first.db().scalar("SELECT COUNT(*) FROM nidaq").toInt(), 40);
    EXPECT_EQ(first.db().scalar("SELECT line FROM nidaq WHERE recnum=1").toInt(), 6);
    // The stored wiring reached the key labels.
    EXPECT_EQ(again->keyInputs[0].line, 6);
  }
}

TEST(StartUp, OnlyTheMissingSessionsTableIsCreatedAndTheMarkerFileGoes) {
  Station st;
  st.start();
  st.db().exec("DROP TABLE sessions");
  st.db().exec("UPDATE settings SET bird_ID='kept' WHERE num=3");
  // A marker file is there; the next start on this schema deletes it.
  tirra::test::StationHome home;
  home.writeProperties(st.db().name());
  QDir().mkpath(home.file("tirra"));
  QFile m(home.file("tirra/birds.txt"));
  ASSERT_TRUE(m.open(QIODevice::WriteOnly));
  m.close();
  auto again = tirra::test::startStationHere();
  EXPECT_EQ(sortedTables(st.db()), kTables);
  EXPECT_EQ(st.db().scalar("SELECT COUNT(*) FROM sessions").toInt(), 20);
  EXPECT_EQ(st.db().scalar("SELECT bird_ID FROM settings WHERE num=3").toString(), "kept");
  EXPECT_FALSE(QFile::exists(home.file("tirra/birds.txt")));
}

TEST(StartUp, ATableNamedWithACapitalDoesNotCount) {
  Station st;
  st.db().exec("CREATE TABLE `Settings` (x INT)");
  st.start();
  EXPECT_TRUE(st.db().tables().contains("settings"));
  EXPECT_TRUE(st.db().tables().contains("Settings"));
  EXPECT_EQ(st.db().scalar("SELECT COUNT(*) FROM settings").toInt(), 13);
  EXPECT_FALSE(st.form().wait->isVisible());
}

TEST(StartUp, AnUnopenableTableShowsItsMessageAndTheSequenceGoesOn) {
  Station st;
  // A view over a table that is gone: listed by SHOW TABLES, but it cannot be read.
  st.db().exec("CREATE TABLE gone (x INT)");
  st.db().exec("CREATE VIEW key_pecks AS SELECT x FROM gone");
  st.db().exec("DROP TABLE gone");
  st.start();
  EXPECT_EQ(st.prompts().messages(),
            QStringList{"could not find key-pecks table. Training records wont register"});
  EXPECT_EQ(st.prompts().transcript.front().kind, tirra::MsgKind::Plain);
  EXPECT_FALSE(st.form().keypeckTable.isOpen());
  EXPECT_FALSE(st.form().wait->isVisible());
}

TEST(StartUp, AnUnreadableSettingsTableStopsTheSequenceWithPleaseWaitShown) {
  Station st;
  st.db().exec("CREATE TABLE gone (x INT)");
  st.db().exec("CREATE VIEW settings AS SELECT x FROM gone");
  st.db().exec("DROP TABLE gone");
  st.start();
  const QStringList shown = st.prompts().messages();
  ASSERT_GE(shown.size(), 2);
  EXPECT_EQ(shown[0], "could not find setting table, recorder will start using default values");
  // The next step that needs the bird rows raises; the sequence ends there.
  EXPECT_TRUE(st.form().wait->isVisible());
  EXPECT_EQ(st.prompts().transcript.back().kind, tirra::MsgKind::Error);
  // The recording controls keep their provisional names.
  for (int c = 0; c < 10; ++c) EXPECT_EQ(st.form().birdControls[c]->GetStringValue(5), QString::number(c + 1));
  // The sequence never runs again on later ticks.
  const auto before = st.prompts().transcript.size();
  st.tick(5);
  EXPECT_EQ(st.prompts().transcript.size(), before);
  EXPECT_TRUE(st.form().wait->isVisible());
}

TEST(StartUp, TrainButtonsAndFeedbackLabelsFollowTheBirdRows) {
  Station st;
  st.start();
  st.db().exec("UPDATE settings SET training=1 WHERE num IN (3, 7)");
  st.db().exec("UPDATE settings SET bio_feedback=1 WHERE num IN (4, 12)");
  // A new station on these rows.
  tirra::test::StationHome home;
  home.writeProperties(st.db().name());
  auto again = tirra::test::startStationHere();
  for (int c = 0; c < 10; ++c) {
    EXPECT_EQ(again->trainButtons[c]->isChecked(), c == 0 || c == 4) << c;
    EXPECT_EQ(again->feedbackLabels[c]->isVisible(), c == 1 || c == 9) << c;
    EXPECT_EQ(again->biofeedbackBoxes[c]->isChecked(), c == 1 || c == 9) << c;
  }
}

TEST(StartUp, WrongPasswordStartsAndTheFirstAccessAsksThroughTheConnectDialog) {
  Station st(QDateTime(QDate(2026, 3, 2), QTime(10, 0)), "not-the-password");
  EXPECT_TRUE(st.form().MyConnection1.LoginPrompt);
  EXPECT_TRUE(st.prompts().transcript.empty());  // the failed connection itself is silent
  // The user cancels the dialog: the sequence ends with an error, "Please wait" stays.
  st.start();
  ASSERT_FALSE(st.prompts().transcript.empty());
  EXPECT_EQ(st.prompts().transcript.front().what, tirra::PromptRecord::What::Dialog);
  EXPECT_EQ(st.prompts().transcript.front().text, "MyConnectDialog1");
  EXPECT_TRUE(st.form().wait->isVisible());
}

TEST(StartUp, TheConnectDialogPrefilledConnectsWithThePasswordTyped) {
  Station st(QDateTime(QDate(2026, 3, 2), QTime(10, 0)), "not-the-password");
  QString shownUser, shownDatabase;
  st.prompts().dialogScripts.push_back([&](QDialog* d) {
    shownUser = d->findChild<QLineEdit*>("username")->text();
    shownDatabase = d->findChild<QLineEdit*>("database")->text();
    EXPECT_EQ(d->windowTitle(), "Connect");
    d->findChild<QLineEdit*>("password")->setText("tirra");
    return int(QDialog::Accepted);
  });
  st.start();
  EXPECT_EQ(shownUser, "tirra");
  EXPECT_EQ(shownDatabase, st.db().name());
  EXPECT_FALSE(st.form().wait->isVisible());
  EXPECT_EQ(st.db().tables().size(), 6);
}

TEST(StartUp, NestedTicksDuringAMessageBoxDoNotRunTheSequenceAgain) {
  Station st;
  st.db().exec("CREATE TABLE gone (x INT)");
  st.db().exec("CREATE VIEW key_pecks AS SELECT x FROM gone");
  st.db().exec("DROP TABLE gone");
  int nested = 0;
  st.prompts().whileOpen = [&](const tirra::PromptRecord&) {
    // The box's own event loop lets the timer tick meanwhile.
    for (int i = 0; i < 12; ++i, ++nested) st.form().Timer1Timer();
  };
  st.start();
  EXPECT_EQ(nested, 12);
  EXPECT_EQ(st.prompts().messages().size(), 1);  // one box: the sequence ran once
  EXPECT_FALSE(st.form().wait->isVisible());
  // The nested ticks counted: eleven of them refreshed the clock once.
  EXPECT_EQ(st.form().Label1->text(), "10:00:00");
}

}  // namespace
