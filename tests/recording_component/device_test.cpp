// The recording component end to end through PortAudio, on the file-backed ALSA test
// device "birdbox": what is in its input file is heard by the birds, what they play
// ends up in its output file. The device is not paced in real time, so tests wait for
// files and notifications, never for a duration.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <cmath>
#include <functional>

#include "platform/prompts.h"
#include "recording/component/audio_devices.h"
#include "recording/component/ztbird.h"
#include "recording/component/ztbirdengine.h"
#include "recording_component/sound_helpers.h"
#include "recording_component/test_devices.h"
#include "support/wait.h"
#include "support/stationhome.h"

using namespace tirra::test;

namespace {

constexpr int kPre = 4410;
constexpr int kPost = 4410;


Samples concat(std::initializer_list<Samples> parts) {
  Samples all;
  for (const Samples& p : parts) append(all, p);
  return all;
}

class BirdBoxTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { BirdBox::instance(); }
  void TearDown() override { engine->StopEngine(); }

  // A channel set up as the station sets it, listening to one input of the test device.
  TztBird* addBird(int input, std::int32_t state) {
    auto* bird = new TztBird(&window);
    const int n = static_cast<int>(birds.size());
    bird->SetStringValue(0, QString(QChar('a' + n)));
    bird->SetStringValue(5, QStringLiteral("bird%1").arg(n + 1));
    bird->SetStringValue(1, QStringLiteral("c:\\tirra\\tmpSound\\"));
    bird->SetStringValue(3, QStringLiteral("c:\\tirra\\in%1\\").arg(n + 1));
    bird->SetStringValue(9, QStringLiteral("ALSA"));
    bird->SetStringValue(10, QString::fromLatin1(BirdBox::kName));
    bird->SetLongValue(21, input);
    bird->SetLongValue(2, 10000);
    bird->SetLongValue(3, 100);
    bird->SetLongValue(6, 30000);
    bird->SetLongValue(7, 10);
    bird->SetLongValue(17, kPre);
    bird->SetLongValue(16, 1);
    bird->SetLongValue(15, 500);
    bird->SetFloatValue(0, 0.0f);
    bird->SetFloatValue(1, 1.0f);
    bird->SetLongValue(0, state);
    engine->addBird(bird);
    QObject::connect(bird, &TztBird::OnBirdNotification, [this](TztBird* sender, int code) {
      onUiThread = onUiThread && QThread::currentThread() == qApp->thread();
      events.emplace_back(sender, code);
    });
    birds.push_back(bird);
    return bird;
  }
  QString stage1(int n) const { return home.path() + QStringLiteral("/tirra/in%1").arg(n + 1); }
  QString temp() const { return home.path() + QStringLiteral("/tirra/tmpSound"); }
  int count(TztBird* bird, int code) const {
    int c = 0;
    for (const auto& e : events) c += e.first == bird && e.second == code;
    return c;
  }

  StationHome home;
  QWidget window;
  TztBirdEngine* engine = new TztBirdEngine(&window);
  std::vector<TztBird*> birds;
  std::vector<std::pair<TztBird*, int>> events;
  bool onUiThread = true;
};

TEST_F(BirdBoxTest, TheDeviceIsListedAndChosenInTheSetupDialog) {
  {
    tirra::rec::AudioSession session;
    ASSERT_TRUE(session.ok()) << session.error().toStdString();
    const auto box = tirra::rec::findDevice(session.devices(), QStringLiteral("ALSA"), QString::fromLatin1(BirdBox::kName));
    ASSERT_TRUE(box.has_value());
    EXPECT_GE(box->maxInputs, 10);
    EXPECT_GE(box->maxOutputs, 2);
  }
  tirra::ScopedScriptedPrompts prompts;
  prompts.dialogScripts.push_back([](QDialog* d) {
    auto* in = d->findChild<QComboBox*>(QStringLiteral("inputDevice"));
    auto* out = d->findChild<QComboBox*>(QStringLiteral("outputDevice"));
    if (!in || !out) return int(QDialog::Rejected);
    in->setCurrentIndex(in->findText(QStringLiteral("birdbox (ALSA)")));
    d->findChild<QComboBox*>(QStringLiteral("inputChannel"))->setCurrentIndex(2);
    out->setCurrentIndex(out->findText(QStringLiteral("birdbox (ALSA)")));
    d->findChild<QComboBox*>(QStringLiteral("outputChannel"))->setCurrentIndex(1);
    return int(QDialog::Accepted);
  });
  TztBird bird;
  bird.InvokeConfigureDlg();
  EXPECT_EQ(bird.GetStringValue(9), QStringLiteral("ALSA"));
  EXPECT_EQ(bird.GetStringValue(10), QStringLiteral("birdbox"));
  EXPECT_EQ(bird.GetLongValue(21), 2);
  EXPECT_EQ(bird.GetStringValue(6), QStringLiteral("birdbox (ALSA), input 3"));
  EXPECT_EQ(bird.GetStringValue(11), QStringLiteral("ALSA"));
  EXPECT_EQ(bird.GetStringValue(12), QStringLiteral("birdbox"));
  EXPECT_EQ(bird.GetLongValue(27), 1);
  EXPECT_EQ(bird.GetStringValue(7), QStringLiteral("birdbox (ALSA), output 2"));
}

