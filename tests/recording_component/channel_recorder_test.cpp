// The channel's recording rules, fed with synthetic sound: no device, no thread. What is
// checked is what the lab sees: files in the temporary and stage-1 folders, their
// length and samples, and the notifications the station receives.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <sndfile.h>
#include <signal.h>
#include <sys/resource.h>

#include "recording/component/channel_recorder.h"
#include "recording_component/sound_helpers.h"
#include "support/stationhome.h"

using namespace tirra::rec;
using namespace tirra::test;

namespace {

constexpr int kPre = 4410;   // 100 ms of pre-threshold sound
constexpr int kPost = 4410;  // 100 ms post-threshold duration

struct Events : RecorderListener {
  std::vector<int> codes;
  QStringList messages;
  QStringList kept;
  QStringList deleted;
  QDateTime clock{QDate(2024, 5, 17), QTime(6, 30, 0)};
  void notify(int code) override { codes.push_back(code); }
  void report(const QString& m) override { messages << m; }
  QDateTime now() override { return clock; }
  void finished(const QString& path, bool k) override { (k ? kept : deleted) << path; }
};

class RecorderTest : public ::testing::Test {
 protected:
  // Settings of a trigger channel as the station leaves them, with short durations.
  static RecorderSettings trigger(const QString& run = QStringLiteral("run")) {
    RecorderSettings s;
    s.mode = RecorderSettings::Mode::Trigger;
    s.active = true;
    s.threshold = 10000;
    s.postThresholdMs = 100;
    s.maxDurationMs = 30000;
    s.peaksToKeep = 10;
    s.prebufferSamples = kPre;
    s.peakGainDb = 0;
    s.inputScaler = 1.0f;
    s.letter = QStringLiteral("b");
    s.birdName = QStringLiteral("bird7");
    s.tempFolder = QStringLiteral("c:\\tirra\\%1\\tmpSound\\").arg(run);
    s.stage1Folder = QStringLiteral("c:\\tirra\\%1\\in2\\").arg(run);
    return s;
  }
  QString tempDir(const QString& run = QStringLiteral("run")) const { return home.path() + "/tirra/" + run + "/tmpSound"; }
  QString stage1Dir(const QString& run = QStringLiteral("run")) const { return home.path() + "/tirra/" + run + "/in2"; }

  static void feed(ChannelRecorder& r, const Samples& s, std::size_t chunk, const ChannelRecorder* master = nullptr) {
    for (std::size_t i = 0; i < s.size(); i += chunk)
      r.process(s.data() + i, std::min(chunk, s.size() - i), master);
  }

