#include "recording/component/channel_recorder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/paths.h"

namespace tirra::rec {

namespace {
// Cage noise (perch hops, wing beats, the building) lies well below song; the switchable
// high-pass filter cuts it before detection.
constexpr double kHighPassHz = 400.0;
// Spans a master remembers for its slaves.
constexpr std::size_t kSpansKept = 256;
// Where a detector sample lies: 0 within the threshold, 1 above +threshold, 2 below
// -threshold. A peak is an excursion beyond the threshold on either side, so a song
// gives two peaks per cycle however loud it is, and the peak count follows its pitch.
inline std::uint8_t excursion(float x, float limit) {
  return x > limit ? 1 : (x < -limit ? 2 : 0);
}

}  // namespace

std::int64_t RecorderSettings::postThresholdSamples() const {
  return postThresholdMs <= 0 ? 0 : static_cast<std::int64_t>(postThresholdMs) * kSampleRate / 1000;
}

std::int64_t RecorderSettings::maxDurationSamples() const {
  return maxDurationMs <= 0 ? 0 : static_cast<std::int64_t>(maxDurationMs) * kSampleRate / 1000;
}

// ---------------------------------------------------------------- pre-threshold buffer

void ChannelRecorder::History::resize(std::size_t capacity) {
  buf_.assign(capacity, 0);
  head_ = 0;
  size_ = 0;
}

void ChannelRecorder::History::push(const std::int16_t* s, std::size_t n) {
  const std::size_t cap = buf_.size();
  if (cap == 0 || n == 0) return;
  if (n >= cap) {
    std::copy(s + (n - cap), s + n, buf_.begin());
    head_ = 0;
    size_ = cap;
    return;
  }
  const std::size_t first = std::min(n, cap - head_);
  std::copy(s, s + first, buf_.begin() + static_cast<std::ptrdiff_t>(head_));
  std::copy(s + first, s + n, buf_.begin());
  head_ = (head_ + n) % cap;
  size_ = std::min(cap, size_ + n);
}

void ChannelRecorder::History::copyNewest(std::size_t count, std::int16_t* out) const {
  const std::size_t cap = buf_.size();
  count = std::min(count, size_);
  std::size_t start = (head_ + cap - count) % (cap ? cap : 1);
  for (std::size_t i = 0; i < count; ++i) out[i] = buf_[(start + i) % cap];
}

// ---------------------------------------------------------------- set-up

ChannelRecorder::ChannelRecorder(RecorderListener* listener) : listener_(listener) {}

ChannelRecorder::~ChannelRecorder() { finishAll(); }

void ChannelRecorder::configure(const RecorderSettings& s) {
  const bool modeChanged = s.mode != s_.mode || s.active != s_.active;
  // A recording belongs to the mode it began in: finish it by that mode's rules.
  if (modeChanged) finishAll();
  const bool historyChanged = s.prebufferSamples != s_.prebufferSamples;
  const bool filterChanged = s.highPass != s_.highPass;
  s_ = s;

  // A sample counts as above threshold when |sample| x gain > threshold; dividing once
  // here keeps the per-sample test to one comparison.
  const double gain = std::pow(10.0, static_cast<double>(s_.peakGainDb) / 20.0);
  detectLimit_ = static_cast<float>(std::max<std::int32_t>(s_.threshold, 0) / gain);
  postSamples_ = s_.postThresholdSamples();
  maxSamples_ = s_.maxDurationSamples();

  if (filterChanged) {
    x1_ = x2_ = y1_ = y2_ = 0;
    if (s_.highPass) {
      // Second-order Butterworth high-pass (bilinear transform).
      const double w0 = 2.0 * M_PI * kHighPassHz / kSampleRate;
      const double alpha = std::sin(w0) / (2.0 * M_SQRT1_2);
      const double c = std::cos(w0);
      const double a0 = 1.0 + alpha;
      b0_ = static_cast<float>((1.0 + c) / 2.0 / a0);
      b1_ = static_cast<float>(-(1.0 + c) / a0);
      b2_ = b0_;
      a1_ = static_cast<float>(-2.0 * c / a0);
      a2_ = static_cast<float>((1.0 - alpha) / a0);
    }
  }
  if (historyChanged) history_.resize(static_cast<std::size_t>(std::max<std::int32_t>(s_.prebufferSamples, 0)));
}

// ---------------------------------------------------------------- feeding

void ChannelRecorder::scaleAndDetect(const std::int16_t* input, std::size_t n) {
  if (scaled_.size() < n) {
    scaled_.resize(n);
    side_.resize(n);
  }
  const float scaler = s_.inputScaler;
  const float limit = detectLimit_;
  int peak = 0;
  if (!s_.highPass) {
    for (std::size_t i = 0; i < n; ++i) {
      float v = static_cast<float>(input[i]) * scaler;
      v = std::clamp(v, -32768.0f, 32767.0f);
      const auto q = static_cast<std::int16_t>(v >= 0 ? v + 0.5f : v - 0.5f);
      scaled_[i] = q;
      const float x = q;
      side_[i] = excursion(x, limit);
      peak = std::max(peak, static_cast<int>(std::fabs(x)));
    }
  } else {
    float x1 = x1_, x2 = x2_, y1 = y1_, y2 = y2_;
    for (std::size_t i = 0; i < n; ++i) {
      float v = static_cast<float>(input[i]) * scaler;
      v = std::clamp(v, -32768.0f, 32767.0f);
      const auto q = static_cast<std::int16_t>(v >= 0 ? v + 0.5f : v - 0.5f);
      scaled_[i] = q;
      const float x = q;
      const float y = b0_ * x + b1_ * x1 + b2_ * x2 - a1_ * y1 - a2_ * y2;
      x2 = x1;
      x1 = x;
      y2 = y1;
      y1 = y;
      side_[i] = excursion(y, limit);
      peak = std::max(peak, static_cast<int>(std::fabs(x)));
    }
    // Silence would decay the state into denormals, which are slow to compute with.
    auto flush = [](float f) { return std::fabs(f) < 1e-20f ? 0.0f : f; };
    x1_ = flush(x1), x2_ = flush(x2), y1_ = flush(y1), y2_ = flush(y2);
  }
  stats_.lastBlockPeak = peak;
  lastBlockSize_ = n;
}

void ChannelRecorder::process(const std::int16_t* input, std::size_t n, const ChannelRecorder* master) {
  scaleAndDetect(input, n);
  if (s_.active && !suspended_) {
    switch (s_.mode) {
      case RecorderSettings::Mode::Trigger: processTrigger(n); break;
      case RecorderSettings::Mode::Simple: processSimple(n); break;
      case RecorderSettings::Mode::Slave: processSlave(n, master); break;
    }
  }
  position_ += static_cast<std::int64_t>(n);
}

// Triggered recording, the rules of a trigger channel:
//  - a peak is one excursion of the gained (and, with long 9, high-pass filtered) sound
//    beyond the threshold, above +threshold or below -threshold: it is counted where
//    the excursion begins;
//  - the first peak begins a recording (notification 2); the file starts with the
//    pre-threshold samples (long 17) that preceded it, as far as they are not already
//    in an earlier file;
//  - the recording ends once the post-threshold duration (long 3) has passed without
//    the sound going beyond the threshold again, so the file is
//    pre-buffer + sound + post-threshold duration long; or it ends when it reaches the
//    maximal duration (long 6), and a song that goes on starts the next file;
//  - it is kept (moved to the stage-1 folder) only if it holds at least long 7 peaks,
//    otherwise deleted;
//  - when its peaks reach long 11, notification 5 is raised, once per recording.
void ChannelRecorder::processTrigger(std::size_t n) {
  std::size_t i = 0;
  while (i < n) {
    if (!isRecording()) {
      std::size_t j = i;
      for (; j < n; ++j) {
        const std::uint8_t e = side_[j];
        const bool rising = e != 0 && e != lastExcursion_;
        lastExcursion_ = e;
        if (rising) break;
      }
      history_.push(&scaled_[i], j - i);
      if (j == n) return;
      // The first peak: the recording begins with the pre-threshold buffer.
      std::size_t h = history_.size();
      if (maxSamples_ > 0 && static_cast<std::int64_t>(h) >= maxSamples_)
        h = static_cast<std::size_t>(maxSamples_ - 1);
      const std::int64_t here = position_ + static_cast<std::int64_t>(j);
      openRecording(h, here - static_cast<std::int64_t>(h));
      if (!writingStopped_) listener_->notify(kRecordingBegan);
      lastAbove_ = here;
      countPeak();
      writeSamples(&scaled_[j], 1);
      ++length_;
      i = j + 1;
      if (maxSamples_ > 0 && length_ >= maxSamples_)
        closeRecording(stats_.peaksInRecording >= s_.peaksToKeep, here + 1);
      continue;
    }
    std::size_t j = i;
    bool end = false;
    bool cut = false;
    for (; j < n; ++j) {
      const std::uint8_t e = side_[j];
      const bool a = e != 0;
      const bool rising = a && e != lastExcursion_;
      lastExcursion_ = e;
      const std::int64_t here = position_ + static_cast<std::int64_t>(j);
      if (!a && here - lastAbove_ > postSamples_) {
        end = true;  // this sample is not part of the recording
        break;
      }
      if (a) {
        lastAbove_ = here;
        if (rising) countPeak();
      }
      ++length_;
      if (maxSamples_ > 0 && length_ >= maxSamples_) {
        ++j;
        cut = true;
        break;
      }
    }
    writeSamples(&scaled_[i], j - i);
    if (end || cut)
      closeRecording(stats_.peaksInRecording >= s_.peaksToKeep, position_ + static_cast<std::int64_t>(j));
    i = j;
  }
}

// Simple recording: everything between an epoch's opening and closing is written;
// peaks are only counted (statistics and notification 5).
void ChannelRecorder::processSimple(std::size_t n) {
  for (std::size_t j = 0; j < n; ++j) {
    const std::uint8_t e = side_[j];
    if (e != 0 && e != lastExcursion_ && epochOpen_) countPeak();
    lastExcursion_ = e;
  }
  if (epochOpen_) {
    writeSamples(scaled_.data(), n);
    length_ += static_cast<std::int64_t>(n);
  }
}

// Slave recording: a file runs exactly over the master's recording (same sample
// positions when both share a device), and is kept when the master's is kept.
void ChannelRecorder::processSlave(std::size_t n, const ChannelRecorder* master) {
  for (std::size_t j = 0; j < n; ++j) {
    const std::uint8_t e = side_[j];
    if (e != 0 && e != lastExcursion_ && isRecording()) countPeak();
    lastExcursion_ = e;
  }
  if (!master) {
    history_.push(scaled_.data(), n);
    return;
  }
  std::size_t i = 0;
  while (i < n) {
    const std::int64_t here = position_ + static_cast<std::int64_t>(i);
    if (!isRecording()) {
      const RecordingSpan* next = nullptr;
      for (const RecordingSpan& sp : master->spans())
        if (sp.serial > followedSerial_) {
          next = &sp;
          break;
        }
      if (!next) {
        history_.push(&scaled_[i], n - i);
        return;
      }
      if (next->end >= 0 && next->end <= here) {  // over before this slave got there
        followedSerial_ = next->serial;
        continue;
      }
      if (next->begin > here) {
        const auto m = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(n - i), next->begin - here));
        history_.push(&scaled_[i], m);
        i += m;
        continue;
      }
      const auto h = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(history_.size()), here - next->begin));
      followedSerial_ = next->serial;
      openRecording(h, here - static_cast<std::int64_t>(h));
      continue;
    }
    const RecordingSpan* sp = nullptr;
    for (const RecordingSpan& s : master->spans())
      if (s.serial == followedSerial_) sp = &s;
    const std::int64_t stop = (sp && sp->end >= 0) ? sp->end : (sp ? std::numeric_limits<std::int64_t>::max() : here);
    const auto m = static_cast<std::size_t>(std::clamp<std::int64_t>(stop - here, 0, static_cast<std::int64_t>(n - i)));
    writeSamples(&scaled_[i], m);
    length_ += static_cast<std::int64_t>(m);
    i += m;
    if (!sp || (sp->end >= 0 && position_ + static_cast<std::int64_t>(i) >= sp->end))
      closeRecording(sp ? sp->kept : true, position_ + static_cast<std::int64_t>(i));
  }
}

