// The window as built: its pages and sub-pages with their captions, every component
// array with its members in order, and designed defaults read back by objectName.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include "recording/component/ztbird.h"
#include "support/station.h"
#include "widgets/filelistbox.h"
#include "widgets/numlab.h"
#include "widgets/spinbutton.h"
#include "widgets/radiogroup.h"
#include "widgets/shape.h"

using tirra::test::Station;

namespace {

template <class T, std::size_t N>
QStringList names(const std::array<T*, N>& family) {
  QStringList out;
  for (T* w : family) out << (w ? w->objectName() : QStringLiteral("<null>"));
  return out;
}

QStringList numbered(const QString& pattern, int first, int count) {
  QStringList out;
  for (int i = 0; i < count; ++i) out << pattern.arg(first + i);
  return out;
}

class WindowStructure : public ::testing::Test {
 protected:
  void SetUp() override {
    station = std::make_unique<Station>();
    station->form().show();
    station->form().fillComponentArrays();
  }
  std::unique_ptr<Station> station;
  TForm1& form() { return station->form(); }
};

TEST_F(WindowStructure, SixPagesWithTheirCaptionsMainFirst) {
  QTabWidget* tabs = form().controls;
  ASSERT_EQ(tabs->count(), 6);
  const QStringList objects{"TabSheet8", "TabSheet2", "TabSheet5", "devices", "TabSheet9", "TabSheet4"};
  const QStringList captions{"Main", "Recording", "Playbacks", "Operant devices", "Animals", "Log && options"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(tabs->widget(i)->objectName(), objects[i]);
    EXPECT_EQ(tabs->tabText(i), captions[i]);
  }
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(form().windowTitle(), "Tirra Recorder Noll 1.12");
}

TEST_F(WindowStructure, SubPagesCarryTheirCaptions) {
  struct Case {
    const char* page;
    QStringList captions;
  } cases[] = {
      {"TabSheet2", {"Mode", "Trigger parameters", "Gain", "Recording output"}},
      {"TabSheet5", {"settings", "sounds", "sessions", "feedback"}},
      {"devices", {"settings", "operant playbacks", "operant instrumentation"}},
  };
  for (const Case& c : cases) {
    auto* page = form().findChild<QWidget*>(c.page);
    ASSERT_TRUE(page) << c.page;
    auto* sub = page->findChild<QTabWidget*>();
    ASSERT_TRUE(sub) << c.page;
    QStringList shown;
    for (int i = 0; i < sub->count(); ++i) shown << sub->tabText(i);
    EXPECT_EQ(shown, c.captions) << c.page;
  }
  for (const char* named : {"playback_settings", "playbacks_sounds", "playbacks_sessions", "playbacks_feedback"})
    EXPECT_TRUE(form().findChild<QWidget*>(named)) << named;
}

TEST_F(WindowStructure, EveryComponentArrayHoldsItsMembersInOrder) {
  TForm1& f = form();
  struct Case {
    const char* array;
    QStringList actual;
    QStringList expected;
  } cases[] = {
      {"birdControls", names(f.birdControls), numbered("ztBird%1", 1, 10)},
      {"activeBoxes", names(f.activeBoxes), numbered("active%1", 1, 10)},
      {"trainButtons", names(f.trainButtons), numbered("train%1", 1, 10)},
      {"sessionTrainButtons", names(f.sessionTrainButtons), numbered("train%1a", 1, 10)},
      {"triggerButtons", names(f.triggerButtons), numbered("trigger%1", 1, 10)},
      {"biofeedbackBoxes", names(f.biofeedbackBoxes), numbered("biofeedback%1", 1, 10)},
      {"feedbackLabels", names(f.feedbackLabels), numbered("feedbackL%1", 1, 10)},
      {"boxShapes", names(f.boxShapes), numbered("Box%1", 1, 10)},
      {"thresholdBars", names(f.thresholdBars), numbered("trckThreshold%1", 1, 10)},
      {"gainBars", names(f.gainBars), numbered("gain%1", 1, 10)},
      {"volumeBars", names(f.volumeBars), numbered("vol%1", 1, 10)},
      {"scalerBars", names(f.scalerBars), numbered("scaler%1", 1, 10)},
      {"scalerLabels", names(f.scalerLabels), numbered("scalerN%1", 1, 10)},
      {"recordedBars", names(f.recordedBars), numbered("recorded%1", 1, 10)},
      {"passivePlayedLabels", names(f.passivePlayedLabels), numbered("passive_played%1", 1, 10)},
      {"playingImages", names(f.playingImages), numbered("playing%1", 1, 10)},
      {"playbackErrorLabels", names(f.playbackErrorLabels), numbered("playback_error%1", 1, 10)},
      {"recPanels", names(f.recPanels), numbered("rec_panel%1", 1, 10)},
      {"channelModeGroups", names(f.channelModeGroups), numbered("channel_mode%1", 1, 10)},
      {"saveEdits", names(f.saveEdits), numbered("save%1", 1, 10)},
      {"tmpSoundEdits", names(f.tmpSoundEdits), numbered("tmpSound%1", 1, 10)},
      {"muteRecordingBoxes", names(f.muteRecordingBoxes), numbered("playback_mute_rec%1", 1, 10)},
      {"toTrainBoxes", names(f.toTrainBoxes), numbered("toTrain%1", 1, 10)},
      {"toStopBoxes", names(f.toStopBoxes), numbered("toStop%1", 1, 10)},
      {"startPickers", names(f.startPickers), numbered("start%1", 1, 10)},
      {"endPickers", names(f.endPickers), numbered("end%1", 1, 10)},
      {"switchQuotaBars", names(f.switchQuotaBars), numbered("switch_quota_Tb%1", 1, 10)},
      {"switchQuotaLabels", names(f.switchQuotaLabels), numbered("switch_quota%1", 1, 10)},
      {"switchListsBoxes", names(f.switchListsBoxes), numbered("switch_lists%1", 1, 10)},
      {"listPanels", names(f.listPanels), numbered("list_%1a", 1, 10)},
      {"lockButtons", names(f.lockButtons), numbered("lock%1", 0, 10)},
      {"sessionLockButtons", names(f.sessionLockButtons), numbered("session_lock%1", 1, 10)},
      {"sessionBoxes", names(f.sessionBoxes), numbered("session%1", 1, 20)},
      {"sessionPanels", names(f.sessionPanels), numbered("session_panel%1", 1, 20)},
      {"passivePanels", names(f.passivePanels), numbered("passive_panel%1", 1, 20)},
      {"sessionStartLabels", names(f.sessionStartLabels), numbered("session_startL%1", 1, 20)},
      {"sessionEndLabels", names(f.sessionEndLabels), numbered("session_endL%1", 1, 20)},
      {"sessionHourButtons", names(f.sessionHourButtons), numbered("session_hours%1", 1, 40)},
      {"sessionMinuteButtons", names(f.sessionMinuteButtons), numbered("session_min%1", 1, 40)},
      {"quotaLabels", names(f.quotaLabels), numbered("quota%1", 1, 20)},
      {"quotaUpDowns", names(f.quotaUpDowns), numbered("quota_UpDown%1", 1, 20)},
      {"enableQuotaBoxes", names(f.enableQuotaBoxes), numbered("enable_quota%1", 1, 20)},
      {"gapLabels", names(f.gapLabels), numbered("gap%1", 1, 20)},
      {"gapUpDowns", names(f.gapUpDowns), numbered("gap_UpDown%1", 1, 20)},
      {"passiveOddsLabels", names(f.passiveOddsLabels), numbered("passive_odds%1", 1, 20)},
      {"passiveOddsUpDowns", names(f.passiveOddsUpDowns), numbered("passive_odds_UpDown%1", 1, 20)},
      {"onsetTimingGroups", names(f.onsetTimingGroups), numbered("onset_timing%1", 1, 20)},
      {"playbackControlCombos", names(f.playbackControlCombos), numbered("session_playback_control%1", 0, 20)},
      {"playbackListCombos", names(f.playbackListCombos), numbered("session_playback_list%1", 0, 20)},
      {"playbackCountLabels", names(f.playbackCountLabels), numbered("Playbacks%1", 1, 20)},
      {"folderEdits", names(f.folderEdits), numbered("playbacks_folder%1", 0, 20)},
      {"inputButtons", names(f.inputButtons), numbered("input%1", 0, 20)},
      {"playButtons", names(f.playButtons), numbered("play%1", 0, 20)},
      {"randomSwitchBoxes", names(f.randomSwitchBoxes), numbered("random_switch%1", 0, 20)},
      {"autoScrollBoxes", names(f.autoScrollBoxes), numbered("auto_scroll%1", 0, 20)},
      {"resetCountsButtons", names(f.resetCountsButtons), numbered("reset_counts%1", 0, 20)},
      {"soundListBoxes", names(f.soundListBoxes), numbered("playbacks_%1", 0, 20)},
      {"songLabels", names(f.songLabels), numbered("song%1", 0, 20)},
      {"playCountLabels", names(f.playCountLabels), numbered("Play_counts%1", 0, 20)},
      {"keyShapes", names(f.keyShapes), numbered("key%1", 1, 20)},
      {"detectShapes", names(f.detectShapes), numbered("detect%1", 1, 20)},
      {"keyEffectBoxes", names(f.keyEffectBoxes), numbered("key_effect%1", 1, 20)},
      {"effectDurationBars", names(f.effectDurationBars), numbered("effect_duration%1", 1, 20)},
      {"effectDelayBars", names(f.effectDelayBars), numbered("effect_delay%1", 1, 20)},
  };
  for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected) << c.array;

