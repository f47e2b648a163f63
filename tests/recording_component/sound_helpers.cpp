#include "recording_component/sound_helpers.h"

#include <sndfile.h>

#include <QDir>
#include <QFile>
#include <cmath>
#include <cstdlib>

namespace tirra::test {

Samples silence(std::size_t n) { return Samples(n, 0); }

Samples burst(std::size_t length, int amplitude, int period) {
  Samples s(length);
  for (std::size_t k = 0; k < length; ++k)
    s[k] = static_cast<std::int16_t>(std::lround(amplitude * std::cos(2.0 * M_PI * static_cast<double>(k % period) / period)));
  return s;
}

Samples tone(std::size_t length, int amplitude, double hz) {
  Samples s(length);
  for (std::size_t k = 0; k < length; ++k)
    s[k] = static_cast<std::int16_t>(std::lround(amplitude * std::sin(2.0 * M_PI * hz * static_cast<double>(k) / 44100.0)));
  return s;
}

int peaksIn(const Samples& s, int threshold) {
  int peaks = 0;
  int last = 0;  // 1 above +threshold, -1 below -threshold, 0 within
  for (std::int16_t v : s) {
    const int side = v > threshold ? 1 : (v < -threshold ? -1 : 0);
    if (side != 0 && side != last) ++peaks;
    last = side;
  }
  return peaks;
}

void append(Samples& to, const Samples& more) { to.insert(to.end(), more.begin(), more.end()); }

WavContent readWav(const QString& path) {
  WavContent c;
  SF_INFO info{};
  SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
  if (!f) return c;
  c.sampleRate = info.samplerate;
  c.channels = info.channels;
  c.format = info.format;
  c.samples.resize(static_cast<std::size_t>(info.frames) * info.channels);
  const sf_count_t got = sf_read_short(f, c.samples.data(), static_cast<sf_count_t>(c.samples.size()));
  sf_close(f);
  c.ok = got == static_cast<sf_count_t>(c.samples.size());
  return c;
}

bool writeWav(const QString& path, const Samples& s, int rate) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
  if (!f) return false;
  const sf_count_t n = sf_write_short(f, s.data(), static_cast<sf_count_t>(s.size()));
  sf_close(f);
  return n == static_cast<sf_count_t>(s.size());
}

QStringList wavFiles(const QString& folder) {
  QStringList out;
  const QDir dir(folder);
  if (!dir.exists()) return out;
  for (const QString& name : dir.entryList({QStringLiteral("*.wav")}, QDir::Files, QDir::Name))
    out << dir.filePath(name);
  return out;
}

}  // namespace tirra::test