// ---------------------------------------------------------------- commands

void ChannelRecorder::beginEpoch() {
  if (!s_.active || s_.mode != RecorderSettings::Mode::Simple) return;
  if (epochOpen_) endEpoch();
  openRecording(0, position_);
  epochOpen_ = true;
}

void ChannelRecorder::endEpoch() {
  if (!epochOpen_) return;
  epochOpen_ = false;
  // An epoch that received no sound at all (opened and closed in one breath, or
  // suspended throughout) leaves no empty file behind.
  closeRecording(length_ > 0, position_);
}

void ChannelRecorder::setSuspended(bool suspended) {
  if (suspended == suspended_) return;
  if (suspended) {
    // A triggered recording ends where the suspension begins; an epoch only pauses.
    if (!epochOpen_ && isRecording()) {
      bool keep = stats_.peaksInRecording >= s_.peaksToKeep;
      if (s_.mode == RecorderSettings::Mode::Slave) keep = true;
      closeRecording(keep, position_);
    }
  } else {
    // Sound heard while suspended (a playback) never becomes pre-threshold sound.
    history_.clear();
    lastExcursion_ = 0;
  }
  suspended_ = suspended;
}

void ChannelRecorder::finishAll() {
  if (epochOpen_) {
    endEpoch();
    return;
  }
  if (!isRecording()) return;
  bool keep = stats_.peaksInRecording >= s_.peaksToKeep;
  if (s_.mode == RecorderSettings::Mode::Slave) keep = true;
  if (s_.mode == RecorderSettings::Mode::Simple) keep = length_ > 0;
  closeRecording(keep, position_);
}

