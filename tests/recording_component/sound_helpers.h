#pragma once
// Synthetic sound and WAV inspection for the recording component's tests.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace tirra::test {

using Samples = std::vector<std::int16_t>;

Samples silence(std::size_t n);
// A song-like burst: amplitude x cos(2 pi k / period). With length = m x period + 1 its
// first and last samples are crests, so a threshold below the amplitude is exceeded at
// exactly the burst's first and last sample. peaksIn() counts its excursions.
Samples burst(std::size_t length, int amplitude, int period = 10);
// A sine at the given frequency (hum, song).
Samples tone(std::size_t length, int amplitude, double hz);
// Excursions beyond the threshold, above +threshold or below -threshold (peaks).
int peaksIn(const Samples& s, int threshold);
void append(Samples& to, const Samples& more);

struct WavContent {
  bool ok = false;
  int sampleRate = 0;
  int channels = 0;
  int format = 0;
  Samples samples;
};
WavContent readWav(const QString& path);
// Writes a 16-bit mono WAV at the given rate.
bool writeWav(const QString& path, const Samples& s, int rate = 44100);

// WAV files in a folder (full paths, sorted by name); empty when it does not exist.
QStringList wavFiles(const QString& folder);

}  // namespace tirra::test
