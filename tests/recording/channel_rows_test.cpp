// The channel rows: what a start-up loads from the `channels` table and the bird rows of
// `settings` into the recording controls and the station's switches, and what "Save" and
// "Save Default" write back, read from the tables as another program would.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <gtest/gtest.h>

#include "platform/errorguard.h"
#include "recording/component/ztbird.h"
#include "support/station.h"
#include "widgets/numlab.h"
#include "widgets/radiogroup.h"

namespace {

using tirra::test::Station;

class ChannelRows : public ::testing::Test {
 protected:
  void SetUp() override {
    st = std::make_unique<Station>();
    st->start();
  }
  TForm1& form() { return st->form(); }
  TztBird* bird(int c) { return form().birdControls[c]; }

  QVariant channelColumn(int c, const QString& column) {
    return st->db().scalar(QString("SELECT `%1` FROM channels WHERE chan = %2").arg(column).arg(c + 1));
  }
  QVariant birdColumn(int c, const QString& column) {
    return st->db().scalar(QString("SELECT `%1` FROM settings WHERE num = %2").arg(column).arg(c + 3));
  }
  void updateChannelRow(int c, const QString& assignments) {
    st->db().exec(QString("UPDATE channels SET %1 WHERE chan = %2").arg(assignments).arg(c + 1));
  }
  void updateBirdRow(int c, const QString& assignments) {
    st->db().exec(QString("UPDATE settings SET %1 WHERE num = %2").arg(assignments).arg(c + 3));
  }

  // What the next start-up does with the rows as they now stand in the database: each
  // channel's row loaded into its control, then its panel refreshed.
  void loadAllChannelsAfresh() {
    form().channels.close();
    form().current.refresh();
    for (int c = 0; c < 10; ++c) {
      form().loadChannelRow(c);
      form().refreshChannelPanel(c);
    }
  }
  // "Save" and "Save Default" pressed; a failure carries the error the station showed.
  ::testing::AssertionResult pressSave() { return press("save_config"); }
  ::testing::AssertionResult pressSaveDefault() { return press("SaveDefault"); }
  ::testing::AssertionResult press(const char* button) {
    const std::size_t before = st->prompts().transcript.size();
    form().widget<QPushButton>(button)->click();
    for (std::size_t i = before; i < st->prompts().transcript.size(); ++i)
      if (st->prompts().transcript[i].kind == tirra::MsgKind::Error)
        return ::testing::AssertionFailure() << st->prompts().transcript[i].text.toStdString();
    return ::testing::AssertionSuccess();
  }