// ---------------------------------------------------------------- files

bool ChannelRecorder::openRecording(std::size_t historyCount, std::int64_t beginPosition) {
  ++stats_.recordingsBegun;
  stats_.peaksInRecording = 0;
  peakTriggerRaised_ = false;
  length_ = static_cast<std::int64_t>(historyCount);
  spans_.push_back({nextSerial_++, beginPosition, -1, false});
  if (spans_.size() > kSpansKept) spans_.pop_front();

  if (writingStopped_) {
    recordingWithoutFile_ = true;
    history_.clear();
    return false;
  }
  const QString folder = s_.tempFolder.trimmed().isEmpty() ? QString() : tirra::localPath(s_.tempFolder);
  if (folder.isEmpty()) {
    stopWriting(QStringLiteral("no temporary folder is set"));
    recordingWithoutFile_ = true;
    history_.clear();
    return false;
  }
  if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
    stopWriting(QStringLiteral("cannot create the temporary folder %1").arg(folder));
    recordingWithoutFile_ = true;
    history_.clear();
    return false;
  }
  const qint64 preMs = static_cast<qint64>(historyCount) * 1000 / kSampleRate;
  const QString name = recordingFileName(s_.birdName, s_.letter, listener_->now().addMSecs(-preMs));
  if (!writer_.open(unusedPath(folder, name))) {
    stopWriting(writer_.error());
    recordingWithoutFile_ = true;
    history_.clear();
    return false;
  }
  if (historyCount > 0) {
    if (scratch_.size() < historyCount) scratch_.resize(historyCount);
    history_.copyNewest(historyCount, scratch_.data());
    writeSamples(scratch_.data(), historyCount);
  }
  history_.clear();  // that sound is in this file now
  return true;
}

