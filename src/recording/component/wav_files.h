#pragma once
// Sound files of the recording component: the 16-bit mono WAV files recordings are
// written to, their names, the move of a kept file from the temporary folder into the
// stage-1 folder, and reading a sound for playback.
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <vector>

struct sf_private_tag;

namespace tirra::rec {

inline constexpr int kSampleRate = 44100;

// Writes one recording: 16-bit PCM, mono, 44.1 kHz. Every failure (open, a short write
// such as a full disk, close) is kept as a message; once failed the writer writes nothing.
class WavWriter {
 public:
  WavWriter() = default;
  ~WavWriter();
  WavWriter(const WavWriter&) = delete;
  WavWriter& operator=(const WavWriter&) = delete;

  bool open(const QString& localFile);
  bool write(const std::int16_t* samples, std::size_t count);
  // Finishes the header and closes; false when anything failed since open.
  bool close();

  bool isOpen() const { return file_ != nullptr; }
  bool failed() const { return failed_; }
  const QString& error() const { return error_; }
  const QString& path() const { return path_; }
  std::int64_t frames() const { return frames_; }

 private:
  void fail(const QString& what);
  sf_private_tag* file_ = nullptr;
  QString path_;
  QString error_;
  std::int64_t frames_ = 0;
  bool failed_ = false;
};

// "<bird>_<letter>_<yyyy-MM-dd>_<hh-mm-ss-zzz>.wav": bird first, then the channel letter,
// then the moment of the first sample, so one bird's folder sorts in time order.
// Characters a file name cannot hold are replaced by '-'; an empty bird name is "bird".
QString recordingFileName(const QString& birdName, const QString& letter, const QDateTime& start);

// A path in folder for fileName that names no existing file ("_2", "_3" ... added).
QString unusedPath(const QString& localFolder, const QString& fileName);

// Moves a finished recording into the stage-1 folder (created when missing) without ever
// replacing a file there. Across file systems the file is copied, checked and only then
// removed from the temporary folder. On failure the recording stays where it was and
// error says why. Returns the kept path, empty on failure.
QString keepRecording(const QString& tempFile, const QString& stage1LocalFolder, QString* error);

// A sound prepared for playback: mono, 44.1 kHz, already scaled by the volume.
struct PlaybackSound {
  std::vector<float> samples;
  QString error;  // not empty when the file could not be used
};

// Reads any file libsndfile knows, mixes its channels to mono, converts its rate to
// 44.1 kHz (linear interpolation) and multiplies by gain.
PlaybackSound loadPlaybackSound(const QString& localFile, float gain);

// Volume in hundredths of a decibel (0 loudest, more negative softer) as a factor.
// Positive values play at full level.
float volumeGain(std::int32_t hundredthsDb);

}  // namespace tirra::rec
