#include "recording/component/recording_worker.h"

#include <QMetaObject>
#include <algorithm>

#include "recording/component/audio_devices.h"
#include "recording/component/wav_files.h"
#include "recording/component/ztbird.h"

namespace tirra::rec {

namespace {
constexpr std::size_t kBlock = 4096;
// Sound taken from one ring per pass, so that a backlog on one channel does not hold
// up the others' notifications for long.
constexpr std::size_t kMaxPerPass = kSampleRate / 2;
constexpr auto kIdleSleep = std::chrono::milliseconds(5);
}  // namespace

// One channel as the worker sees it: its recorder, the listener that turns the
// recorder's events into queued calls on the bird control, and the waveform columns.
class RecordingWorker::Channel : public RecorderListener {
 public:
  Channel(ChannelRuntime* r, RecordingWorker* w) : rt(r), worker(w), recorder(this) {}

  void notify(int code) override {
    TztBird* bird = rt->bird;
    // Queued on the bird's (UI) thread; calls from one thread arrive in the order sent.
    QMetaObject::invokeMethod(bird, [bird, code] { bird->deliverNotification(code); }, Qt::QueuedConnection);
  }
  void report(const QString& message) override {
    TztBird* bird = rt->bird;
    QMetaObject::invokeMethod(bird, [bird, message] { bird->setViewMessage(message); }, Qt::QueuedConnection);
  }
  QDateTime now() override {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - worker->startSteady_);
    return worker->startWall_.addMSecs(ms.count());
  }

  // Waveform columns from the last block: each is the range of samplesPerColumn samples.
  void addColumns(const std::int16_t* s, std::size_t n) {
    if (displayType != 1 && displayType != 2) return;
    std::int64_t spc = std::max(1, displaySpeed);
    if (displayType == 2) spc = std::max<std::int64_t>(1, std::int64_t{std::max(1, displaySpeed)} * 1000 / std::max(1, rt->viewWidth()));
    for (std::size_t i = 0; i < n; ++i) {
      colLo = std::min(colLo, s[i]);
      colHi = std::max(colHi, s[i]);
      if (++colCount >= spc) {
        newColumns.push_back({colLo, colHi});
        colLo = 32767;
        colHi = -32768;
        colCount = 0;
      }
    }
  }

  ChannelRuntime* rt;
  RecordingWorker* worker;
  ChannelRecorder recorder;
  QString masterLetter;
  Channel* master = nullptr;
  bool masterReported = false;
  int displayType = 0;
  int displaySpeed = 500;
  std::int16_t colLo = 32767, colHi = -32768;
  std::int64_t colCount = 0;
  std::vector<WaveColumn> newColumns;
  std::uint64_t processed = 0;
};

RecordingWorker::RecordingWorker(std::vector<ChannelRuntime*> channels, std::vector<InputStream*> inputs,
                                 std::vector<OutputStream*> outputs, const QDateTime& startWall)
    : inputs_(std::move(inputs)),
      outputs_(std::move(outputs)),
      outputBusy_(outputs_.size(), 0),
      startWall_(startWall),
      startSteady_(std::chrono::steady_clock::now()),
      block_(kBlock) {
  for (ChannelRuntime* rt : channels) channels_.push_back(std::make_unique<Channel>(rt, this));
  // The first commands (the bird's values at start) are applied here, before any sound.
  for (auto& ch : channels_) applyCommands(*ch);
  allConfigured_ = true;
  resolveMasters();
}

RecordingWorker::~RecordingWorker() { stop(); }

void RecordingWorker::start() {
  if (thread_.joinable()) return;
  thread_ = std::thread([this] { run(); });
}

void RecordingWorker::stop() {
  if (!thread_.joinable()) return;
  stopRequested_.store(true);
  thread_.join();
}

void RecordingWorker::run() {
  while (!stopRequested_.load()) {
    if (!pass()) std::this_thread::sleep_for(kIdleSleep);
  }
  finish();
}

