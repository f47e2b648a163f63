// The "Log && options" page: another database, the station's defaults, the key-peck log.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <gtest/gtest.h>

#include "recording/component/ztbird.h"
#include "support/station.h"
#include "widgets/numlab.h"

namespace {

using tirra::test::FreshDatabase;
using tirra::test::Station;

// A dialog script choosing the named entry of the list dialog, then closing with `result`.
tirra::ScriptedPrompts::DialogScript choose(const QString& name, int result) {
  return [name, result](QDialog* d) {
    auto* list = d->findChild<QListWidget*>("ListBox1");
    const auto items = list->findItems(name, Qt::MatchExactly);
    if (!items.isEmpty()) list->setCurrentItem(items.first());
    return result;
  };
}

TEST(DatabaseSwitch, OkSwitchesTheConnectionAndTheCaption) {
  Station st;
  st.start();
  FreshDatabase other;
  other.exec("CREATE TABLE marker (x INT)");
  QStringList listed;
  st.prompts().dialogScripts.push_back([&](QDialog* d) {
    auto* list = d->findChild<QListWidget*>("ListBox1");
    for (int i = 0; i < list->count(); ++i) listed << list->item(i)->text();
    return choose(other.name(), QDialog::Accepted)(d);
  });
  st.form().widget<QPushButton>("change_database")->click();
  EXPECT_TRUE(listed.contains(st.db().name()));
  EXPECT_TRUE(listed.contains(other.name()));
  EXPECT_EQ(st.form().widget<QLabel>("database")->text(), other.name());
  EXPECT_TRUE(st.form().tableExists("marker"));  // later statements address the chosen database
  EXPECT_FALSE(st.form().tableExists("settings"));
}

TEST(DatabaseSwitch, CancelShowsTheChoiceButKeepsTheConnection) {
  Station st;
  st.start();
  FreshDatabase other;
  st.prompts().dialogScripts.push_back(choose(other.name(), QDialog::Rejected));
  st.form().widget<QPushButton>("change_database")->click();
  EXPECT_EQ(st.form().widget<QLabel>("database")->text(), other.name());
  EXPECT_TRUE(st.form().tableExists("settings"));
  // Cancelled with nothing chosen: nothing changes and nothing complains.
  st.prompts().dialogScripts.push_back([](QDialog*) { return int(QDialog::Rejected); });
  st.form().widget<QPushButton>("change_database")->click();
  EXPECT_EQ(st.form().widget<QLabel>("database")->text(), other.name());
  EXPECT_TRUE(st.prompts().messages().isEmpty());
}

TEST(Defaults, RestoreResetsSessionsChannelsAndFoldersAndWritesNothing) {
  Station st;
  st.start();
  TForm1& f = st.form();
  f.engineRunning = true;
  f.recordingsToday.fill(4);
  for (auto& s : f.sessionRecords) {
    s.quota = 3;
    s.quotaEnabled = false;
    s.gap = 1.5f;
    s.control = 1;
  }
  f.sessionBoxes[4]->setChecked(true);
  f.sessionPanels[4]->setVisible(true);
  f.MaxDur->setValue(45);
  const auto tablesBefore = st.db().rows("SELECT * FROM channels ORDER BY chan");
  f.widget<QPushButton>("defaults")->click();
  EXPECT_FALSE(f.engineRunning);
  EXPECT_EQ(f.daqDevice, 1);
  for (int s = 0; s < 20; ++s) {
    const SessionRecord& r = f.sessionRecords[s];
    EXPECT_EQ(r.gapTimer, 15) << s;  // 10 ticks a second x the gap as it was
    EXPECT_EQ(r.quota, 10);
    EXPECT_TRUE(r.quotaEnabled);
    EXPECT_FLOAT_EQ(r.gap, 2.0f);
    EXPECT_FLOAT_EQ(r.odds, 0.1f);
    EXPECT_EQ(r.playbackList, 0);
    EXPECT_EQ(r.control, 3);
    EXPECT_EQ(f.playbackListCombos[s]->currentIndex(), 0);
    EXPECT_EQ(f.playbackControlCombos[s]->currentIndex(), 3);
    EXPECT_FALSE(f.sessionBoxes[s]->isChecked());
    EXPECT_TRUE(f.sessionPanels[s]->isHidden());
    EXPECT_TRUE(f.enableQuotaBoxes[s]->isChecked());
  }
  for (int c = 0; c < 10; ++c) {
    TztBird* b = f.birdControls[c];
    EXPECT_EQ(f.recordingsToday[c], 0);
    EXPECT_EQ(b->GetStringValue(5), QString::number(c + 1));
    EXPECT_EQ(b->GetLongValue(6), 45000);
    EXPECT_EQ(b->GetLongValue(5), 3);
    EXPECT_EQ(b->GetStringValue(1), "c:\\TIRRA\\tmpSound");
    EXPECT_EQ(b->GetStringValue(3), QString("c:\\TIRRA\\in%1").arg(c + 1));
    EXPECT_TRUE(QDir(st.home().file(QString("TIRRA/in%1").arg(c + 1))).exists() ||
                QDir(st.home().file(QString("tirra/in%1").arg(c + 1))).exists());
  }
  EXPECT_TRUE(QDir(st.home().file("TIRRA/tmpSound")).exists() || QDir(st.home().file("tirra/tmpSound")).exists());
  EXPECT_EQ(st.db().rows("SELECT * FROM channels ORDER BY chan"), tablesBefore);
}

TEST(KeyPeckLog, ViewTogglesTheGridWithFreshRowsWithinTheLimit) {
  Station st;
  st.start();
  TForm1& f = st.form();
  for (int i = 0; i < 7; ++i)
    st.db().exec(QString("INSERT INTO key_pecks VALUES ('b%1', 1, 'keypeck event', '2026-03-02', '10:00:0%1')").arg(i));
  auto* grid = f.widget<QTableView>("playbackDisplay");
  ASSERT_FALSE(grid->isHidden());
  f.widget<QSlider>("keypeck_Tb")->setValue(5);
  EXPECT_EQ(f.widget<NumLab>("keypeckVal")->value(), 5);
  f.widget<QPushButton>("BitBtn6")->click();
  EXPECT_TRUE(grid->isHidden());
  EXPECT_EQ(grid->model()->rowCount(), 5);
  st.db().exec("INSERT INTO key_pecks VALUES ('late', 0, 'a1.wav', '2026-03-02', '11:00:00')");
  f.widget<QSlider>("keypeck_Tb")->setValue(500);
  f.widget<QPushButton>("BitBtn6")->click();
  EXPECT_FALSE(grid->isHidden());
  EXPECT_EQ(grid->model()->rowCount(), 8);
  EXPECT_EQ(grid->model()->data(grid->model()->index(7, 2)).toString(), "a1.wav");
}

TEST(KeyPeckLog, EmptyingAsksFirst) {
  Station st;
  st.start();
  st.db().exec("INSERT INTO key_pecks VALUES ('b1', 0, 'a1.wav', '2026-03-02', '10:00:00')");
  st.prompts().answers.push_back(tirra::MsgAnswer::No);
  st.form().widget<QPushButton>("empty_table")->click();
  ASSERT_EQ(st.prompts().messages(), QStringList{"Are you sure? All records will be deleted"});
  EXPECT_EQ(st.prompts().transcript[0].kind, tirra::MsgKind::Confirmation);
  EXPECT_EQ(st.db().scalar("SELECT COUNT(*) FROM key_pecks").toInt(), 1);
  st.prompts().answers.push_back(tirra::MsgAnswer::Yes);
  st.form().widget<QPushButton>("empty_table")->click();
  EXPECT_EQ(st.db().scalar("SELECT COUNT(*) FROM key_pecks").toInt(), 0);
  EXPECT_TRUE(st.form().keypeckTable.isOpen());
}

TEST(KeyPeckLog, TheTwoTrackingBoxesStayEqual) {
  Station st;
  st.start();
  auto* playbacks = st.form().widget<QCheckBox>("key_track");
  auto* log = st.form().widget<QCheckBox>("key_track1");
  log->click();
  EXPECT_EQ(playbacks->isChecked(), log->isChecked());
  playbacks->click();
  EXPECT_EQ(playbacks->isChecked(), log->isChecked());
}

}  // namespace
