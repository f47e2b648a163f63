// Costs of the recording component:
//  - detector throughput of one channel, in samples per second and as a multiple of
//    real time (target: at least 1000x on one core), for a quiet cage, a singing bird
//    (files written and kept) and with the high-pass filter on;
//  - the whole path for ten channels (device callback, ring, worker, detector, files) on
//    the file-backed ALSA test device: CPU time per second of sound (target under
//    0.05 s) and resident memory (target under 150 MB);
//  - one frame of the ten waveform views.
// The test device is not paced in real time: the whole-path figure is CPU time spent
// until every channel has processed the sound of the input file, divided by its length.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "recording/component/channel_recorder.h"
#include "recording/component/waveform_view.h"
#include "recording/component/ztbird.h"
#include "recording/component/ztbirdengine.h"

namespace {

using Samples = std::vector<std::int16_t>;
constexpr int kRate = 44100;

// Cage background with, when singing, a 0.5 s song every 2 s.
Samples cageSound(std::size_t n, bool singing) {
  std::mt19937 rng(7);
  std::normal_distribution<float> noise(0.0f, 60.0f);
  Samples s(n);
  for (std::size_t i = 0; i < n; ++i) {
    float v = noise(rng);
    if (singing && (i % (2 * kRate)) < kRate / 2)
      v += 12000.0f * static_cast<float>(std::sin(2.0 * M_PI * 3000.0 * static_cast<double>(i) / kRate));
    s[i] = static_cast<std::int16_t>(std::lround(v));
  }
  return s;
}

double residentMB(const char* key = "VmRSS:") {
  std::ifstream f("/proc/self/status");
  std::string line;
  while (std::getline(f, line))
    if (line.rfind(key, 0) == 0) return std::stod(line.substr(std::string(key).size())) / 1024.0;
  return 0;
}

double cpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct NoEvents : tirra::rec::RecorderListener {
  void notify(int) override {}
  void report(const QString&) override {}
  QDateTime now() override { return QDateTime(QDate(2024, 5, 17), QTime(6, 0)); }
};

tirra::rec::RecorderSettings stationDefaults(const QString& folder) {
  tirra::rec::RecorderSettings s;
  s.mode = tirra::rec::RecorderSettings::Mode::Trigger;
  s.active = true;
  s.threshold = 10000;
  s.postThresholdMs = 1000;
  s.maxDurationMs = 30000;
  s.peaksToKeep = 1000;
  s.prebufferSamples = 13230;
  s.peakGainDb = 30;
  s.inputScaler = 1.0f;
  s.letter = QStringLiteral("a");
  s.birdName = QStringLiteral("bench");
  s.tempFolder = folder + QStringLiteral("/tmp");
  s.stage1Folder = folder + QStringLiteral("/stage1");
  return s;
}

// range(0): 0 quiet cage, 1 singing bird, 2 quiet cage with the high-pass filter
void BM_DetectorThroughput(benchmark::State& state) {
  const bool singing = state.range(0) == 1;
  QTemporaryDir dir;
  const Samples sound = cageSound(20 * kRate, singing);
  NoEvents events;
  tirra::rec::ChannelRecorder recorder(&events);
  tirra::rec::RecorderSettings s = stationDefaults(dir.path());
  s.highPass = state.range(0) == 2;
  recorder.configure(s);
  for (auto _ : state) {
    for (std::size_t i = 0; i < sound.size(); i += 4096)
      recorder.process(sound.data() + i, std::min<std::size_t>(4096, sound.size() - i));
  }
  recorder.finishAll();
  const double samples = static_cast<double>(state.iterations()) * static_cast<double>(sound.size());
  state.SetItemsProcessed(static_cast<int64_t>(samples));
  state.counters["x_realtime"] = benchmark::Counter(samples / kRate, benchmark::Counter::kIsRate);
  state.counters["kept_files"] = static_cast<double>(recorder.stats().recordingsKept);
}
BENCHMARK(BM_DetectorThroughput)->ArgName("quiet0_singing1_highpass2")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The file-backed test device, written next to the benchmark's own files.
struct BirdBox {
  QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/tirra-bench-XXXXXX")};
  QString in() const { return dir.filePath(QStringLiteral("in.raw")); }
  bool select() {
    QFile t(QStringLiteral(TIRRA_SOURCE_DIR "/tests/recording_component/birdbox.conf.in"));
    if (!t.open(QIODevice::ReadOnly)) return false;
    QByteArray text = t.readAll();
    text.replace("@IN_FILE@", QFile::encodeName(in()));
    text.replace("@OUT_FILE@", QFile::encodeName(dir.filePath(QStringLiteral("out.raw"))));
    QFile c(dir.filePath(QStringLiteral("birdbox.conf")));
    if (!c.open(QIODevice::WriteOnly)) return false;
    c.write(text);
    c.close();
    qputenv("ALSA_CONFIG_PATH", "/usr/share/alsa/alsa.conf:" + QFile::encodeName(c.fileName()));
    return true;
  }
};
BirdBox* g_box = nullptr;

void BM_TenChannelsWholePath(benchmark::State& state) {
  constexpr int kChannels = 10;
  constexpr int kSeconds = 20;  // fits each channel's ring, so no sound of the file is dropped
  {
    std::vector<Samples> inputs;
    for (int c = 0; c < kChannels; ++c) inputs.push_back(cageSound(kSeconds * kRate, true));
    std::vector<std::int16_t> interleaved(static_cast<std::size_t>(kSeconds) * kRate * kChannels);
    for (std::size_t i = 0; i < inputs[0].size(); ++i)
      for (int c = 0; c < kChannels; ++c) interleaved[i * kChannels + c] = inputs[c][i];
    QFile f(g_box->in());
    if (!f.open(QIODevice::WriteOnly)) {
      state.SkipWithError("cannot write the test device's input");
      return;
    }
    f.write(reinterpret_cast<const char*>(interleaved.data()), static_cast<qint64>(interleaved.size() * 2));
  }
  QTemporaryDir home;
  qputenv("TIRRA_DRIVE_C", QFile::encodeName(home.path()));
  QWidget window;
  auto* engine = new TztBirdEngine(&window);
  std::vector<TztBird*> birds;
  for (int c = 0; c < kChannels; ++c) {
    auto* b = new TztBird(&window);
    b->resize(230, 95);
    b->SetStringValue(0, QString(QChar('a' + c)));
    b->SetStringValue(5, QStringLiteral("bird%1").arg(c + 1));
    b->SetStringValue(1, QStringLiteral("c:\\tirra\\tmpSound\\"));
    b->SetStringValue(3, QStringLiteral("c:\\tirra\\in%1\\").arg(c + 1));
    b->SetStringValue(9, QStringLiteral("ALSA"));
    b->SetStringValue(10, QStringLiteral("birdbox"));
    b->SetLongValue(21, c);
    b->SetLongValue(2, 10000);
    b->SetLongValue(3, 1000);
    b->SetLongValue(6, 30000);
    b->SetLongValue(7, 1000);
    b->SetLongValue(9, 1);
    b->SetLongValue(17, 13230);
    b->SetLongValue(16, 1);
    b->SetLongValue(15, 500);
    b->SetLongValue(5, 2);
    b->SetFloatValue(0, 30.0f);
    b->SetFloatValue(1, 1.0f);
    b->SetLongValue(0, 1);
    engine->addBird(b);
    birds.push_back(b);
  }
  window.show();
  double cpu = 0, maxRss = 0, kept = 0;
  for (auto _ : state) {
    QElapsedTimer wall;
    wall.start();
    const double cpu0 = cpuSeconds();
    engine->StartEngine();
    for (;;) {
      QCoreApplication::processEvents();  // the views draw their frames meanwhile
      bool done = true;
      for (TztBird* b : birds) done = done && b->status().samplesProcessed >= std::uint64_t{kSeconds} * kRate;
      if (done || wall.elapsed() > 120000) break;
      QThread::msleep(1);
    }
    maxRss = std::max(maxRss, residentMB());
    engine->StopEngine();
    cpu += cpuSeconds() - cpu0;
    state.SetIterationTime(static_cast<double>(wall.nsecsElapsed()) / 1e9);
    kept = 0;
    for (TztBird* b : birds) kept += static_cast<double>(b->status().recordingsKept);
  }
  state.counters["cpu_s_per_sound_s"] = cpu / static_cast<double>(state.iterations()) / kSeconds;
  state.counters["rss_MB"] = maxRss;
  state.counters["peak_rss_MB"] = residentMB("VmHWM:");
  state.counters["kept_files"] = kept;
  qunsetenv("TIRRA_DRIVE_C");
}
BENCHMARK(BM_TenChannelsWholePath)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// One frame of ten channel views: each draws its 230 columns, threshold and statistics.
void BM_TenWaveformFrames(benchmark::State& state) {
  std::vector<tirra::rec::WaveformDisplay> displays(10);
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> level(0, 30000);
  for (auto& d : displays) {
    std::vector<tirra::rec::WaveColumn> cols(230);
    for (auto& c : cols) {
      const int l = level(rng);
      c = {static_cast<std::int16_t>(-l), static_cast<std::int16_t>(l)};
    }
    d.append(cols, 1, 230);
  }
  QImage img(230, 95, QImage::Format_RGB32);
  tirra::rec::ViewState v;
  v.displayType = 1;
  v.recordingDisplay = 2;
  v.thresholdLevel = 316;
  v.active = v.running = true;
  for (auto _ : state) {
    for (auto& d : displays) {
      d.append({{-1000, 1000}}, 1, 230);
      QPainter p(&img);
      d.paint(p, img.rect(), v);
    }
  }
  state.counters["frames_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TenWaveformFrames)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  BirdBox box;  // before PortAudio first starts
  if (!box.select()) {
    fprintf(stderr, "cannot set up the test sound device\n");
    return 1;
  }
  g_box = &box;
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