  StationHome home;
};

// ---------------------------------------------------------------- triggered recording

struct TriggerCase {
  const char* name;
  std::function<Samples()> sound;
  std::function<void(RecorderSettings&)> adjust;
  std::vector<std::int64_t> keptLengths;  // lengths of the kept files, in time order
  std::vector<int> codes;                 // notifications, in order
  long firstOffset = -1;   // where the first kept file starts in the sound; -1: not checked
  float scaler = 1.0f;     // the files hold the sound times this
};

Samples concat(std::initializer_list<Samples> parts) {
  Samples all;
  for (const Samples& p : parts) append(all, p);
  return all;
}

// Splits a contiguous recording of total samples into files of at most max.
std::vector<std::int64_t> split(std::int64_t total, std::int64_t max) {
  std::vector<std::int64_t> out;
  for (; total > max; total -= max) out.push_back(max);
  out.push_back(total);
  return out;
}

const std::vector<TriggerCase>& triggerCases() {
  static const std::vector<TriggerCase> cases = {
      {"silence gives nothing", [] { return silence(60000); }, [](RecorderSettings&) {}, {}, {}},
      {"a burst with enough peaks is kept whole: pre-buffer + sound + post",
       [] { return concat({silence(10000), burst(2001, 20000), silence(20000)}); }, [](RecorderSettings&) {},
       {kPre + 2001 + kPost}, {kRecordingBegan}, 10000 - kPre},
      {"too few peaks: the recording is deleted",
       [] { return concat({silence(10000), burst(2001, 20000), silence(20000)}); },
       [](RecorderSettings& s) { s.peaksToKeep = 1000; }, {}, {kRecordingBegan}},
      {"peaks exactly as many as needed: kept",
       [] { return concat({silence(10000), burst(2001, 20000), silence(20000)}); },
       [](RecorderSettings& s) { s.peaksToKeep = peaksIn(burst(2001, 20000), 10000); }, {kPre + 2001 + kPost},
       {kRecordingBegan}},
      {"one peak fewer than needed: deleted",
       [] { return concat({silence(10000), burst(2001, 20000), silence(20000)}); },
       [](RecorderSettings& s) { s.peaksToKeep = peaksIn(burst(2001, 20000), 10000) + 1; }, {}, {kRecordingBegan}},
      {"the maximal duration cuts a long song into contiguous files",
       [] { return concat({silence(10000), burst(100001, 20000), silence(20000)}); },
       [](RecorderSettings& s) {
         s.maxDurationMs = 1000;
         s.peaksToKeep = 1;
       },
       split(kPre + 100001 + kPost, 44100), {kRecordingBegan, kRecordingBegan, kRecordingBegan}, 10000 - kPre},
      {"notification 5 once when the peaks reach the set count",
       [] { return concat({silence(10000), burst(2001, 20000), silence(20000)}); },
       [](RecorderSettings& s) { s.peakTrigger = 50; }, {kPre + 2001 + kPost}, {kRecordingBegan, kPeakTrigger}},
      {"a peak count the song never reaches raises no 5",
       [] { return concat({silence(10000), burst(2001, 20000), silence(20000)}); },
       [](RecorderSettings& s) { s.peakTrigger = 100000; }, {kPre + 2001 + kPost}, {kRecordingBegan}},
      {"two songs: two files, each with its own 2 and 5",
       [] { return concat({silence(10000), burst(2001, 20000), silence(20000), burst(2001, 20000), silence(20000)}); },
       [](RecorderSettings& s) { s.peakTrigger = 50; }, {kPre + 2001 + kPost, kPre + 2001 + kPost},
       {kRecordingBegan, kPeakTrigger, kRecordingBegan, kPeakTrigger}},
      {"a song within the post-threshold duration continues the recording",
       [] { return concat({silence(10000), burst(2001, 20000), silence(2000), burst(2001, 20000), silence(20000)}); },
       [](RecorderSettings&) {}, {kPre + 2001 + 2000 + 2001 + kPost}, {kRecordingBegan}, 10000 - kPre},
      {"the pre-buffer never repeats sound already in a file",
       [] { return concat({silence(10000), burst(2001, 20000), silence(kPost + 1000), burst(2001, 20000), silence(20000)}); },
       [](RecorderSettings&) {}, {kPre + 2001 + kPost, 1000 + 2001 + kPost}, {kRecordingBegan, kRecordingBegan},
       10000 - kPre},
      {"the peak gain (dB) lifts a quiet song over the threshold",
       [] { return concat({silence(10000), burst(2001, 1500), silence(20000)}); },
       [](RecorderSettings& s) { s.peakGainDb = 20; }, {kPre + 2001 + kPost}, {kRecordingBegan}, 10000 - kPre},
      {"without the gain the quiet song stays below",
       [] { return concat({silence(10000), burst(2001, 1500), silence(20000)}); }, [](RecorderSettings&) {}, {}, {}},
      {"the input scaler scales what is detected and written",
       [] { return concat({silence(10000), burst(2001, 8000), silence(20000)}); },
       [](RecorderSettings& s) { s.inputScaler = 2.0f; }, {kPre + 2001 + kPost}, {kRecordingBegan}, 10000 - kPre,
       2.0f},
      {"a loud song counts two peaks per cycle, however loud",
       [] { return concat({silence(10000), tone(22050, 30000, 3000.0), silence(20000)}); },
       [](RecorderSettings& s) {
         s.peakGainDb = 30;  // the threshold is then reached at 10000 / 31.6 = 316
         const int peaks = peaksIn(tone(22050, 30000, 3000.0), 316);
         EXPECT_NEAR(peaks, 3000, 2) << "3 kHz for half a second";
         s.peaksToKeep = peaks;
         s.peakTrigger = peaks;
       },
       {-1}, {kRecordingBegan, kPeakTrigger}},
      {"cage hum triggers with the high-pass filter off",
       [] { return concat({silence(10000), tone(44100, 20000, 50.0), silence(20000)}); }, [](RecorderSettings&) {},
       {-1}, {kRecordingBegan}},
      {"the high-pass filter removes cage hum before detection",
       [] { return concat({silence(10000), tone(44100, 20000, 50.0), silence(20000)}); },
       [](RecorderSettings& s) { s.highPass = true; }, {}, {}},
      {"song passes the high-pass filter",
       [] { return concat({silence(10000), burst(2001, 20000), silence(20000)}); },
       [](RecorderSettings& s) { s.highPass = true; }, {-1}, {kRecordingBegan}},
  };
  return cases;
}

TEST_F(RecorderTest, TriggeredRecordingRules) {
  for (const TriggerCase& c : triggerCases()) {
    const Samples sound = c.sound();
    // The rules must not depend on how the sound is cut into blocks.
    for (std::size_t chunk : {std::size_t{4096}, std::size_t{997}, std::size_t{1}}) {
      SCOPED_TRACE(std::string(c.name) + ", blocks of " + std::to_string(chunk));
      const QString run = QStringLiteral("case%1").arg(&c - triggerCases().data()) + QString::number(chunk);
      Events ev;
      {
        ChannelRecorder r(&ev);
        RecorderSettings s = trigger(run);
        c.adjust(s);
        r.configure(s);
        feed(r, sound, chunk);
        EXPECT_FALSE(r.isRecording());
      }
      EXPECT_EQ(ev.codes, c.codes);
      EXPECT_TRUE(ev.messages.isEmpty()) << ev.messages.join('\n').toStdString();
      EXPECT_TRUE(wavFiles(tempDir(run)).isEmpty()) << "the temporary folder keeps nothing";
      const QStringList kept = wavFiles(stage1Dir(run));
      ASSERT_EQ(kept.size(), static_cast<int>(c.keptLengths.size()));
      long offset = c.firstOffset;
      for (int i = 0; i < kept.size(); ++i) {
        const WavContent w = readWav(kept[i]);
        ASSERT_TRUE(w.ok) << kept[i].toStdString();
        EXPECT_EQ(w.sampleRate, 44100);
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        if (c.keptLengths[static_cast<std::size_t>(i)] >= 0) {
          EXPECT_EQ(static_cast<std::int64_t>(w.samples.size()), c.keptLengths[static_cast<std::size_t>(i)]);
        }
        if (offset >= 0) {
          for (std::size_t k = 0; k < w.samples.size(); ++k) {
            const auto expected = static_cast<std::int16_t>(sound[static_cast<std::size_t>(offset) + k] * c.scaler);
            if (w.samples[k] != expected) {
              ADD_FAILURE() << "file " << i << " sample " << k << " is " << w.samples[k] << ", sound has " << expected;
              break;
            }
          }
          offset += static_cast<long>(w.samples.size());
        }
      }
    }
  }
}

TEST_F(RecorderTest, KeptFileNameCarriesBirdLetterAndStartToTheMillisecond) {
  Events ev;
  ev.clock = QDateTime(QDate(2024, 5, 17), QTime(6, 30, 1, 250));
  {
    ChannelRecorder r(&ev);
    r.configure(trigger());
    feed(r, concat({silence(10000), burst(2001, 20000), silence(20000)}), 4096);
  }
  ASSERT_EQ(ev.kept.size(), 1);
  // The first sample is the pre-buffer's: 100 ms before the moment of the first peak.
  EXPECT_EQ(QFileInfo(ev.kept[0]).fileName(), QStringLiteral("bird7_b_2024-05-17_06-30-01-150.wav"));
  EXPECT_EQ(QFileInfo(ev.kept[0]).absolutePath(), QFileInfo(stage1Dir()).absoluteFilePath());
}

TEST_F(RecorderTest, RecordingsStartingInTheSameMillisecondGetDistinctFiles) {
  Events ev;  // the clock stands still
  {
    ChannelRecorder r(&ev);
    RecorderSettings s = trigger();
    s.peaksToKeep = 1;
    r.configure(s);
    for (int i = 0; i < 3; ++i) feed(r, concat({silence(10000), burst(201, 20000), silence(10000)}), 4096);
  }
  EXPECT_EQ(wavFiles(stage1Dir()).size(), 3);
  EXPECT_EQ(ev.kept.size(), 3);
}

// ---------------------------------------------------------------- suspend and resume

TEST_F(RecorderTest, SuspendedSoundIsNeitherRecordedNorPreBuffer) {
  Events ev;
  {
    ChannelRecorder r(&ev);
    r.configure(trigger());
    feed(r, silence(10000), 4096);
    r.setSuspended(true);
    feed(r, concat({burst(2001, 20000), silence(3000)}), 4096);  // a playback, say
    r.setSuspended(false);
    feed(r, concat({silence(1000), burst(2001, 20000), silence(20000)}), 4096);
  }
  EXPECT_EQ(ev.codes, std::vector<int>{kRecordingBegan});
  const QStringList kept = wavFiles(stage1Dir());
  ASSERT_EQ(kept.size(), 1);
  // Only the 1000 samples heard since the resume precede the song.
  EXPECT_EQ(readWav(kept[0]).samples.size(), std::size_t{1000 + 2001 + kPost});
}

TEST_F(RecorderTest, SuspendEndsARunningRecordingByTheKeepRule) {
  for (int peaksToKeep : {10, 100000}) {
    SCOPED_TRACE(peaksToKeep);
    const QString run = QStringLiteral("keep%1").arg(peaksToKeep);
    Events ev;
    {
      ChannelRecorder r(&ev);
      RecorderSettings s = trigger(run);
      s.peaksToKeep = peaksToKeep;
      r.configure(s);
      feed(r, concat({silence(10000), burst(1001, 20000)}), 4096);
      ASSERT_TRUE(r.isRecording());
      r.setSuspended(true);
      EXPECT_FALSE(r.isRecording());
      feed(r, burst(5001, 20000), 4096);
    }
    EXPECT_TRUE(wavFiles(tempDir(run)).isEmpty());
    const QStringList kept = wavFiles(stage1Dir(run));
    if (peaksToKeep == 10) {
      ASSERT_EQ(kept.size(), 1);
      EXPECT_EQ(readWav(kept[0]).samples.size(), std::size_t{kPre + 1001});
    } else {
      EXPECT_TRUE(kept.isEmpty());
    }
  }
}

// ---------------------------------------------------------------- simple recording

RecorderSettings simple(RecorderSettings s) {
  s.mode = RecorderSettings::Mode::Simple;
  return s;
}

TEST_F(RecorderTest, EpochsBecomeKeptFilesOfExactlyTheSoundBetweenOpenAndClose) {
  Events ev;
  const Samples first = tone(30000, 3000, 440.0);
  const Samples second = tone(12345, 3000, 880.0);
  {
    ChannelRecorder r(&ev);
    r.configure(simple(trigger()));
    feed(r, silence(5000), 4096);  // before the first epoch: not recorded
    r.beginEpoch();
    feed(r, first, 997);
    r.beginEpoch();  // a new epoch closes and keeps the open one
    feed(r, second, 4096);
    r.endEpoch();
    feed(r, silence(5000), 4096);  // after the close: not recorded
  }
  const QStringList kept = wavFiles(stage1Dir());
  ASSERT_EQ(kept.size(), 2);
  EXPECT_EQ(readWav(kept[0]).samples, first);
  EXPECT_EQ(readWav(kept[1]).samples, second);
  EXPECT_TRUE(wavFiles(tempDir()).isEmpty());
  EXPECT_TRUE(ev.codes.empty()) << "epochs are not threshold recordings";
}

TEST_F(RecorderTest, EpochKeepsSilenceAndIgnoresThePeakRule) {
  Events ev;
  {
    ChannelRecorder r(&ev);
    RecorderSettings s = simple(trigger());
    s.peaksToKeep = 1000000;
    r.configure(s);
    r.beginEpoch();
    feed(r, silence(44100), 4096);
    r.endEpoch();
  }
  const QStringList kept = wavFiles(stage1Dir());
  ASSERT_EQ(kept.size(), 1);
  EXPECT_EQ(readWav(kept[0]).samples.size(), std::size_t{44100});
}

TEST_F(RecorderTest, SuspensionPausesAnEpochWithoutClosingIt) {
  Events ev;
  const Samples a = tone(10000, 3000, 440.0);
  const Samples b = tone(7000, 3000, 660.0);
  {
    ChannelRecorder r(&ev);
    r.configure(simple(trigger()));
    r.beginEpoch();
    feed(r, a, 4096);
    r.setSuspended(true);
    feed(r, burst(5001, 20000), 4096);
    r.setSuspended(false);
    feed(r, b, 4096);
    r.endEpoch();
  }
  const QStringList kept = wavFiles(stage1Dir());
  ASSERT_EQ(kept.size(), 1);
  Samples expected = a;
  append(expected, b);
  EXPECT_EQ(readWav(kept[0]).samples, expected);
}

TEST_F(RecorderTest, EpochOpenedAndClosedAtOnceLeavesNoEmptyFile) {
  Events ev;
  {
    ChannelRecorder r(&ev);
    r.configure(simple(trigger()));
    r.beginEpoch();
    r.endEpoch();
    feed(r, tone(5000, 3000, 440.0), 4096);
  }
  EXPECT_TRUE(wavFiles(stage1Dir()).isEmpty());
  EXPECT_TRUE(wavFiles(tempDir()).isEmpty());
}

TEST_F(RecorderTest, EpochCommandsDoNothingOnATriggerChannel) {
  Events ev;
  {
    ChannelRecorder r(&ev);
    r.configure(trigger());
    r.beginEpoch();
    feed(r, tone(20000, 3000, 440.0), 4096);
    r.endEpoch();
  }
  EXPECT_TRUE(wavFiles(stage1Dir()).isEmpty());
}

TEST_F(RecorderTest, PeakTriggerCountsWithinAnEpoch) {
  Events ev;
  {
    ChannelRecorder r(&ev);
    RecorderSettings s = simple(trigger());
    s.peakTrigger = 30;
    r.configure(s);
    r.beginEpoch();
    feed(r, concat({silence(1000), burst(2001, 20000)}), 4096);
    r.beginEpoch();
    feed(r, concat({silence(1000), burst(101, 20000)}), 4096);  // 20 peaks: too few
    r.endEpoch();
  }
  EXPECT_EQ(ev.codes, std::vector<int>{kPeakTrigger});
}

TEST_F(RecorderTest, LeavingTheModeFinishesTheOpenFileByItsRules) {
  Events ev;
  {
    ChannelRecorder r(&ev);
    RecorderSettings s = simple(trigger());
    r.configure(s);
    r.beginEpoch();
    feed(r, tone(8000, 3000, 440.0), 4096);
    s.active = false;  // the channel is switched off while recording
    r.configure(s);
    feed(r, tone(8000, 3000, 440.0), 4096);
  }
  const QStringList kept = wavFiles(stage1Dir());
  ASSERT_EQ(kept.size(), 1);
  EXPECT_EQ(readWav(kept[0]).samples.size(), std::size_t{8000});
}

// ---------------------------------------------------------------- slave recording

TEST_F(RecorderTest, SlaveRecordsExactlyWhileItsMasterRecords) {
  Events masterEvents, slaveEvents;
  const Samples masterSound = concat({silence(10000), burst(2001, 20000), silence(20000), burst(21, 20000), silence(20000)});
  const Samples slaveSound = tone(masterSound.size(), 2000, 300.0);  // quiet: never above threshold
  {
    ChannelRecorder master(&masterEvents);
    ChannelRecorder slave(&slaveEvents);
    master.configure(trigger(QStringLiteral("m")));
    RecorderSettings s = trigger(QStringLiteral("s"));
    s.mode = RecorderSettings::Mode::Slave;
    s.letter = QStringLiteral("c");
    slave.configure(s);
    // As the worker does: the master first, the slave never beyond the master.
    for (std::size_t i = 0; i < masterSound.size(); i += 3000) {
      const std::size_t n = std::min<std::size_t>(3000, masterSound.size() - i);
      master.process(masterSound.data() + i, n);
      slave.process(slaveSound.data() + i, n, &master);
    }
  }
  // The master keeps its first song (the second has too few peaks); the slave keeps
  // the same stretch of its own sound, and deletes the other with the master.
  ASSERT_EQ(wavFiles(stage1Dir(QStringLiteral("m"))).size(), 1);
  const QStringList slaveFiles = wavFiles(stage1Dir(QStringLiteral("s")));
  ASSERT_EQ(slaveFiles.size(), 1);
  const WavContent w = readWav(slaveFiles[0]);
  ASSERT_EQ(w.samples.size(), std::size_t{kPre + 2001 + kPost});
  EXPECT_TRUE(std::equal(w.samples.begin(), w.samples.end(), slaveSound.begin() + (10000 - kPre)));
  EXPECT_TRUE(wavFiles(tempDir(QStringLiteral("s"))).isEmpty());
  EXPECT_TRUE(slaveEvents.codes.empty()) << "a slave raises no recording notifications";
  EXPECT_TRUE(QFileInfo(slaveFiles[0]).fileName().startsWith(QStringLiteral("bird7_c_")));
}

TEST_F(RecorderTest, SlaveWithoutMasterRecordsNothing) {
  Events ev;
  {
    ChannelRecorder slave(&ev);
    RecorderSettings s = trigger();
    s.mode = RecorderSettings::Mode::Slave;
    slave.configure(s);
    feed(slave, concat({silence(10000), burst(2001, 20000), silence(20000)}), 4096, nullptr);
  }
  EXPECT_TRUE(wavFiles(stage1Dir()).isEmpty());
  EXPECT_TRUE(wavFiles(tempDir()).isEmpty());
}

// ---------------------------------------------------------------- failures

TEST_F(RecorderTest, UnwritableTemporaryFolderStopsWritingWithAMessage) {
  // A file where the folder should be: nothing can be created inside it.
  QDir().mkpath(home.path() + "/tirra");
  QFile blocker(home.path() + "/tirra/blocked");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  Events ev;
  {
    ChannelRecorder r(&ev);
    RecorderSettings s = trigger();
    s.tempFolder = QStringLiteral("c:\\tirra\\blocked\\tmp\\");
    s.peakTrigger = 50;
    r.configure(s);
    feed(r, concat({silence(10000), burst(2001, 20000), silence(20000), burst(2001, 20000), silence(20000)}), 4096);
    EXPECT_TRUE(r.writingStopped());
  }
  ASSERT_EQ(ev.messages.size(), 1) << "one message, not one per song";
  EXPECT_TRUE(ev.messages[0].startsWith(QStringLiteral("Recording stopped: ")));
  EXPECT_TRUE(ev.messages[0].contains(QStringLiteral("blocked"))) << ev.messages[0].toStdString();
  // No recording was made, so no 2; the peak trigger still serves the feedback.
  EXPECT_EQ(ev.codes, (std::vector<int>{kPeakTrigger, kPeakTrigger}));
  EXPECT_TRUE(wavFiles(stage1Dir()).isEmpty());
}

TEST_F(RecorderTest, UnwritableStage1FolderLeavesTheRecordingInTheTemporaryFolder) {
  QDir().mkpath(home.path() + "/tirra/run");
  QFile blocker(home.path() + "/tirra/run/in2");  // the stage-1 folder is a file
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  Events ev;
  {
    ChannelRecorder r(&ev);
    r.configure(trigger());
    feed(r, concat({silence(10000), burst(2001, 20000), silence(20000)}), 4096);
  }
  ASSERT_EQ(ev.messages.size(), 1);
  EXPECT_TRUE(ev.messages[0].contains(QStringLiteral("stays"))) << ev.messages[0].toStdString();
  const QStringList left = wavFiles(tempDir());
  ASSERT_EQ(left.size(), 1) << "the song is not lost";
  EXPECT_EQ(readWav(left[0]).samples.size(), std::size_t{kPre + 2001 + kPost});
}

// The process may write no file larger than a limit: the kernel refuses the write as
// it does on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit l = old_;
    l.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &l);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit old_{};
  sighandler_t previousHandler_;
};