void RecordingWorker::resolveMasters() {
  for (auto& ch : channels_) {
    ch->master = nullptr;
    if (ch->recorder.settings().mode != RecorderSettings::Mode::Slave || !ch->recorder.settings().active) {
      ch->masterReported = false;
      continue;
    }
    QString problem;
    if (isUnsetId(ch->masterLetter)) {
      problem = QStringLiteral("Slave channel without a master: choose the master's channel letter");
    } else {
      for (auto& other : channels_) {
        if (other.get() == ch.get()) continue;
        if (other->recorder.settings().letter.compare(ch->masterLetter.trimmed(), Qt::CaseInsensitive) == 0) {
          ch->master = other.get();
          break;
        }
      }
      if (!ch->master)
        problem = QStringLiteral("Slave: there is no master channel %1").arg(ch->masterLetter);
      else if (ch->master->recorder.settings().mode == RecorderSettings::Mode::Slave)
        problem = QStringLiteral("Slave: master channel %1 is itself a slave").arg(ch->masterLetter);
      else if (!ch->master->rt->hasInput)
        problem = QStringLiteral("Slave: master channel %1 has no sound input").arg(ch->masterLetter);
      if (!problem.isEmpty()) ch->master = nullptr;
    }
    if (!problem.isEmpty() && !ch->masterReported) ch->report(problem);
    ch->masterReported = !problem.isEmpty();
  }
}

void RecordingWorker::applyCommands(Channel& ch) {
  std::deque<ChannelCommand> commands = ch.rt->takeCommands();
  bool configured = false;
  for (const ChannelCommand& c : commands) {
    switch (c.kind) {
      case ChannelCommand::Kind::Configure:
        ch.recorder.configure(c.settings);
        ch.masterLetter = c.masterLetter;
        ch.displayType = c.displayType;
        ch.displaySpeed = c.displaySpeed;
        configured = true;
        break;
      case ChannelCommand::Kind::Epoch:
        if (c.value == 1) ch.recorder.beginEpoch();
        if (c.value == 2) ch.recorder.endEpoch();
        break;
      case ChannelCommand::Kind::Suspend:
        ch.recorder.setSuspended(c.value != 0);
        break;
      case ChannelCommand::Kind::Play:
        play(ch, c);
        break;
    }
  }
  if (configured && allConfigured_) resolveMasters();  // letters or modes may have changed
}

// Prepares a sound and hands it to the output callback; a sound that cannot play
// raises notification 6 at once and says why on the channel's view.
void RecordingWorker::play(Channel& ch, const ChannelCommand& cmd) {
  if (ch.rt->outputStream < 0) {
    ch.report(QStringLiteral("Playback: no sound output for this channel; %1 not played").arg(cmd.file));
    ch.notify(kSoundFinished);
    return;
  }
  PlaybackSound sound = loadPlaybackSound(cmd.file, cmd.gain);
  if (!sound.error.isEmpty() || sound.samples.empty()) {
    ch.report(QStringLiteral("Playback: ") +
              (sound.error.isEmpty() ? QStringLiteral("%1 holds no sound").arg(cmd.file) : sound.error));
    ch.notify(kSoundFinished);
    return;
  }
  OutputStream* out = outputs_[static_cast<std::size_t>(ch.rt->outputStream)];
  auto* item = new PlaybackItem;
  item->samples = std::move(sound.samples);
  ++outputBusy_[static_cast<std::size_t>(ch.rt->outputStream)];
  // A sound that had not started yet is dropped in favour of the new one; it never
  // played, so it raises nothing.
  if (PlaybackItem* unplayed = ch.rt->playback.post(item)) {
    delete unplayed;
    --outputBusy_[static_cast<std::size_t>(ch.rt->outputStream)];
  }
  const QString error = out->start();
  if (!error.isEmpty()) {
    ch.report(QStringLiteral("Playback: the output cannot start (%1)").arg(error));
    for (PlaybackItem* p : ch.rt->playback.takeAllStopped()) {
      delete p;
      --outputBusy_[static_cast<std::size_t>(ch.rt->outputStream)];
    }
    ch.notify(kSoundFinished);
  }
}

bool RecordingWorker::collectPlaybacks() {
  bool any = false;
  std::vector<Channel*> finished;
  for (auto& ch : channels_) {
    if (ch->rt->outputStream < 0) continue;
    while (PlaybackItem* p = ch->rt->playback.takeDone()) {
      any = true;
      --outputBusy_[static_cast<std::size_t>(ch->rt->outputStream)];
      // A sound replaced by a newer one did not finish: the newer one will report.
      if (!p->replaced) finished.push_back(ch.get());
      delete p;
    }
  }
  // An output with nothing left to play is stopped (it lets the last sound play out),
  // and only then is the end of the sound announced.
  for (std::size_t i = 0; i < outputs_.size(); ++i)
    if (outputBusy_[i] == 0 && outputs_[i]->running()) outputs_[i]->stop();
  for (Channel* ch : finished) ch->notify(kSoundFinished);
  return any;
}