  std::unique_ptr<Station> st;
};

TEST_F(ChannelRows, LoadGivesEachControlItsOwnRow) {
  struct Case {
    int c;
    float gain;
    int threshold;
    int monitor;
    int filter;
    int peakTrigger;
    int inputChannel;
    float scaler;
    QString tmpFolder;
    QString stage1Folder;
    QString birdName;
    QString inputDevice;
  } cases[] = {
      {1, 12.0f, 6400, 1, 0, 7, 1, 2.5f, "c:\\tirra\\tmp2", "c:\\tirra\\keep2", "pu12", "dev-2"},
      {6, 40.0f, 32000, 2, 1, 0, 0, 0.5f, "d:\\sounds\\tmp7", "d:\\sounds\\keep7", "bk77", "dev-7"},
      {9, 3.0f, 320, 3, 1, 12, 1, 10.0f, "c:\\t10", "c:\\k10", "or100", "dev-10"},
  };
  for (const Case& k : cases) {
    updateChannelRow(k.c, QString("m_fPeakGain = %1, m_lPeakThreshold = %2, m_lMonitorDisplay = %3, "
                                  "m_lPeakHP_Filter = %4, m_lPeakTrigger = %5, m_lIOM_InputChannel = %6, "
                                  "m_fIOM_InputScaler = %7, m_sTempFilePath = '%8', m_sIOM_InputDeviceID = '%9', "
                                  "m_lRecordingDisplay = 2")
                              .arg(k.gain)
                              .arg(k.threshold)
                              .arg(k.monitor)
                              .arg(k.filter)
                              .arg(k.peakTrigger)
                              .arg(k.inputChannel)
                              .arg(k.scaler)
                              .arg(QString(k.tmpFolder).replace("\\", "\\\\"))
                              .arg(k.inputDevice));
    updateBirdRow(k.c, QString("bird_ID = '%1', input_folder = '%2'")
                           .arg(k.birdName, QString(k.stage1Folder).replace("\\", "\\\\")));
  }
  // A display with statistics on every control beforehand.
  form().stat->click();
  ASSERT_EQ(bird(0)->GetLongValue(5), 2);

  loadAllChannelsAfresh();

  for (const Case& k : cases) {
    TztBird* b = bird(k.c);
    EXPECT_FLOAT_EQ(b->GetFloatValue(0), k.gain) << k.c;
    EXPECT_EQ(b->GetLongValue(4), k.monitor) << k.c;
    EXPECT_EQ(b->GetLongValue(9), k.filter) << k.c;
    EXPECT_EQ(b->GetLongValue(11), k.peakTrigger) << k.c;
    EXPECT_EQ(b->GetLongValue(21), k.inputChannel) << k.c;
    EXPECT_FLOAT_EQ(b->GetFloatValue(1), k.scaler) << k.c;
    EXPECT_EQ(b->GetStringValue(1), k.tmpFolder) << k.c;
    EXPECT_EQ(b->GetStringValue(3), k.stage1Folder) << k.c;
    EXPECT_EQ(b->GetStringValue(5), k.birdName) << k.c;
    EXPECT_EQ(b->GetStringValue(10), k.inputDevice) << k.c;
    // The panel refresh after the load shows the row's gain and threshold.
    EXPECT_EQ(form().gainBars[k.c]->value(), -static_cast<int>(k.gain)) << k.c;
    EXPECT_EQ(form().thresholdBars[k.c]->value(), k.threshold / 320) << k.c;
  }
  // Another channel keeps the defaults of its own row.
  EXPECT_FLOAT_EQ(bird(3)->GetFloatValue(0), 30.0f);
  EXPECT_EQ(bird(3)->GetStringValue(1), "c:\\TIRRA\\tmpSound\\");
  EXPECT_EQ(bird(3)->GetStringValue(3), birdColumn(3, "input_folder").toString());
  // Visualization only, whatever the rows or the statistics button held.
  for (int c = 0; c < 10; ++c) EXPECT_EQ(bird(c)->GetLongValue(5), 3) << c;
}

TEST_F(ChannelRows, TheLetterIsReadButNeverWritten) {
  updateChannelRow(2, "id = 'x'");
  loadAllChannelsAfresh();
  EXPECT_EQ(bird(2)->GetStringValue(0), "x");
  EXPECT_EQ(bird(3)->GetStringValue(0), "d");

  bird(2)->SetStringValue(0, "q");
  ASSERT_TRUE(pressSave());
  EXPECT_EQ(channelColumn(2, "id").toString(), "x");
  for (int c = 3; c < 10; ++c) EXPECT_EQ(channelColumn(c, "id").toString(), QString(QChar('a' + c))) << c;
}

TEST_F(ChannelRows, StatesComeBackAsSavedAndOnlyPlainStatesMoveTheModeGroup) {
  struct Case {
    int state;
    int groupBefore;  // the mode item shown when the row is loaded
    int groupAfterLoad;
  } cases[] = {
      {1, 2, 0}, {5, 0, 1}, {0, 1, 2},
      // A slave and an inactive simple recorder leave the group as it stands.
      {9, 1, 1}, {8, 2, 2}, {4, 0, 0},
  };
  const int c = 4;
  for (const Case& k : cases) {
    bird(c)->SetLongValue(0, k.state);
    ASSERT_TRUE(pressSave());
    EXPECT_EQ(channelColumn(c, "m_lBirdState").toInt(), k.state);

    form().channelModeGroups[c]->setItemIndex(k.groupBefore);
    bird(c)->SetLongValue(0, 0);
    form().channels.close();
    form().loadChannelRow(c);
    EXPECT_EQ(bird(c)->GetLongValue(0), k.state) << k.state;
    EXPECT_EQ(form().channelModeGroups[c]->itemIndex(), k.groupAfterLoad) << k.state;
  }
}

TEST_F(ChannelRows, ASlaveSavedWithItsGroupOnTheFirstItemLoadsBackAsASlave) {
  const int c = 7;
  form().channelModeGroups[c]->clickItem(0);  // active trigger channel
  bird(c)->SetLongValue(0, 9);                // made a slave
  ASSERT_TRUE(pressSave());
  bird(c)->SetLongValue(0, 1);

  loadAllChannelsAfresh();
  EXPECT_EQ(bird(c)->GetLongValue(0), 9);
  EXPECT_EQ(form().channelModeGroups[c]->itemIndex(), 0);
  EXPECT_TRUE(form().activeBoxes[c]->isChecked());
  EXPECT_EQ(form().activeBoxes[c]->text(), "Slave");
}

TEST_F(ChannelRows, TriggerBarsFollowTheFirstChannelsRowOnly) {
  updateChannelRow(0, "m_lPeakRecordDuration = 3000, m_lPrebufferSamples = 4410");
  updateChannelRow(5, "m_lPeakRecordDuration = 7000, m_lPrebufferSamples = 22050");
  loadAllChannelsAfresh();
  EXPECT_EQ(form().minimum_recording_duration->value(), 3);
  EXPECT_EQ(form().pre_thresh_buffer->value(), 100);
  EXPECT_EQ(form().duration->value(), 3000);
  // Each row still reaches its own control.
  EXPECT_EQ(bird(0)->GetLongValue(3), 3000);
  EXPECT_EQ(bird(0)->GetLongValue(17), 4410);
  EXPECT_EQ(bird(5)->GetLongValue(3), 7000);
  EXPECT_EQ(bird(5)->GetLongValue(17), 22050);
  EXPECT_EQ(bird(2)->GetLongValue(3), 1000);  // the column's default
}

TEST_F(ChannelRows, APreBufferOf300msIsStoredAs13230SamplesAndComesBack) {
  form().pre_thresh_buffer->setValue(120);
  form().pre_thresh_buffer->setValue(300);
  ASSERT_TRUE(pressSave());
  for (int c = 0; c < 10; ++c) EXPECT_EQ(channelColumn(c, "m_lPrebufferSamples").toInt(), 13230) << c;

  form().pre_thresh_buffer->setValue(50);
  loadAllChannelsAfresh();
  EXPECT_EQ(form().pre_thresh_buffer->value(), 300);
  EXPECT_EQ(bird(0)->GetLongValue(17), 13230);
}

TEST_F(ChannelRows, CutoffAndPeaksToKeepMoveTheirBarsAndAllChannels) {
  updateChannelRow(9, "m_lRecordingCutoffMS = 45500, m_lPeakComparator = 250");
  loadAllChannelsAfresh();
  // The last row decides the station-wide bars.
  EXPECT_EQ(form().MaxDur->value(), 45);
  EXPECT_EQ(form().SoundDurTb->value(), 250);
  EXPECT_EQ(form().peaksN->value(), 250);
  // The last row's channel keeps its exact cutoff; the bars' handlers gave every other
  // channel the bars' values.
  EXPECT_EQ(bird(9)->GetLongValue(6), 45500);
  EXPECT_EQ(bird(9)->GetLongValue(7), 250);
  EXPECT_EQ(bird(3)->GetLongValue(6), 45000);
  EXPECT_EQ(bird(3)->GetLongValue(7), 250);

  // Saved, the cutoff is what the bar shows.
  ASSERT_TRUE(pressSave());
  for (int c = 0; c < 10; ++c) EXPECT_EQ(channelColumn(c, "m_lRecordingCutoffMS").toInt(), 45000) << c;
}

TEST_F(ChannelRows, StationWideSwitchesAreLoadedFromEveryRowSoTheLastOneWins) {
  updateChannelRow(0, "direct_recording_epochs = 99, keep_track_of_keypecks = 1, lights_on = 5");
  updateChannelRow(9, "direct_recording_epochs = 45, keep_track_of_keypecks = 0, two_soundlists = 1, "
                      "lights_on = 7, lights_off = 19, stop_training_at_night = 1, let_go_of_key = 0");
  loadAllChannelsAfresh();
  EXPECT_EQ(form().direct_recording_duration->value(), 45);
  EXPECT_EQ(form().direct_recording_duration_val->value(), 45);
  EXPECT_FALSE(form().widget<QCheckBox>("key_track")->isChecked());
  EXPECT_EQ(form().widget<RadioGroup>("mode")->itemIndex(), 1);
  EXPECT_EQ(form().lightsOn->value(), 7);
  EXPECT_EQ(form().lightsOff->value(), 19);
  EXPECT_TRUE(form().dont_train_at_night->isChecked());
  EXPECT_FALSE(form().widget<QCheckBox>("let_go_of_key")->isChecked());
  EXPECT_FALSE(form().NIcard_exists->isChecked());
}

TEST_F(ChannelRows, PerChannelSwitchesLoadIntoTheirOwnControls) {
  updateChannelRow(2, "self_feedback = 1, randomly_select_sounds2 = 1, auto_Scroll_sounds1 = 1, "
                      "mute_playbacks = 1, lock_sessions = 1");
  updateChannelRow(6, "randomly_select_sounds1 = 5, auto_Scroll_sounds2 = 1, lock_playbacks = 1");
  loadAllChannelsAfresh();
  for (int c = 0; c < 10; ++c) {
    EXPECT_EQ(form().biofeedbackBoxes[c]->isChecked(), c == 2) << c;
    EXPECT_EQ(form().muteRecordingBoxes[c]->isChecked(), c == 2) << c;
    EXPECT_EQ(form().sessionLockButtons[c]->isChecked(), c == 2) << c;
    EXPECT_EQ(form().lockButtons[c]->isChecked(), c == 6) << c;
  }
  for (int l = 0; l < 20; ++l) {
    EXPECT_EQ(form().randomSwitchBoxes[l]->isChecked(), l == 5 || l == 12) << l;
    EXPECT_EQ(form().autoScrollBoxes[l]->isChecked(), l == 4 || l == 13) << l;
  }
}

TEST_F(ChannelRows, SaveWritesTheStationsControlsAndEachChannelsOwn) {
  form().direct_recording_duration->setValue(45);
  form().widget<QCheckBox>("key_track")->setChecked(false);
  form().widget<RadioGroup>("mode")->clickItem(1);
  form().lightsOn->setValue(7);
  form().lightsOff->setValue(20);
  form().dont_train_at_night->setChecked(true);
  form().widget<QCheckBox>("let_go_of_key")->setChecked(false);
  form().MaxDur->setValue(12);
  form().SoundDurTb->setValue(40);
  form().stat->click();  // statistics shown; stored all the same as visualization only

  form().biofeedbackBoxes[2]->setChecked(true);
  form().randomSwitchBoxes[5]->setChecked(true);
  form().autoScrollBoxes[8]->setChecked(true);
  for (int c = 0; c < 10; ++c) form().muteRecordingBoxes[c]->setChecked(c != 6);
  form().lockButtons[1]->setChecked(true);
  form().sessionLockButtons[9]->setChecked(true);
  form().gainBars[3]->setValue(-12);
  form().thresholdBars[3]->setValue(40);
  form().tmpSoundEdits[3]->setText("c:\\tirra\\tmp4");
  form().saveEdits[3]->setText("c:\\tirra\\keep4");
  bird(3)->SetStringValue(5, "gr44");  // named in the channel's settings dialog
  bird(3)->SetLongValue(11, 6);
  ASSERT_TRUE(pressSave());

  for (int c = 0; c < 10; ++c) {
    EXPECT_EQ(channelColumn(c, "direct_recording_epochs").toInt(), 45) << c;
    EXPECT_EQ(channelColumn(c, "keep_track_of_keypecks").toInt(), 0) << c;
    EXPECT_EQ(channelColumn(c, "two_soundlists").toInt(), 1) << c;
    EXPECT_EQ(channelColumn(c, "lights_on").toInt(), 7) << c;
    EXPECT_EQ(channelColumn(c, "lights_off").toInt(), 20) << c;
    EXPECT_EQ(channelColumn(c, "stop_training_at_night").toInt(), 1) << c;
    EXPECT_EQ(channelColumn(c, "let_go_of_key").toInt(), 0) << c;
    EXPECT_EQ(channelColumn(c, "NIDAQ_exists").toInt(), 0) << c;
    EXPECT_EQ(channelColumn(c, "m_lRecordingCutoffMS").toInt(), 12000) << c;
    EXPECT_EQ(channelColumn(c, "m_lPeakComparator").toInt(), 40) << c;
    EXPECT_EQ(channelColumn(c, "m_lRecordingDisplay").toInt(), 3) << c;

    EXPECT_EQ(channelColumn(c, "self_feedback").toInt(), c == 2 ? 1 : 0) << c;
    EXPECT_EQ(channelColumn(c, "randomly_select_sounds1").toInt(), 0) << c;
    EXPECT_EQ(channelColumn(c, "randomly_select_sounds2").toInt(), c == 2 ? 1 : 0) << c;
    EXPECT_EQ(channelColumn(c, "auto_scroll_sounds1").toInt(), c == 4 ? 1 : 0) << c;
    EXPECT_EQ(channelColumn(c, "auto_scroll_sounds2").toInt(), 0) << c;
    EXPECT_EQ(channelColumn(c, "mute_playbacks").toInt(), c == 6 ? 0 : 1) << c;
    EXPECT_EQ(channelColumn(c, "lock_playbacks").toInt(), c == 1 ? 1 : 0) << c;
    EXPECT_EQ(channelColumn(c, "lock_sessions").toInt(), c == 9 ? 1 : 0) << c;
  }
  EXPECT_FLOAT_EQ(channelColumn(3, "m_fPeakGain").toFloat(), 12.0f);
  EXPECT_EQ(channelColumn(3, "m_lPeakThreshold").toInt(), 12800);
  EXPECT_EQ(channelColumn(3, "m_lPeakTrigger").toInt(), 6);
  EXPECT_EQ(channelColumn(3, "m_sTempFilePath").toString(), "c:\\tirra\\tmp4");
  // The bird row takes the name and the stage-1 folder.
  EXPECT_EQ(birdColumn(3, "bird_ID").toString(), "gr44");
  EXPECT_EQ(birdColumn(3, "input_folder").toString(), "c:\\tirra\\keep4");
  EXPECT_EQ(birdColumn(4, "input_folder").toString(), bird(4)->GetStringValue(3));

  // And a later start-up brings the same values back.
  form().gainBars[3]->setValue(0);
  bird(3)->SetStringValue(5, "other");
  form().tmpSoundEdits[3]->setText("elsewhere");
  loadAllChannelsAfresh();
  EXPECT_FLOAT_EQ(bird(3)->GetFloatValue(0), 12.0f);
  EXPECT_EQ(form().gainBars[3]->value(), -12);
  EXPECT_EQ(bird(3)->GetLongValue(2), 12800);
  EXPECT_EQ(bird(3)->GetStringValue(5), "gr44");
  EXPECT_EQ(bird(3)->GetStringValue(1), "c:\\tirra\\tmp4");
  EXPECT_EQ(bird(3)->GetStringValue(3), "c:\\tirra\\keep4");
  EXPECT_EQ(bird(3)->GetLongValue(11), 6);
}

TEST_F(ChannelRows, TheGapIsWrittenInWholeSecondsAndNeverReadBack) {
  const double gaps[10] = {2.0, 0.3, 5.9, 99.9, 0.0, 12.5, 1.0, 7.7, 3.0, 45.0};
  for (int c = 0; c < 10; ++c) form().gapLabels[c]->setValue(gaps[c]);
  form().gapLabels[15]->setValue(66.0);  // a session past the tenth reaches no row
  ASSERT_TRUE(pressSave());
  for (int c = 0; c < 10; ++c)
    EXPECT_EQ(channelColumn(c, "interval_between_playbacks").toInt(), static_cast<int>(gaps[c])) << c;

  updateChannelRow(1, "interval_between_playbacks = 77");
  loadAllChannelsAfresh();
  for (int s = 0; s < 20; ++s) EXPECT_NE(form().gapLabels[s]->value(), 77.0) << s;
  EXPECT_DOUBLE_EQ(form().gapLabels[1]->value(), 0.3);
}

TEST_F(ChannelRows, SaveDefaultWritesQuotaAndFeedbackIntoTheBirdRows) {
  struct Case {
    int c;
    bool quotaOn;
    int quota;
    bool feedback;
  } cases[] = {
      {0, true, 5, false}, {1, false, 20, true}, {2, true, 0, true},   {3, false, 999, false},
      {4, true, 33, true}, {5, true, 12, false}, {6, false, 1, false}, {7, true, 40, true},
      {8, false, 8, true}, {9, true, 250, false},
  };
  for (const Case& k : cases) {
    form().enableQuotaBoxes[k.c]->setChecked(k.quotaOn);
    form().quotaLabels[k.c]->setValue(k.quota);
    form().biofeedbackBoxes[k.c]->setChecked(k.feedback);
  }
  // Entries past the tenth belong to sessions 10..19, which no bird row takes.
  form().quotaLabels[12]->setValue(777);
  ASSERT_TRUE(pressSaveDefault());
  for (const Case& k : cases) {
    EXPECT_EQ(birdColumn(k.c, "quota").toInt(), k.quotaOn ? 1 : 0) << k.c;
    EXPECT_EQ(birdColumn(k.c, "song_quota").toInt(), k.quota) << k.c;
    EXPECT_EQ(birdColumn(k.c, "bio_feedback").toInt(), k.feedback ? 1 : 0) << k.c;
    EXPECT_EQ(channelColumn(k.c, "self_feedback").toInt(), k.feedback ? 1 : 0) << k.c;
  }
  EXPECT_EQ(st->db().scalar("SELECT COUNT(*) FROM settings WHERE song_quota = 777").toInt(), 0);
  // "Save Default" says nothing.
  EXPECT_TRUE(st->prompts().transcript.empty());
}

TEST_F(ChannelRows, SaveConfirmsAtTheTopLeft) {
  form().quotaLabels[4]->setValue(17);
  ASSERT_TRUE(pressSave());
  ASSERT_EQ(st->prompts().messages(), QStringList{"Configuration saved."});
  EXPECT_EQ(st->prompts().transcript[0].kind, tirra::MsgKind::Information);
  EXPECT_EQ(st->prompts().transcript[0].position, QPoint(40, 20));
  EXPECT_EQ(birdColumn(4, "song_quota").toInt(), 17);
  EXPECT_TRUE(form().btnStartEngine->isEnabled());
  EXPECT_FALSE(form().btnStopEngine->isEnabled());
}

TEST_F(ChannelRows, SavingWhileRecordingLeavesStopAvailable) {
  form().channelModeGroups[0]->clickItem(0);
  form().tmpSoundEdits[0]->setText("c:\\TIRRA\\tmpSound0");
  form().saveEdits[0]->setText("c:\\tirra\\in1");
  form().btnStartEngine->click();
  ASSERT_TRUE(form().engineRunning) << st->prompts().messages().join("|").toStdString();
  st->prompts().clear();

  ASSERT_TRUE(pressSave());
  EXPECT_EQ(st->prompts().messages(), QStringList{"Configuration saved."});
  EXPECT_TRUE(form().btnStopEngine->isEnabled());
  EXPECT_FALSE(form().btnStartEngine->isEnabled());
  EXPECT_EQ(channelColumn(0, "m_lBirdState").toInt(), 1);

  form().btnStopEngine->click();
  EXPECT_FALSE(form().engineRunning);
}

TEST_F(ChannelRows, AFailedSaveShowsTheErrorAndNoConfirmation) {
  st->db().exec("DROP TABLE channels");
  EXPECT_FALSE(pressSave());
  const QStringList shown = st->prompts().messages();
  ASSERT_EQ(shown.size(), 1);
  EXPECT_NE(shown[0], "Configuration saved.");
  EXPECT_EQ(st->prompts().transcript[0].kind, tirra::MsgKind::Error);
}

}  // namespace
