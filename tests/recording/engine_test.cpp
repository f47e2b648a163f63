// "Start" and "Stop" and the bird controls' notifications, as the user drives them.
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <gtest/gtest.h>

#include "recording/component/ztbird.h"
#include "recording/component/ztbirdengine.h"
#include "support/station.h"
#include "widgets/radiogroup.h"

namespace {

using tirra::test::Station;

const QString kNothing =
    "There is nothing to record: Please configure & activate at least one of the channels first.";
const QString kFolders =
    "At list one of the folders in the recording destination is invalid. Please go to 'recording' and "
    "change temporary or stage 1 storage location";

class Engine : public ::testing::Test {
 protected:
  void SetUp() override {
    st = std::make_unique<Station>();
    st->start();
  }
  TForm1& form() { return st->form(); }
  // Activates channel c in trigger mode and gives it folders, as a user does on the
  // "Mode" and "Recording output" pages.
  void prepareChannel(int c) {
    form().channelModeGroups[c]->clickItem(0);
    form().tmpSoundEdits[c]->setText(QString("c:\\TIRRA\\tmpSound%1").arg(c));
    form().saveEdits[c]->setText(QString("c:\\tirra\\in%1").arg(c + 1));
  }
  void clickStart() { form().btnStartEngine->click(); }
  std::unique_ptr<Station> st;
};

TEST_F(Engine, NothingActiveRefusesWithoutLookingAtFolders) {
  form().tmpSoundEdits[4]->setText("");  // an inactive channel's folder is not checked
  clickStart();
  ASSERT_EQ(st->prompts().messages(), QStringList{kNothing});
  EXPECT_EQ(st->prompts().transcript[0].kind, tirra::MsgKind::Error);
  EXPECT_EQ(st->prompts().transcript[0].position, QPoint(10, 50));
  EXPECT_FALSE(form().engineRunning);
  EXPECT_TRUE(form().btnStartEngine->isEnabled());
  EXPECT_FALSE(form().ztBirdEngine1->isRunning());
}

TEST_F(Engine, AnActiveChannelWithAnEmptyFolderRefusesWithTheFoldersMessage) {
  prepareChannel(2);
  form().tmpSoundEdits[2]->setText("");
  clickStart();
  EXPECT_EQ(st->prompts().messages(), QStringList{kFolders});
  EXPECT_FALSE(form().engineRunning);
  // Both folders were tried: the stage-1 folder was made all the same.
  EXPECT_TRUE(QDir(st->home().file("tirra/in3")).exists());
}

TEST_F(Engine, StartMakesTheFoldersAndRunsStopRestores) {
  prepareChannel(0);
  prepareChannel(6);
  form().lockButtons[3]->setChecked(true);  // a locked channel keeps its Play buttons
  clickStart();
  EXPECT_TRUE(st->prompts().transcript.empty()) << st->prompts().messages().join("|").toStdString();
  EXPECT_TRUE(form().engineRunning);
  EXPECT_TRUE(form().ztBirdEngine1->isRunning());
  // Folders made without regard to the case of the stored names.
  EXPECT_TRUE(QDir(st->home().file("TIRRA/tmpSound0")).exists() || QDir(st->home().file("tirra/tmpSound0")).exists());
  EXPECT_TRUE(QDir(st->home().file("tirra/in7")).exists());
  EXPECT_FALSE(form().btnStartEngine->isEnabled());
  EXPECT_TRUE(form().btnStopEngine->isEnabled());
  EXPECT_FALSE(form().SaveDefault->isEnabled());
  EXPECT_FALSE(form().loadConfig->isEnabled());
  EXPECT_FALSE(form().display->isEnabled());
  EXPECT_FALSE(form().pre_thresh_buffer->isEnabled());
  for (int c = 0; c < 10; ++c) {
    EXPECT_EQ(form().playButtons[2 * c]->isEnabled(), c != 3) << c;
    EXPECT_EQ(form().playButtons[2 * c + 1]->isEnabled(), c != 3) << c;
  }

  form().activeBoxes[5]->setEnabled(false);
  form().btnStopEngine->click();
  EXPECT_FALSE(form().engineRunning);
  EXPECT_FALSE(form().ztBirdEngine1->isRunning());
  EXPECT_TRUE(form().btnStartEngine->isEnabled());
  EXPECT_FALSE(form().btnStopEngine->isEnabled());
  EXPECT_TRUE(form().SaveDefault->isEnabled());
  EXPECT_TRUE(form().display->isEnabled());
  EXPECT_TRUE(form().pre_thresh_buffer->isEnabled());
  EXPECT_TRUE(form().activeBoxes[5]->isEnabled());
  for (int c = 0; c < 10; ++c) EXPECT_FALSE(form().playButtons[2 * c]->isEnabled()) << c;
}

TEST_F(Engine, ARecordingCountsOnItsOwnChannelOnly) {
  TztBird* bird = form().birdControls[2];
  emit bird->OnBirdNotification(bird, 2);
  emit bird->OnBirdNotification(bird, 2);
  for (int c = 0; c < 10; ++c) {
    EXPECT_EQ(form().recordingsToday[c], c == 2 ? 2 : 0) << c;
    EXPECT_EQ(form().recordedBars[c]->value(), c == 2 ? 2 : 0) << c;
  }
  // The bar stops at its end; the count goes on.
  form().recordingsToday[2] = 5000;
  emit bird->OnBirdNotification(bird, 2);
  EXPECT_EQ(form().recordingsToday[2], 5001);
  EXPECT_EQ(form().recordedBars[2]->value(), 5000);
}

TEST_F(Engine, PlaybackEndResumesAndPeakTriggerPlaysOnlyWhenAsked) {
  TztBird* bird = form().birdControls[4];
  bird->SetLongValue(10, 1);
  emit bird->OnBirdNotification(bird, 6);
  EXPECT_EQ(bird->GetLongValue(10), 0);

  // Code 5 with the trigger button up: no playback, so nothing resumes the channel.
  bird->SetLongValue(10, 1);
  emit bird->OnBirdNotification(bird, 5);
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(bird->GetLongValue(10), 1);
  // With it down the control plays (here nothing can play, so its end comes at once).
  form().triggerButtons[4]->click();
  emit bird->OnBirdNotification(bird, 5);
  for (int i = 0; i < 20 && bird->GetLongValue(10) != 0; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(bird->GetLongValue(10), 0);
  // Other codes and other senders change nothing.
  emit bird->OnBirdNotification(bird, 3);
  TztBird stranger;
  form().ztBird1BirdNotification(&stranger, 2);
  for (int v : form().recordingsToday) EXPECT_EQ(v, 0);
}

}  // namespace
