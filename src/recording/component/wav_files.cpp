#include "recording/component/wav_files.h"

#include <sndfile.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <unistd.h>

namespace tirra::rec {

WavWriter::~WavWriter() { close(); }

void WavWriter::fail(const QString& what) {
  if (!failed_) error_ = what;
  failed_ = true;
}

bool WavWriter::open(const QString& localFile) {
  close();
  path_ = localFile;
  error_.clear();
  failed_ = false;
  frames_ = 0;
  SF_INFO info{};
  info.samplerate = kSampleRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  file_ = sf_open(QFile::encodeName(localFile).constData(), SFM_WRITE, &info);
  if (!file_) {
    fail(QStringLiteral("cannot write %1: %2").arg(localFile, QString::fromLocal8Bit(sf_strerror(nullptr))));
    return false;
  }
  return true;
}

bool WavWriter::write(const std::int16_t* samples, std::size_t count) {
  if (!file_ || failed_) return false;
  if (count == 0) return true;
  const sf_count_t done = sf_write_short(file_, samples, static_cast<sf_count_t>(count));
  if (done > 0) frames_ += done;
  if (done != static_cast<sf_count_t>(count)) {
    // A short write: the disk is full or the file system refused more.
    fail(QStringLiteral("writing %1 failed (%2)").arg(path_, QString::fromLocal8Bit(sf_strerror(file_))));
    return false;
  }
  return true;
}

bool WavWriter::close() {
  if (!file_) return !failed_;
  // The header carries the final length; make sure it reaches the disk.
  sf_write_sync(file_);
  const int e = sf_error(file_);
  if (e != SF_ERR_NO_ERROR && !failed_)
    fail(QStringLiteral("finishing %1 failed (%2)").arg(path_, QString::fromLocal8Bit(sf_error_number(e))));
  if (sf_close(file_) != 0 && !failed_) fail(QStringLiteral("closing %1 failed").arg(path_));
  file_ = nullptr;
  return !failed_;
}

QString recordingFileName(const QString& birdName, const QString& letter, const QDateTime& start) {
  auto clean = [](QString s, const QString& fallback) {
    s = s.trimmed();
    for (QChar& c : s) {
      if (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c)) c = QChar('-');
    }
    return s.isEmpty() ? fallback : s;
  };
  return clean(birdName, QStringLiteral("bird")) + '_' + clean(letter, QStringLiteral("x")) + '_' +
         start.toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss-zzz")) + QStringLiteral(".wav");
}

QString unusedPath(const QString& localFolder, const QString& fileName) {
  const QDir dir(localFolder);
  QString candidate = dir.filePath(fileName);
  const QFileInfo fi(fileName);
  const QString base = fi.completeBaseName();
  const QString suffix = fi.suffix().isEmpty() ? QString() : '.' + fi.suffix();
  for (int n = 2; QFileInfo::exists(candidate); ++n)
    candidate = dir.filePath(QStringLiteral("%1_%2%3").arg(base).arg(n).arg(suffix));
  return candidate;
}

