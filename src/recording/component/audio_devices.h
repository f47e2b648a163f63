#pragma once
// The sound devices PortAudio offers, and PortAudio's own life: the first AudioSession
// in the process initialises it, the last one terminates it, so the engine can start and
// stop any number of times while the setup dialog lists devices in between.
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

namespace tirra::rec {

struct AudioDevice {
  int index = -1;       // PortAudio's device index, valid during the session
  QString module;       // the host API ("ALSA"), stored as the module identifier
  QString name;         // the device name, stored as the device identifier
  int maxInputs = 0;
  int maxOutputs = 0;
  QString label() const { return name + QStringLiteral(" (") + module + ')'; }
};

class AudioSession {
 public:
  AudioSession();
  ~AudioSession();
  AudioSession(const AudioSession&) = delete;
  AudioSession& operator=(const AudioSession&) = delete;

  bool ok() const { return ok_; }
  QString error() const { return error_; }
  // Every device with at least one input or output.
  QList<AudioDevice> devices() const;

 private:
  bool ok_ = false;
  QString error_;
};

// A stored device identifier that names no device: empty, or "0" as the channels
// table's defaults have it.
bool isUnsetId(const QString& id);

// The device with these stored identifiers; an empty module matches any host API.
std::optional<AudioDevice> findDevice(const QList<AudioDevice>& devices, const QString& module,
                                      const QString& name);

// Descriptions shown as the bird's string values 6 and 7. An input description begins
// with "invalid" whenever the channel cannot record.
QString inputDescription(const QString& module, const QString& device, std::int32_t channel);
QString outputDescription(const QString& module, const QString& device, std::int32_t channel);
// Why a chosen device cannot be used now (devices as listed at engine start).
QString unusableInputReason(const QList<AudioDevice>& devices, const QString& module,
                            const QString& device, std::int32_t channel);
QString unusableOutputReason(const QList<AudioDevice>& devices, const QString& module,
                             const QString& device, std::int32_t channel);

}  // namespace tirra::rec