TEST_F(BirdBoxTest, TenChannelsEachRecordTheSongOnTheirOwnInput) {
  std::vector<Samples> inputs;
  std::vector<std::size_t> songStart, songLength;
  for (int k = 0; k < 10; ++k) {
    songStart.push_back(static_cast<std::size_t>(10000 + 2205 * k));
    songLength.push_back(static_cast<std::size_t>(2001 + 100 * k));
    Samples s = concat({silence(songStart[k]), burst(songLength[k], 12000 + 1500 * k)});
    append(s, silence(3 * 44100 - s.size()));
    inputs.push_back(s);
  }
  BirdBox::instance().setInput(inputs);
  for (int k = 0; k < 10; ++k) addBird(k, 1)->SetLongValue(11, 100);  // peaks that raise 5
  ASSERT_EQ(engine->StartEngine(), 0);
  for (int k = 0; k < 10; ++k) EXPECT_EQ(birds[k]->viewMessage(), QString()) << k;
  ASSERT_TRUE(waitFor([&] {
    for (int k = 0; k < 10; ++k)
      if (wavFiles(stage1(k)).size() != 1) return false;
    return true;
  })) << "every channel keeps its song";
  engine->StopEngine();
  QCoreApplication::processEvents();
  for (int k = 0; k < 10; ++k) {
    SCOPED_TRACE(k);
    const QStringList files = wavFiles(stage1(k));
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(QFileInfo(files[0]).fileName().startsWith(QStringLiteral("bird%1_%2_").arg(k + 1).arg(QChar('a' + k))));
    const WavContent w = readWav(files[0]);
    ASSERT_EQ(w.samples.size(), kPre + songLength[k] + kPost);
    EXPECT_TRUE(std::equal(w.samples.begin(), w.samples.end(), inputs[k].begin() + static_cast<long>(songStart[k] - kPre)))
        << "the file holds this input's sound, sample for sample";
    std::vector<int> codes;
    for (const auto& e : events)
      if (e.first == birds[k]) codes.push_back(e.second);
    EXPECT_EQ(codes, (std::vector<int>{2, 5})) << "one recording, its peak count reached once, in that order";
  }
  EXPECT_TRUE(wavFiles(temp()).isEmpty());
  EXPECT_TRUE(onUiThread);
}

TEST_F(BirdBoxTest, SlaveRecordsItsOwnInputWhileTheMasterRecords) {
  const Samples song = concat({silence(10000), burst(4001, 20000), silence(2 * 44100)});
  const Samples quiet = tone(song.size(), 3000, 700.0);
  BirdBox::instance().setInput({song, quiet});
  TztBird* master = addBird(0, 1);
  TztBird* slave = addBird(1, 9);
  slave->SetStringValue(8, QStringLiteral("a"));
  ASSERT_EQ(engine->StartEngine(), 0);
  ASSERT_TRUE(waitFor([&] { return wavFiles(stage1(0)).size() == 1 && wavFiles(stage1(1)).size() == 1; }));
  engine->StopEngine();
  QCoreApplication::processEvents();  // notifications queued before the stop
  const WavContent m = readWav(wavFiles(stage1(0))[0]);
  const WavContent s = readWav(wavFiles(stage1(1))[0]);
  ASSERT_EQ(m.samples.size(), std::size_t{kPre + 4001 + kPost});
  ASSERT_EQ(s.samples.size(), m.samples.size());
  EXPECT_TRUE(std::equal(s.samples.begin(), s.samples.end(), quiet.begin() + (10000 - kPre)))
      << "the slave's file covers the same stretch of its own input";
  EXPECT_EQ(count(master, 2), 1);
  EXPECT_EQ(count(slave, 2), 0);
}