namespace {

QString systemError(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

// Copies src to dst through a ".part" name, checks the size, then gives it its name.
bool copyChecked(const QString& src, const QString& dst, QString* error) {
  const QString part = dst + QStringLiteral(".part");
  QFile::remove(part);
  if (!QFile::copy(src, part)) {
    QFile::remove(part);
    *error = QStringLiteral("cannot copy %1 to %2").arg(src, dst);
    return false;
  }
  {
    QFile f(part);
    if (f.open(QIODevice::ReadWrite)) {
      ::fsync(f.handle());
      f.close();
    }
  }
  if (QFileInfo(part).size() != QFileInfo(src).size()) {
    QFile::remove(part);
    *error = QStringLiteral("copying %1 to %2 was incomplete").arg(src, dst);
    return false;
  }
  if (::link(QFile::encodeName(part).constData(), QFile::encodeName(dst).constData()) == 0) {
    QFile::remove(part);
    return true;
  }
  if (!QFileInfo::exists(dst) && QFile::rename(part, dst)) return true;
  QFile::remove(part);
  *error = QStringLiteral("cannot name the copy %1").arg(dst);
  return false;
}

}  // namespace

QString keepRecording(const QString& tempFile, const QString& stage1LocalFolder, QString* error) {
  QString ignored;
  if (!error) error = &ignored;
  if (stage1LocalFolder.trimmed().isEmpty()) {
    *error = QStringLiteral("no stage-1 folder is set; the recording stays in %1").arg(tempFile);
    return {};
  }
  if (!QFileInfo(stage1LocalFolder).isDir() && !QDir().mkpath(stage1LocalFolder)) {
    *error = QStringLiteral("cannot create the stage-1 folder %1; the recording stays in %2")
                 .arg(stage1LocalFolder, tempFile);
    return {};
  }
  const QString fileName = QFileInfo(tempFile).fileName();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QString dst = unusedPath(stage1LocalFolder, fileName);
    // link() refuses to replace an existing file, so a kept file is never overwritten.
    if (::link(QFile::encodeName(tempFile).constData(), QFile::encodeName(dst).constData()) == 0) {
      if (::unlink(QFile::encodeName(tempFile).constData()) != 0) {
        // Both names now exist; the kept one is complete, the temporary one is a duplicate.
        *error = QStringLiteral("kept %1 but could not remove %2: %3").arg(dst, tempFile, systemError(errno));
      }
      return dst;
    }
    const int err = errno;
    if (err == EEXIST) continue;  // someone took that name meanwhile: pick another
    if (err == EXDEV) {
      if (!copyChecked(tempFile, dst, error)) {
        *error += QStringLiteral("; the recording stays in %1").arg(tempFile);
        return {};
      }
      QFile::remove(tempFile);
      return dst;
    }
    // File systems without hard links: rename, after checking the name is free.
    if (!QFileInfo::exists(dst) && ::rename(QFile::encodeName(tempFile).constData(),
                                            QFile::encodeName(dst).constData()) == 0)
      return dst;
    *error = QStringLiteral("cannot move %1 into %2: %3; the recording stays in the temporary folder")
                 .arg(tempFile, stage1LocalFolder, systemError(errno ? errno : err));
    return {};
  }
  *error = QStringLiteral("no free file name in %1").arg(stage1LocalFolder);
  return {};
}

float volumeGain(std::int32_t hundredthsDb) {
  if (hundredthsDb >= 0) return 1.0f;
  return std::pow(10.0f, static_cast<float>(hundredthsDb) / 2000.0f);
}

PlaybackSound loadPlaybackSound(const QString& localFile, float gain) {
  PlaybackSound out;
  if (localFile.trimmed().isEmpty()) {
    out.error = QStringLiteral("no sound file is set for playback");
    return out;
  }
  if (!QFileInfo(localFile).isFile()) {
    out.error = QStringLiteral("sound file not found: %1").arg(localFile);
    return out;
  }
  SF_INFO info{};
  SNDFILE* f = sf_open(QFile::encodeName(localFile).constData(), SFM_READ, &info);
  if (!f) {
    out.error = QStringLiteral("cannot read sound file %1: %2").arg(localFile, QString::fromLocal8Bit(sf_strerror(nullptr)));
    return out;
  }
  if (info.channels < 1 || info.samplerate < 1 || info.frames < 0) {
    sf_close(f);
    out.error = QStringLiteral("sound file %1 has no usable sound").arg(localFile);
    return out;
  }
  std::vector<float> interleaved(static_cast<std::size_t>(info.frames) * info.channels);
  const sf_count_t got = sf_readf_float(f, interleaved.data(), info.frames);
  sf_close(f);
  if (got < 0) {
    out.error = QStringLiteral("cannot read sound file %1").arg(localFile);
    return out;
  }
  // Mix to mono.
  std::vector<float> mono(static_cast<std::size_t>(got));
  const int ch = info.channels;
  for (sf_count_t i = 0; i < got; ++i) {
    float sum = 0;
    for (int c = 0; c < ch; ++c) sum += interleaved[static_cast<std::size_t>(i) * ch + c];
    mono[static_cast<std::size_t>(i)] = sum / static_cast<float>(ch);
  }
  if (info.samplerate == kSampleRate || mono.empty()) {
    out.samples = std::move(mono);
  } else {
    const double step = static_cast<double>(info.samplerate) / kSampleRate;
    const auto n = static_cast<std::size_t>(std::floor((mono.size() - 1) / step)) + 1;
    out.samples.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
      const double x = i * step;
      const auto k = static_cast<std::size_t>(x);
      const double frac = x - k;
      const float a = mono[k];
      const float b = k + 1 < mono.size() ? mono[k + 1] : a;
      out.samples[i] = static_cast<float>(a + (b - a) * frac);
    }
  }
  for (float& s : out.samples) s *= gain;
  return out;
}

}  // namespace tirra::rec