TEST_F(RecorderTest, FullDiskStopsWritingAndLosesNoKeptFile) {
  Events ev;
  const Samples song = concat({silence(10000), burst(2001, 20000), silence(20000)});
  {
    ChannelRecorder r(&ev);
    RecorderSettings s = trigger();
    s.maxDurationMs = 60000;
    r.configure(s);
    feed(r, song, 4096);  // a first song, kept
    ASSERT_EQ(ev.kept.size(), 1);
    {
      FileSizeLimit full(64 * 1024);  // room for 0.7 s of sound per file
      feed(r, concat({silence(10000), burst(88201, 20000), silence(20000)}), 4096);
      feed(r, song, 4096);  // after the failure nothing more is written
    }
    EXPECT_TRUE(r.writingStopped());
  }
  ASSERT_GE(ev.messages.size(), 1);
  EXPECT_TRUE(ev.messages[0].startsWith(QStringLiteral("Recording stopped: "))) << ev.messages[0].toStdString();
  const QStringList kept = wavFiles(stage1Dir());
  ASSERT_EQ(kept.size(), 1);
  EXPECT_EQ(kept[0], ev.kept[0]);
  EXPECT_EQ(readWav(kept[0]).samples.size(), std::size_t{kPre + 2001 + kPost}) << "the kept file is intact";
  EXPECT_EQ(ev.kept.size(), 1);
  EXPECT_EQ(ev.codes, (std::vector<int>{kRecordingBegan, kRecordingBegan}));
}

}  // namespace
