#pragma once
// What one channel does with its sound: peak detection, triggered recording with the
// pre-threshold buffer, simple-recording epochs, slave recording, and keeping or deleting
// the files. It runs on the recording worker (or directly in a test): it is fed blocks of
// 16-bit samples and reports notifications and messages to its listener. No device, no
// thread and no widget are involved here.
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <deque>
#include <vector>

#include "recording/component/wav_files.h"

namespace tirra::rec {

// Notification codes a bird control raises.
enum NotificationCode : int {
  kRecordingBegan = 2,  // the first peak of a triggered recording
  kPeakTrigger = 5,     // the peaks of one recording reached the peak-trigger count
  kSoundFinished = 6,   // a sound started by TriggerSound has finished (or could not play)
};

// The channel values the recorder works from (the bird's long, float and string values).
struct RecorderSettings {
  enum class Mode { Trigger, Simple, Slave };
  Mode mode = Mode::Trigger;        // long 0 div 4
  bool active = false;              // long 0, bit 0
  std::int32_t threshold = 0;       // long 2: level a gained sample must exceed
  std::int32_t postThresholdMs = 0; // long 3
  std::int32_t maxDurationMs = 0;   // long 6; 0 or less: no limit
  std::int32_t peaksToKeep = 0;     // long 7
  bool highPass = false;            // long 9, any value but 0
  std::int32_t peakTrigger = 0;     // long 11; 0 or less: never
  std::int32_t prebufferSamples = 0;// long 17
  float peakGainDb = 0;             // float 0
  float inputScaler = 0;            // float 1
  QString letter;                   // string 0
  QString tempFolder;               // string 1, stored form (c:\tirra\...)
  QString stage1Folder;             // string 3, stored form
  QString birdName;                 // string 5

  std::int64_t postThresholdSamples() const;
  std::int64_t maxDurationSamples() const;  // 0: no limit
};

class RecorderListener {
 public:
  virtual ~RecorderListener() = default;
  virtual void notify(int code) = 0;
  // A message for the channel's view (a failure, or why nothing is recorded).
  virtual void report(const QString& message) = 0;
  // The wall-clock moment of the sample being processed now.
  virtual QDateTime now() = 0;
  // A recording has ended: kept (path in the stage-1 folder) or deleted.
  virtual void finished(const QString& path, bool kept) { (void)path, (void)kept; }
};

// A span of a master's recording in sample positions, for its slaves to follow.
struct RecordingSpan {
  std::uint64_t serial = 0;
  std::int64_t begin = 0;
  std::int64_t end = -1;  // -1 while the recording goes on
  bool kept = false;
};

class ChannelRecorder {
 public:
  explicit ChannelRecorder(RecorderListener* listener);
  ~ChannelRecorder();
  ChannelRecorder(const ChannelRecorder&) = delete;
  ChannelRecorder& operator=(const ChannelRecorder&) = delete;

  // New values; a change of mode or activity first finishes what is being recorded.
  void configure(const RecorderSettings& s);
  const RecorderSettings& settings() const { return s_; }

  // Feeds the next block of input samples. master is the master's recorder when this
  // channel is a slave (nullptr when it has none); a slave must not be fed beyond the
  // master's position, so that it knows where the master's recordings begin and end.
  void process(const std::int16_t* input, std::size_t n, const ChannelRecorder* master = nullptr);

  // Simple recording: long 8 = 1 opens a new epoch file (closing and keeping the open
  // one), long 8 = 2 closes and keeps it.
  void beginEpoch();
  void endEpoch();
  // Long 10: 1 suspends recording, 0 resumes.
  void setSuspended(bool suspended);
  // Engine stop: finishes whatever is open, by the same rules as a normal end.
  void finishAll();

  // The scaled samples of the last block, as written to files (for the waveform view).
  const std::int16_t* lastBlock() const { return scaled_.data(); }
  std::size_t lastBlockSize() const { return lastBlockSize_; }

  std::int64_t position() const { return position_; }
  bool isRecording() const { return writer_.isOpen() || recordingWithoutFile_; }
  bool suspended() const { return suspended_; }
  bool writingStopped() const { return writingStopped_; }
  const std::deque<RecordingSpan>& spans() const { return spans_; }

  struct Stats {
    std::int64_t recordingsBegun = 0;
    std::int64_t recordingsKept = 0;
    std::int64_t recordingsDeleted = 0;
    std::int64_t peaksInRecording = 0;  // current recording, or the last one
    std::int64_t totalPeaks = 0;
    int lastBlockPeak = 0;              // largest magnitude of the last block
  };
  const Stats& stats() const { return stats_; }

 private:
  // Samples kept back for the pre-threshold buffer: only sound not yet in any file.
  class History {
   public:
    void resize(std::size_t capacity);
    void push(const std::int16_t* s, std::size_t n);
    void clear() { size_ = 0; }
    std::size_t size() const { return size_; }
    // Copies the newest count samples, oldest first.
    void copyNewest(std::size_t count, std::int16_t* out) const;

   private:
    std::vector<std::int16_t> buf_;
    std::size_t head_ = 0;  // next write position
    std::size_t size_ = 0;
  };

  void scaleAndDetect(const std::int16_t* input, std::size_t n);
  void processTrigger(std::size_t n);
  void processSimple(std::size_t n);
  void processSlave(std::size_t n, const ChannelRecorder* master);

  // A recording of this channel: opened in the temporary folder with the newest
  // historyCount samples of the pre-threshold buffer; beginPosition is where its first
  // sample lies.
  bool openRecording(std::size_t historyCount, std::int64_t beginPosition);
  void writeSamples(const std::int16_t* s, std::size_t n);
  // Ends the open recording; keep decides between the stage-1 folder and deletion.
  void closeRecording(bool keep, std::int64_t endPosition);
  void stopWriting(const QString& why);
  void countPeak();

  RecorderListener* listener_;
  RecorderSettings s_;
  float detectLimit_ = 0;  // threshold divided by the peak gain, in sample units
  std::int64_t postSamples_ = 0;
  std::int64_t maxSamples_ = 0;

  // High-pass biquad (removes cage noise below a few hundred hertz before detection).
  float b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  float x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;

  std::vector<std::int16_t> scaled_;
  std::vector<std::uint8_t> side_;  // per sample: 0 within the threshold, 1 above, 2 below
  std::size_t lastBlockSize_ = 0;
  History history_;
  std::vector<std::int16_t> scratch_;

  std::int64_t position_ = 0;  // samples consumed since the engine started
  std::uint8_t lastExcursion_ = 0;  // side of the last sample: 0 within, 1 above, 2 below

  WavWriter writer_;
  bool recordingWithoutFile_ = false;  // writing has stopped but detection goes on
  bool writingStopped_ = false;
  std::int64_t length_ = 0;            // samples in the open recording
  std::int64_t lastAbove_ = 0;         // position of the last sample above threshold
  bool peakTriggerRaised_ = false;
  bool epochOpen_ = false;
  bool suspended_ = false;

  std::deque<RecordingSpan> spans_;    // this channel's recordings, for its slaves
  std::uint64_t nextSerial_ = 1;
  std::uint64_t followedSerial_ = 0;   // slave: the master span being or last followed

  Stats stats_;
};

}  // namespace tirra::rec