TEST_F(BirdBoxTest, SuspendedChannelRecordsNothing) {
  BirdBox::instance().setInput({concat({silence(10000), burst(4001, 20000), silence(44100)})});
  TztBird* bird = addBird(0, 1);
  bird->SetLongValue(10, 1);
  ASSERT_EQ(engine->StartEngine(), 0);
  ASSERT_TRUE(waitFor([&] { return bird->status().samplesProcessed > 3 * 44100; }));
  engine->StopEngine();
  EXPECT_EQ(bird->GetLongValue(10), 1);
  EXPECT_TRUE(wavFiles(stage1(0)).isEmpty());
  EXPECT_TRUE(wavFiles(temp()).isEmpty());
  EXPECT_EQ(count(bird, 2), 0);
}

TEST_F(BirdBoxTest, SimpleRecordingOpensAndKeepsAnEpochPerCommand) {
  BirdBox::instance().setInput({tone(44100, 5000, 440.0)});
  TztBird* bird = addBird(0, 5);
  ASSERT_EQ(engine->StartEngine(), 0);
  auto waitForMoreSound = [&] {
    const std::uint64_t from = bird->status().samplesProcessed;
    return waitFor([&] { return bird->status().samplesProcessed > from + 20000; });
  };
  ASSERT_TRUE(waitForMoreSound());
  bird->SetLongValue(8, 1);
  ASSERT_TRUE(waitForMoreSound());
  bird->SetLongValue(8, 1);  // a new epoch: the first file is closed and kept
  ASSERT_TRUE(waitForMoreSound());
  bird->SetLongValue(8, 2);
  ASSERT_TRUE(waitFor([&] { return wavFiles(stage1(0)).size() == 2; }));
  ASSERT_TRUE(waitForMoreSound());
  engine->StopEngine();
  const QStringList files = wavFiles(stage1(0));
  ASSERT_EQ(files.size(), 2) << "nothing is recorded after the epoch closed";
  for (const QString& f : files) EXPECT_GE(readWav(f).samples.size(), std::size_t{20000});
  EXPECT_EQ(bird->GetLongValue(8), 2);
  EXPECT_EQ(count(bird, 2), 0);
}

TEST_F(BirdBoxTest, EngineStopClosesAnOpenRecordingProperly) {
  // A song that never ends before the stop: the file is closed and kept by the rules.
  BirdBox::instance().setInput({concat({silence(10000), tone(44100, 20000, 3000.0)})});
  TztBird* bird = addBird(0, 1);
  bird->SetLongValue(6, 1000000);
  bird->SetLongValue(3, 10000);  // ten seconds after the last peak: still recording at stop
  ASSERT_EQ(engine->StartEngine(), 0);
  ASSERT_TRUE(waitFor([&] { return bird->status().samplesProcessed > 2 * 44100; }));
  EXPECT_TRUE(bird->status().recording);
  engine->StopEngine();
  const QStringList files = wavFiles(stage1(0));
  ASSERT_EQ(files.size(), 1);
  const WavContent w = readWav(files[0]);
  ASSERT_TRUE(w.ok);
  EXPECT_GT(w.samples.size(), std::size_t{kPre + 44100});
  EXPECT_TRUE(wavFiles(temp()).isEmpty());
}

TEST_F(BirdBoxTest, UnwritableFolderStopsTheChannelsWritingWithAMessageOnItsView) {
  BirdBox::instance().setInput({concat({silence(10000), burst(4001, 20000), silence(44100)}),
                                concat({silence(10000), burst(4001, 20000), silence(44100)})});
  QDir().mkpath(home.path() + "/tirra");
  QFile blocker(home.path() + "/tirra/blocked");  // a file where a folder should be
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  TztBird* blocked = addBird(0, 1);
  blocked->SetStringValue(1, QStringLiteral("c:\\tirra\\blocked\\tmp\\"));
  TztBird* fine = addBird(1, 1);
  ASSERT_EQ(engine->StartEngine(), 0);
  ASSERT_TRUE(waitFor([&] { return blocked->viewMessage().startsWith(QStringLiteral("Recording stopped")); }))
      << blocked->viewMessage().toStdString();
  ASSERT_TRUE(waitFor([&] { return wavFiles(stage1(1)).size() == 1; })) << "the other channel records on";
  engine->StopEngine();
  EXPECT_TRUE(wavFiles(stage1(0)).isEmpty());
  EXPECT_EQ(fine->viewMessage(), QString());
}

// ---------------------------------------------------------------- playback

