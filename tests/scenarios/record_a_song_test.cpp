// A lab scientist's first recording, end to end through the window: pick the sound
// device for channel 1 in its settings dialog, set the trigger, activate the channel,
// press "Start". The bird sings into the (file-backed) sound device; its song must end up
// as a kept WAV file in the stage-1 folder and be counted on the channel's bar.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QThread>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

#include "recording/component/ztbird.h"
#include "recording_component/sound_helpers.h"
#include "recording_component/test_devices.h"
#include "support/wait.h"
#include "support/station.h"

namespace {

using namespace tirra::test;


TEST(RecordASong, FromTheSettingsDialogToAKeptFile) {
  BirdBox& box = BirdBox::instance();  // before anything opens the sound system
  Station st;
  st.start();
  TForm1& f = st.form();

  // The song: half a second of quiet, 0.4 s of singing well above the threshold, then quiet.
  Samples song = silence(22050);
  append(song, burst(17641, 20000, 10));
  append(song, silence(3 * 44100));
  box.setInput({song});

  // Channel 1's settings: the bird box's first input and output, and the bird's name.
  st.prompts().dialogScripts.push_back([](QDialog* d) {
    auto* in = d->findChild<QComboBox*>("inputDevice");
    auto* out = d->findChild<QComboBox*>("outputDevice");
    in->setCurrentIndex(in->findText("birdbox (ALSA)"));
    d->findChild<QComboBox*>("inputChannel")->setCurrentIndex(0);
    out->setCurrentIndex(out->findText("birdbox (ALSA)"));
    d->findChild<QComboBox*>("outputChannel")->setCurrentIndex(0);
    d->findChild<QLineEdit*>("birdName")->setText("b101");
    return int(QDialog::Accepted);
  });
  f.widget<QPushButton>("options1")->click();
  ASSERT_FALSE(f.birdControls[0]->GetStringValue(6).startsWith("inva")) << f.birdControls[0]->GetStringValue(6).toStdString();
  EXPECT_EQ(st.db().scalar("SELECT bird_ID FROM settings WHERE num=3").toString(), "b101");

  // Input scaler 1.0 on the "Gain" page.
  f.scalerBars[0]->setValue(0);
  f.scalerBars[0]->setValue(10);
  // Trigger: threshold 31 x 320, keep a recording from 10 peaks on, 1 s after the song.
  f.thresholdBars[0]->setValue(31);
  f.widget<QSlider>("SoundDurTb")->setValue(10);
  f.widget<QSlider>("pre_thresh_buffer")->setValue(300);  // 300 ms before the song
  f.widget<QSlider>("minimum_recording_duration")->setValue(1);
  f.tmpSoundEdits[0]->setText("c:\\tirra\\tmpSound");
  f.saveEdits[0]->setText("c:\\tirra\\in1");
  f.activeBoxes[0]->click();
  ASSERT_EQ(f.birdControls[0]->GetLongValue(0), 1);
  EXPECT_EQ(f.activeBoxes[0]->text(), "On trigger");

  f.btnStartEngine->click();
  ASSERT_TRUE(f.engineRunning) << st.prompts().messages().join(" | ").toStdString();

  const QString stage1 = st.home().file("tirra/in1");
  ASSERT_TRUE(waitFor([&] { return !wavFiles(stage1).isEmpty() && f.recordingsToday[0] == 1; }))
      << "kept files: " << wavFiles(stage1).size() << ", counted: " << f.recordingsToday[0]
      << ", input: " << f.birdControls[0]->GetStringValue(6).toStdString();
  f.btnStopEngine->click();

  const QStringList kept = wavFiles(stage1);
  ASSERT_EQ(kept.size(), 1);
  EXPECT_TRUE(QFileInfo(kept[0]).fileName().contains("b101"));
  const WavContent wav = readWav(kept[0]);
  ASSERT_TRUE(wav.ok);
  EXPECT_EQ(wav.sampleRate, 44100);
  // 300 ms of pre-threshold sound, then the whole song as sung, then a second after it.
  // The channel's cage-noise filter (on in a new channels row) lets the song's last
  // excursion ring a few samples longer, which the post-threshold second starts from.
  const Samples sung = burst(17641, 20000, 10);
  std::size_t first = 0;
  while (first < wav.samples.size() && wav.samples[first] == 0) ++first;
  EXPECT_EQ(first, std::size_t(13230));
  ASSERT_GE(wav.samples.size(), first + sung.size());
  EXPECT_TRUE(std::equal(sung.begin(), sung.end(), wav.samples.begin() + first));
  EXPECT_GE(wav.samples.size(), std::size_t(13230 + 17641 + 44100));
  EXPECT_LE(wav.samples.size(), std::size_t(13230 + 17641 + 44100 + 64));
  EXPECT_EQ(f.recordedBars[0]->value(), 1);
  EXPECT_TRUE(wavFiles(st.home().file("tirra/tmpSound")).isEmpty());
}

}  // namespace
