#include "recording_component/test_devices.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <stdexcept>

#include "recording/component/audio_devices.h"

namespace tirra::test {

namespace {
void selectConfiguration(const QString& file) {
  qputenv("ALSA_CONFIG_PATH", QFile::encodeName(file));
}
}  // namespace

void selectNoSoundDevice() {
  // ALSA's own configuration alone defines no device beyond the machine's sound cards
  // (PortAudio cannot start from an empty configuration).
  selectConfiguration(QStringLiteral("/usr/share/alsa/alsa.conf"));
}

bool noSoundDevice() {
  tirra::rec::AudioSession session;
  return session.devices().isEmpty();
}

BirdBox& BirdBox::instance() {
  static BirdBox box;
  return box;
}

BirdBox::BirdBox() : dir_(QDir::tempPath() + QStringLiteral("/tirra-birdbox-XXXXXX")) {
  const QString source = qEnvironmentVariable("TIRRA_SOURCE_DIR");
  QFile in(source + QStringLiteral("/tests/recording_component/birdbox.conf.in"));
  if (!in.open(QIODevice::ReadOnly)) throw std::runtime_error("birdbox.conf.in not found (TIRRA_SOURCE_DIR)");
  QByteArray text = in.readAll();
  text.replace("@IN_FILE@", QFile::encodeName(inputFile()));
  text.replace("@OUT_FILE@", QFile::encodeName(outputFile()));
  const QString conf = dir_.filePath(QStringLiteral("birdbox.conf"));
  QFile out(conf);
  if (!out.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write birdbox.conf");
  out.write(text);
  out.close();
  setInput({silence(1)});
  qputenv("ALSA_CONFIG_PATH", "/usr/share/alsa/alsa.conf:" + QFile::encodeName(conf));
}

void BirdBox::setInput(const std::vector<Samples>& inputs) const {
  std::size_t frames = 0;
  for (const Samples& s : inputs) frames = std::max(frames, s.size());
  std::vector<std::int16_t> interleaved(frames * inputs.size(), 0);
  for (std::size_t c = 0; c < inputs.size(); ++c)
    for (std::size_t i = 0; i < inputs[c].size(); ++i) interleaved[i * inputs.size() + c] = inputs[c][i];
  QFile f(inputFile());
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write in.raw");
  f.write(reinterpret_cast<const char*>(interleaved.data()), static_cast<qint64>(interleaved.size() * 2));
}

Samples BirdBox::played(int outputs, int output) const {
  QFile f(outputFile());
  Samples out;
  if (!f.open(QIODevice::ReadOnly)) return out;
  const QByteArray raw = f.readAll();
  const auto* s = reinterpret_cast<const std::int16_t*>(raw.constData());
  const std::size_t frames = static_cast<std::size_t>(raw.size()) / 2 / static_cast<std::size_t>(outputs);
  out.resize(frames);
  for (std::size_t i = 0; i < frames; ++i) out[i] = s[i * static_cast<std::size_t>(outputs) + static_cast<std::size_t>(output)];
  return out;
}

}  // namespace tirra::test
