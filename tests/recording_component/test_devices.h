#pragma once
// The sound devices the recording component's tests run on. PortAudio reads ALSA's
// configuration when it starts, so a test program picks one of these before the first
// engine start or device listing.
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <vector>

#include "recording_component/sound_helpers.h"

namespace tirra::test {

// ALSA with its own configuration only: no device unless the machine has a sound card.
void selectNoSoundDevice();
// True when PortAudio finds no device at all now.
bool noSoundDevice();

// The file-backed test device "birdbox" (tests/recording_component/birdbox.conf.in).
class BirdBox {
 public:
  static constexpr const char* kName = "birdbox";
  // The one device of this process; the first call writes its configuration and selects it.
  static BirdBox& instance();

  QString inputFile() const { return dir_.filePath(QStringLiteral("in.raw")); }
  QString outputFile() const { return dir_.filePath(QStringLiteral("out.raw")); }
  // Writes the capture input: one sample list per device input, interleaved.
  void setInput(const std::vector<Samples>& inputs) const;
  // One output of what was played, the device having had `outputs` outputs.
  Samples played(int outputs, int output) const;

 private:
  BirdBox();
  QTemporaryDir dir_;  // a path without spaces: ALSA_CONFIG_PATH cannot hold them
};

}  // namespace tirra::test