  QStringList portLines;
  for (int i = 1; i <= 40; ++i) portLines << QString("p%1").arg(i) << QString("l%1").arg(i);
  EXPECT_EQ(names(f.portLineLabels), portLines);
}

TEST_F(WindowStructure, ChannelThreeOwnsItsSessionsListsKeysAndControl) {
  TForm1& f = form();
  const int c = 2;
  EXPECT_EQ(f.birdControls[c]->objectName(), "ztBird3");
  EXPECT_EQ(f.sessionBoxes[2 * c]->objectName(), "session5");
  EXPECT_EQ(f.soundListBoxes[2 * c]->objectName(), "playbacks_4");
  EXPECT_EQ(f.soundListBoxes[2 * c + 1]->objectName(), "playbacks_5");
  EXPECT_EQ(f.keyShapes[2 * c]->objectName(), "key5");
  EXPECT_EQ(f.keyShapes[2 * c + 1]->objectName(), "key6");
  EXPECT_EQ(f.playbackCountLabels[2 * c]->objectName(), "Playbacks5");
  // Every bird control sits inside its own channel panel on the Main page.
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(f.recPanels[i]->isAncestorOf(f.birdControls[i])) << i;
}

TEST_F(WindowStructure, DesignedDefaultsReadBack) {
  TForm1& f = form();
  auto slider = [&](const char* n) { return f.widget<QSlider>(n); };
  struct Range {
    const char* name;
    int min, max, value;
  } ranges[] = {
      {"trckThreshold1", 0, 160, 0},    {"gain7", -50, 0, 0},
      {"vol10", 0, 4, 0},               {"scaler4", 0, 100, 10},
      {"pre_thresh_buffer", 0, 5000, 300}, {"minimum_recording_duration", 1, 10, 1},
      {"MaxDur", 1, 1000, 30},          {"SoundDurTb", 0, 5000, 1000},
      {"speed", 10, 5999, 5500},        {"direct_recording_duration", 1, 500, 30},
      {"timer_interval", 1, 300, 100},  {"switch_quota_Tb3", 1, 1000, 100},
      {"feedback_delay2", 0, 100000, 5000}, {"keypeck_Tb", 0, 20000, 0},
      {"NI_device_num", 1, 10, 1},      {"num_ports", 0, 6, 3},
  };
  for (const Range& r : ranges) {
    QSlider* s = slider(r.name);
    EXPECT_EQ(s->minimum(), r.min) << r.name;
    EXPECT_EQ(s->maximum(), r.max) << r.name;
    EXPECT_EQ(s->value(), r.value) << r.name;
  }
  EXPECT_EQ(f.widget<QProgressBar>("recorded5")->maximum(), 5000);

  struct Caption {
    const char* name;
    QString text;
  } captions[] = {
      {"btnStartEngine", "Start"}, {"btnStopEngine", "Stop"}, {"save_config", "Save"},
      {"Reset4", "Reset"},         {"options7", "7"},         {"SaveDefault", "Save Default"},
  };
  for (const Caption& c : captions) EXPECT_EQ(f.widget<QPushButton>(c.name)->text(), c.text) << c.name;
  EXPECT_EQ(f.widget<QToolButton>("train2")->text(), "Train");
  EXPECT_EQ(f.widget<QToolButton>("train2")->toolTip(), "start training");
  EXPECT_EQ(f.widget<QPushButton>("Reset4")->toolTip(), "erase pecks");
  EXPECT_EQ(f.widget<QToolButton>("display")->text(), "Wider");
  EXPECT_EQ(f.widget<QCheckBox>("active3")->text(), "Active");
  EXPECT_EQ(f.widget<QLabel>("sessionLb")->text(), "Playbacks");
  EXPECT_EQ(f.wait->text(), QString(34, ' ') + "Please wait");
  EXPECT_TRUE(f.wait->isVisible());
  EXPECT_EQ(f.widget<NumLab>("thresh1")->value(), 11);
  EXPECT_EQ(f.widget<NumLab>("MaxDurN")->value(), 30000);
  EXPECT_EQ(f.widget<QLineEdit>("tmpSound2")->text(), "c:\\tirra\\in0\\");
  EXPECT_EQ(f.widget<RadioGroup>("channel_mode6")->itemIndex(), 2);
  EXPECT_EQ(f.widget<RadioGroup>("channel_mode6")->item(0), "Trigger activated");

  // Hidden and disabled at start.
  for (const char* hidden : {"key1", "key20", "playing3", "feedbackL9", "playback_error2"})
    EXPECT_FALSE(f.widget<QWidget>(hidden)->isVisible()) << hidden;
  EXPECT_FALSE(f.btnStopEngine->isEnabled());
  EXPECT_TRUE(f.btnStartEngine->isEnabled());
  EXPECT_EQ(f.widget<Shape>("Box1")->brushColor(), QColor(Qt::black));
}

TEST_F(WindowStructure, ShownWindowSitsTopLeftWithColouredBars) {
  TForm1& f = form();
  EXPECT_EQ(f.pos(), QPoint(0, 0));
  EXPECT_EQ(f.centralWidget()->size(), QSize(1040, 838));
  for (int c = 0; c < 10; ++c) {
    EXPECT_TRUE(f.gainBars[c]->styleSheet().contains("rgb(0,0,255)")) << c;
    EXPECT_TRUE(f.thresholdBars[c]->styleSheet().contains("rgb(255,0,0)")) << c;
  }
}

}  // namespace