void ChannelRecorder::writeSamples(const std::int16_t* s, std::size_t n) {
  if (!writer_.isOpen() || n == 0) return;
  if (!writer_.write(s, n)) {
    const QString path = writer_.path();
    stopWriting(writer_.error() + QStringLiteral("; the unfinished recording stays in ") + path);
    recordingWithoutFile_ = true;
  }
}

void ChannelRecorder::stopWriting(const QString& why) {
  if (writer_.isOpen()) writer_.close();
  writingStopped_ = true;
  listener_->report(QStringLiteral("Recording stopped: ") + why);
}

void ChannelRecorder::countPeak() {
  ++stats_.peaksInRecording;
  ++stats_.totalPeaks;
  if (s_.peakTrigger > 0 && !peakTriggerRaised_ && stats_.peaksInRecording >= s_.peakTrigger) {
    peakTriggerRaised_ = true;
    listener_->notify(kPeakTrigger);
  }
}

void ChannelRecorder::closeRecording(bool keep, std::int64_t endPosition) {
  if (!spans_.empty() && spans_.back().end < 0) {
    spans_.back().end = endPosition;
    spans_.back().kept = keep;
  }
  history_.clear();
  length_ = 0;
  if (recordingWithoutFile_) {
    recordingWithoutFile_ = false;
    return;
  }
  if (!writer_.isOpen()) return;
  const QString path = writer_.path();
  if (!writer_.close()) {
    stopWriting(writer_.error() + QStringLiteral("; the unfinished recording stays in ") + path);
    return;
  }
  if (!keep) {
    QFile::remove(path);
    ++stats_.recordingsDeleted;
    listener_->finished(path, false);
    return;
  }
  QString error;
  const QString kept = keepRecording(path, tirra::localPath(s_.stage1Folder), &error);
  if (kept.isEmpty()) {
    stopWriting(error);
    return;
  }
  ++stats_.recordingsKept;
  if (!error.isEmpty()) listener_->report(error);
  listener_->finished(kept, true);
}

}  // namespace tirra::rec