bool RecordingWorker::feed(Channel& ch, std::size_t limit) {
  std::size_t total = 0;
  while (total < limit) {
    const std::size_t want = std::min(kBlock, limit - total);
    const std::size_t got = ch.rt->input.pop(block_.data(), want);
    if (got == 0) break;
    ch.recorder.process(block_.data(), got, ch.master ? &ch.master->recorder : nullptr);
    ch.addColumns(ch.recorder.lastBlock(), got);
    total += got;
  }
  ch.processed += total;
  return total > 0;
}

bool RecordingWorker::pass() {
  bool busy = false;
  for (auto& ch : channels_) applyCommands(*ch);
  // Masters before slaves: a slave never runs ahead of its master.
  for (auto& ch : channels_)
    if (ch->recorder.settings().mode != RecorderSettings::Mode::Slave) busy |= feed(*ch, kMaxPerPass);
  for (auto& ch : channels_) {
    if (ch->recorder.settings().mode != RecorderSettings::Mode::Slave) continue;
    std::size_t limit = kMaxPerPass;
    if (ch->master) {
      const std::int64_t ahead = ch->master->recorder.position() - ch->recorder.position();
      limit = static_cast<std::size_t>(std::clamp<std::int64_t>(ahead, 0, static_cast<std::int64_t>(kMaxPerPass)));
    }
    busy |= feed(*ch, limit);
  }
  busy |= collectPlaybacks();
  for (auto& ch : channels_) {
    const ChannelRecorder::Stats& st = ch->recorder.stats();
    ChannelStatus s;
    s.running = true;
    s.recording = ch->recorder.isRecording();
    s.suspended = ch->recorder.suspended();
    s.writingStopped = ch->recorder.writingStopped();
    s.recordingsBegun = st.recordingsBegun;
    s.recordingsKept = st.recordingsKept;
    s.recordingsDeleted = st.recordingsDeleted;
    s.peaksInRecording = st.peaksInRecording;
    s.levelPeak = st.lastBlockPeak;
    s.samplesProcessed = ch->processed;
    s.samplesLost = ch->rt->input.dropped();
    ch->rt->publish(s, ch->newColumns);
    ch->newColumns.clear();
  }
  return busy;
}

void RecordingWorker::finish() {
  // No more sound comes in; record what the rings still hold.
  for (InputStream* in : inputs_) in->stop();
  for (;;) {
    const bool busy = pass();
    bool left = false;
    for (auto& ch : channels_) {
      if (ch->rt->input.available() == 0) continue;
      // A slave waits for its master, so its sound counts as left only if it may go on.
      const bool waiting = ch->recorder.settings().mode == RecorderSettings::Mode::Slave && ch->master &&
                           ch->master->recorder.position() <= ch->recorder.position();
      left = left || !waiting;
    }
    if (!busy && !left) break;
  }
  for (auto& ch : channels_)
    if (ch->recorder.settings().mode != RecorderSettings::Mode::Slave) ch->recorder.finishAll();
  for (auto& ch : channels_)
    if (ch->recorder.settings().mode == RecorderSettings::Mode::Slave) ch->recorder.finishAll();
  // Playbacks: stop the outputs, then every sound still in a slot was cut short.
  for (OutputStream* out : outputs_) out->stop();
  collectPlaybacks();
  for (auto& ch : channels_) {
    bool cut = false;
    for (PlaybackItem* p : ch->rt->playback.takeAllStopped()) {
      cut = cut || !p->replaced;
      delete p;
    }
    if (cut) ch->notify(kSoundFinished);
  }
  std::fill(outputBusy_.begin(), outputBusy_.end(), 0);
  for (auto& ch : channels_) {
    ChannelStatus s = ch->rt->status();
    s.running = false;
    s.recording = false;
    ch->rt->publish(s, {});
  }
}

}  // namespace tirra::rec
