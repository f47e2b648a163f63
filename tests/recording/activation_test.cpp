// A channel's activation box, mode group, settings button and panel switches.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <gtest/gtest.h>

#include "recording/component/ztbird.h"
#include "support/station.h"
#include "widgets/radiogroup.h"

namespace {

using tirra::test::Station;

class Activation : public ::testing::Test {
 protected:
  void SetUp() override {
    st = std::make_unique<Station>();
    st->start();
  }
  TForm1& form() { return st->form(); }
  TztBird* bird(int c) { return form().birdControls[c]; }
  void configureInput(int c) { bird(c)->SetStringValue(6, "Bird box test device, input 1"); }
  QCheckBox* box(int c) { return form().activeBoxes[c]; }
  std::unique_ptr<Station> st;
};

TEST_F(Activation, CheckingAndUncheckingMoveTheStateAndThePanel) {
  struct Case {
    int stateBefore;
    bool check;
    int stateAfter;
    bool checked;
    QString caption;
    int modeItem;  // -1: left as it was
  } cases[] = {
      {0, true, 1, true, "On trigger", 0},
      {1, false, 0, false, "Off", 2},
      {4, true, 5, true, "Simple recorder", 1},
      {5, false, 4, false, "", -1},
      // The group still shows "Simple recording": moving it to the first item for the slave
      // runs its handler, which makes the channel an active trigger channel.
      {8, true, 1, true, "On trigger", 0},
  };
  for (const Case& k : cases) {
    const int c = 3;
    configureInput(c);
    bird(c)->SetLongValue(0, k.stateBefore);
    form().refreshChannelPanel(c);
    const int modeBefore = form().channelModeGroups[c]->itemIndex();
    box(c)->setChecked(!k.check);
    form().activationEnabled = true;
    box(c)->click();
    ASSERT_EQ(box(c)->isChecked(), k.checked) << k.stateBefore;
    EXPECT_EQ(bird(c)->GetLongValue(0), k.stateAfter) << k.stateBefore;
    EXPECT_EQ(bird(c)->GetLongValue(5), 3);
    if (!k.caption.isEmpty()) EXPECT_EQ(box(c)->text(), k.caption) << k.stateBefore;
    EXPECT_EQ(form().channelModeGroups[c]->itemIndex(), k.modeItem < 0 ? modeBefore : k.modeItem)
        << k.stateBefore;
  }
}

TEST_F(Activation, AnUnconfiguredInputIsRefused) {
  EXPECT_TRUE(bird(1)->GetStringValue(6).startsWith("inva"));
  box(1)->click();
  ASSERT_EQ(st->prompts().messages().size(), 1);
  EXPECT_EQ(st->prompts().messages()[0],
            "Sorry, Tirra cannot activate this device because the input channel is not configured. Click "
            "the settings button above and select a valid input channel");
  EXPECT_EQ(st->prompts().transcript[0].position, QPoint(10, 80));
  EXPECT_FALSE(box(1)->isChecked());
  EXPECT_EQ(bird(1)->GetLongValue(0), 0);
}

TEST_F(Activation, WhileRecordingTheBoxPausesAndResumes) {
  configureInput(0);
  box(0)->click();  // state 1
  form().engineRunning = true;
  box(0)->click();
  EXPECT_EQ(box(0)->text(), "Paused");
  EXPECT_EQ(bird(0)->GetLongValue(10), 1);
  EXPECT_EQ(bird(0)->GetLongValue(0), 1);
  EXPECT_EQ(form().recPanels[0]->palette().color(QPalette::Window), QColor(0, 0, 0));
  box(0)->click();
  EXPECT_EQ(bird(0)->GetLongValue(10), 0);
  EXPECT_EQ(box(0)->text(), "On trigger");
  EXPECT_NE(form().recPanels[0]->palette().color(QPalette::Window), QColor(0, 0, 0));
  // A channel in state 0 cannot be switched on while recording: the refresh unchecks it.
  box(5)->click();
  EXPECT_EQ(bird(5)->GetLongValue(10), 0);
  EXPECT_FALSE(box(5)->isChecked());
  EXPECT_EQ(box(5)->text(), "Off");
}

TEST_F(Activation, ModeItemsSetTheirStatesRunningOrNot) {
  RadioGroup* mode = form().channelModeGroups[7];
  mode->clickItem(1);
  EXPECT_EQ(bird(7)->GetLongValue(0), 5);
  EXPECT_EQ(box(7)->text(), "Simple recorder");
  mode->clickItem(2);
  EXPECT_EQ(bird(7)->GetLongValue(0), 0);
  EXPECT_FALSE(box(7)->isChecked());
  form().engineRunning = true;
  mode->clickItem(0);
  EXPECT_EQ(bird(7)->GetLongValue(0), 1);
  EXPECT_TRUE(box(7)->isChecked());
}

TEST_F(Activation, ASlaveStaysASlaveOnlyWhenItsGroupShowsTheFirstItem) {
  bird(2)->SetLongValue(0, 9);
  form().channelModeGroups[2]->setItemIndex(2);  // designed start
  form().refreshChannelPanel(2);
  EXPECT_EQ(bird(2)->GetLongValue(0), 1);
  EXPECT_EQ(box(2)->text(), "On trigger");
  bird(2)->SetLongValue(0, 9);
  form().refreshChannelPanel(2);  // the group shows item 0 now
  EXPECT_EQ(bird(2)->GetLongValue(0), 9);
  EXPECT_EQ(box(2)->text(), "Slave");
}

TEST_F(Activation, TheRefreshRoundsTheThresholdToTheBar) {
  form().thresholdBars[6]->setValue(0);
  bird(6)->SetLongValue(2, 10000);
  form().refreshChannelPanel(6);
  EXPECT_EQ(form().thresholdBars[6]->value(), 31);
  EXPECT_EQ(bird(6)->GetLongValue(2), 9920);
}

TEST_F(Activation, SettingsDialogWhileStoppedAndDevicesWhileRecording) {
  // Closed without a new name: no warning, nothing written.
  const auto before = st->db().rows("SELECT num, bird_ID FROM settings ORDER BY num");
  form().widget<QPushButton>("options3")->click();
  ASSERT_EQ(st->prompts().transcript.size(), 1u);
  EXPECT_EQ(st->prompts().transcript[0].what, tirra::PromptRecord::What::Dialog);
  EXPECT_TRUE(form().widget<QPushButton>("options3")->font().bold());
  EXPECT_FALSE(form().widget<QPushButton>("options1")->font().bold());
  EXPECT_EQ(st->db().rows("SELECT num, bird_ID FROM settings ORDER BY num"), before);

  // A new name reaches the bird row with a warning.
  st->prompts().dialogScripts.push_back([](QDialog* d) {
    d->findChild<QLineEdit*>("birdName")->setText("b412");
    return int(QDialog::Accepted);
  });
  form().widget<QPushButton>("options3")->click();
  EXPECT_EQ(st->db().scalar("SELECT bird_ID FROM settings WHERE num=5").toString(), "b412");
  ASSERT_EQ(st->prompts().messages().size(), 1);
  EXPECT_TRUE(st->prompts().messages()[0].startsWith("Important: You have changed bird name"));
  EXPECT_EQ(st->prompts().transcript.back().position, QPoint(10, 160));
  EXPECT_EQ(form().birdNames[2], "b412");

  // While recording the button only tells which devices the channel uses.
  form().btnStartEngine->setEnabled(false);
  bird(2)->SetStringValue(7, "speaker 3");
  form().widget<QPushButton>("options3")->click();
  EXPECT_EQ(st->prompts().messages().last(),
            "\r To set this chanel you must stop the recording \r\r \r Sound input: " + bird(2)->GetStringValue(6) +
                "\r\r Sound playbacks: speaker 3");
  EXPECT_EQ(st->prompts().transcript.back().kind, tirra::MsgKind::Information);
}

TEST_F(Activation, FolderEditsReachTheControlOnlyOnceTheChannelsAreLoaded) {
  form().tmpSoundEdits[1]->setText("c:\\tirra\\tmp2");
  form().saveEdits[1]->setText("c:\\tirra\\in2");
  EXPECT_EQ(bird(1)->GetStringValue(1), "c:\\tirra\\tmp2");
  EXPECT_EQ(bird(1)->GetStringValue(3), "c:\\tirra\\in2");
  form().channelControlsLoaded = false;  // as while the controls are filled by the station
  form().tmpSoundEdits[1]->setText("c:\\elsewhere");
  EXPECT_EQ(bird(1)->GetStringValue(1), "c:\\tirra\\tmp2");
}

TEST_F(Activation, PanelSwitches) {
  // Feedback trigger: caption and the peaks controls.
  QToolButton* trigger = form().triggerButtons[1];
  EXPECT_EQ(trigger->text(), "Off");
  trigger->click();
  EXPECT_EQ(trigger->text(), "On");
  for (const char* n : {"tl2", "feedback_delay2", "delay2"}) EXPECT_FALSE(form().widget<QWidget>(n)->isHidden()) << n;
  trigger->click();
  for (const char* n : {"tl2", "feedback_delay2", "delay2"}) EXPECT_TRUE(form().widget<QWidget>(n)->isHidden()) << n;
  // Statistics on every recording view.
  form().stat->click();
  for (int c = 0; c < 10; ++c) EXPECT_EQ(bird(c)->GetLongValue(5), 2);
  form().stat->click();
  for (int c = 0; c < 10; ++c) EXPECT_EQ(bird(c)->GetLongValue(5), 3);
  // Panel size.
  form().display->click();
  EXPECT_EQ(form().display->text(), "Smaller");
  EXPECT_EQ(form().recPanels[0]->height(), 200);
  form().display->click();
  EXPECT_EQ(form().display->text(), "Bigger");
  EXPECT_EQ(form().recPanels[9]->height(), 97);
}

}  // namespace
