#pragma once
// What one bird control shares, while the engine runs, between the window (UI thread),
// the recording worker and the device callbacks:
//  - the input ring (callback -> worker, lock-free),
//  - the playback slot (worker <-> output callback, lock-free),
//  - commands (window -> worker) and the view's status and waveform columns
//    (worker -> window); these two take a mutex, which only the window and the worker
//    ever hold.
#include <QString>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "recording/component/channel_recorder.h"
#include "recording/component/ring_buffer.h"

class TztBird;

namespace tirra::rec {

// A prepared sound travelling to the output callback and back.
struct PlaybackItem {
  std::vector<float> samples;
  std::size_t pos = 0;     // advanced by the callback only
  bool replaced = false;   // set by the callback when a newer sound took its place
};

// Hand-over of sounds between the worker and the output callback without locks: the
// worker posts into pending, the callback takes it, plays it and returns it through
// done; the worker frees it. The callback never allocates or frees.
class PlaybackSlot {
 public:
  PlaybackSlot() : done_(64) {}
  ~PlaybackSlot();

  // Worker: queue a sound. A sound still waiting to start is taken back and returned
  // (it never played); the caller frees it.
  PlaybackItem* post(PlaybackItem* item) { return pending_.exchange(item, std::memory_order_acq_rel); }
  // Worker: a sound the callback has finished with (played to its end or replaced).
  PlaybackItem* takeDone() {
    PlaybackItem* p = nullptr;
    return done_.pop(&p, 1) == 1 ? p : nullptr;
  }
  // Worker, only once the stream is stopped: everything still in the slot.
  std::vector<PlaybackItem*> takeAllStopped();

  // Output callback: adds the next frames of the current sound to dst (every stride-th
  // float).
  void render(float* dst, std::size_t frames, std::size_t stride);

 private:
  std::atomic<PlaybackItem*> pending_{nullptr};
  PlaybackItem* current_ = nullptr;  // output callback's own
  SpscRing<PlaybackItem*> done_;
};

// A command from the window to the worker, applied in the order given.
struct ChannelCommand {
  enum class Kind { Configure, Epoch, Suspend, Play };
  Kind kind = Kind::Configure;
  RecorderSettings settings;  // Configure
  QString masterLetter;       // Configure: string 8 of a slave
  int displayType = 0;        // Configure: long 16
  int displaySpeed = 0;       // Configure: long 15
  int value = 0;              // Epoch: 1 begin, 2 end; Suspend: 1 suspend, 0 resume
  QString file;               // Play: local path
  float gain = 1.0f;          // Play
};

// What the view shows, copied out by the worker after each block.
struct ChannelStatus {
  bool running = false;
  bool recording = false;
  bool suspended = false;
  bool writingStopped = false;
  std::int64_t recordingsBegun = 0;
  std::int64_t recordingsKept = 0;
  std::int64_t recordingsDeleted = 0;
  std::int64_t peaksInRecording = 0;
  int levelPeak = 0;                  // largest magnitude of the last block
  std::uint64_t samplesProcessed = 0;
  std::uint64_t samplesLost = 0;      // dropped because the worker fell behind
};

// One pixel column of the waveform: the smallest and largest sample it covers.
struct WaveColumn {
  std::int16_t lo = 0;
  std::int16_t hi = 0;
};

class ChannelRuntime {
 public:
  static constexpr std::size_t kInputRingSamples = std::size_t{1} << 20;  // about 24 s

  explicit ChannelRuntime(TztBird* bird);

  TztBird* const bird;
  SpscRing<std::int16_t> input{kInputRingSamples};
  PlaybackSlot playback;
  bool hasInput = false;   // an input stream feeds this channel
  int outputStream = -1;   // index of the engine's output stream playing this channel, -1 none

  // Window side.
  void post(ChannelCommand command);
  ChannelStatus status() const;
  std::vector<WaveColumn> takeColumns();
  void setViewWidth(int px) { viewWidth_.store(px, std::memory_order_relaxed); }

  // Worker side.
  std::deque<ChannelCommand> takeCommands();
  void publish(const ChannelStatus& s, const std::vector<WaveColumn>& newColumns);
  int viewWidth() const { return viewWidth_.load(std::memory_order_relaxed); }

 private:
  mutable std::mutex mutex_;
  std::deque<ChannelCommand> commands_;
  ChannelStatus status_;
  std::vector<WaveColumn> columns_;
  std::atomic<int> viewWidth_{230};
};

}  // namespace tirra::rec