class PlaybackTest : public BirdBoxTest {
 protected:
  TztBird* addPlayer(int output, const QString& soundFile, std::int32_t volume) {
    TztBird* bird = addBird(0, 0);  // inactive: playback needs no recording
    bird->SetStringValue(10, QString());
    bird->SetStringValue(11, QStringLiteral("ALSA"));
    bird->SetStringValue(12, QString::fromLatin1(BirdBox::kName));
    bird->SetLongValue(27, output);
    bird->SetStringValue(2, soundFile);
    bird->SetLongValue(13, volume);
    return bird;
  }
  // Where a sound begins in what was played (its first sample is its loudest).
  static long findStart(const Samples& played, std::size_t from = 0) {
    for (std::size_t i = from; i < played.size(); ++i)
      if (played[i] != 0) return static_cast<long>(i);
    return -1;
  }
};

TEST_F(PlaybackTest, PlaysTheFileScaledByTheVolumeOnTheBirdsOutputThen6) {
  QDir().mkpath(home.path() + "/songs");
  const Samples songA = burst(22051, 16000, 100);
  const Samples songB = burst(11001, -12000, 50);
  ASSERT_TRUE(writeWav(home.path() + "/songs/a.wav", songA));
  ASSERT_TRUE(writeWav(home.path() + "/songs/b.wav", songB));
  TztBird* a = addPlayer(0, QStringLiteral("c:\\songs\\a.wav"), 0);
  TztBird* b = addPlayer(1, QStringLiteral("c:\\songs\\b.wav"), -600);  // -6 dB
  // What was played when notification 6 arrived.
  std::vector<Samples> playedAt6;
  QObject::connect(a, &TztBird::OnBirdNotification, [&](TztBird*, int code) {
    if (code == 6) playedAt6.push_back(BirdBox::instance().played(2, 0));
  });
  ASSERT_EQ(engine->StartEngine(), 0);
  a->TriggerSound();
  b->TriggerSound();
  ASSERT_TRUE(waitFor([&] { return count(a, 6) == 1 && count(b, 6) == 1; }));
  a->TriggerSound();  // the output starts again for a second playback
  ASSERT_TRUE(waitFor([&] { return count(a, 6) == 2; }));
  engine->StopEngine();

  const Samples outA = BirdBox::instance().played(2, 0);
  const long startA = findStart(outA);
  ASSERT_GE(startA, 0);
  ASSERT_GE(outA.size(), static_cast<std::size_t>(startA) + songA.size());
  EXPECT_TRUE(std::equal(songA.begin(), songA.end(), outA.begin() + startA)) << "volume 0 plays the file as it is";
  const long secondA = findStart(outA, static_cast<std::size_t>(startA) + songA.size());
  ASSERT_GE(secondA, 0) << "the second playback";
  EXPECT_TRUE(std::equal(songA.begin(), songA.end(), outA.begin() + secondA));

  const Samples outB = BirdBox::instance().played(2, 1);
  const long startB = findStart(outB);
  ASSERT_GE(startB, 0);
  const float gain = std::pow(10.0f, -600 / 2000.0f);
  int worst = 0;
  for (std::size_t i = 0; i < songB.size(); ++i)
    worst = std::max(worst, std::abs(outB[static_cast<std::size_t>(startB) + i] - static_cast<int>(std::lround(songB[i] * gain))));
  EXPECT_LE(worst, 1) << "output 2 carries b's sound at -6 dB";
  EXPECT_EQ(findStart(outB, static_cast<std::size_t>(startB) + songB.size()), -1) << "b played once";

  ASSERT_EQ(playedAt6.size(), 2u);
  EXPECT_GE(playedAt6[0].size(), static_cast<std::size_t>(startA) + songA.size()) << "6 comes after the sound has played";
  EXPECT_TRUE(onUiThread);
}

TEST_F(PlaybackTest, MissingFileRaises6AtOnceAndSaysSoOnTheView) {
  TztBird* bird = addPlayer(0, QStringLiteral("c:\\songs\\not-there.wav"), 0);
  ASSERT_EQ(engine->StartEngine(), 0);
  bird->TriggerSound();
  ASSERT_TRUE(waitFor([&] { return count(bird, 6) == 1; }, 2000));
  EXPECT_TRUE(bird->viewMessage().contains(QStringLiteral("not found"))) << bird->viewMessage().toStdString();
  // An unreadable file the same way.
  QDir().mkpath(home.path() + "/songs");
  QFile junk(home.path() + "/songs/junk.wav");
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write("this is not a sound file");
  junk.close();
  bird->SetStringValue(2, QStringLiteral("c:\\songs\\junk.wav"));
  bird->TriggerSound();
  ASSERT_TRUE(waitFor([&] { return count(bird, 6) == 2; }, 2000));
  EXPECT_TRUE(bird->viewMessage().contains(QStringLiteral("cannot read"))) << bird->viewMessage().toStdString();
  EXPECT_TRUE(engine->isRunning());
}

}  // namespace
