#include "recording/component/audio_devices.h"

#include <alsa/asoundlib.h>
#include <portaudio.h>

#include <dlfcn.h>

#include <cstdarg>
#include <mutex>

namespace tirra::rec {

namespace {

std::mutex g_mutex;
int g_users = 0;
PaError g_initResult = paNoError;

// ALSA reports every device it probes and cannot open on stderr; the station shows
// device problems on the channel's view instead.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

// PortAudio also probes for a JACK server, and the JACK library says on stderr that none
// runs. Its message hooks are looked up at run time: the station does not need JACK.
void quietJack(const char*) {}
void silenceJack() {
  using SetFunction = void (*)(void (*)(const char*));
  for (const char* name : {"jack_set_error_function", "jack_set_info_function"})
    if (auto set = reinterpret_cast<SetFunction>(dlsym(RTLD_DEFAULT, name))) set(quietJack);
}

}  // namespace

AudioSession::AudioSession() {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (g_users == 0) {
    snd_lib_error_set_handler(quietAlsa);
    silenceJack();
    g_initResult = Pa_Initialize();
  }
  ++g_users;
  ok_ = g_initResult == paNoError;
  if (!ok_) error_ = QString::fromUtf8(Pa_GetErrorText(g_initResult));
}

AudioSession::~AudioSession() {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (--g_users == 0 && g_initResult == paNoError) Pa_Terminate();
}

QList<AudioDevice> AudioSession::devices() const {
  QList<AudioDevice> out;
  if (!ok_) return out;
  const int count = Pa_GetDeviceCount();
  for (int i = 0; i < count; ++i) {
    const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
    if (!info || (info->maxInputChannels <= 0 && info->maxOutputChannels <= 0)) continue;
    const PaHostApiInfo* api = Pa_GetHostApiInfo(info->hostApi);
    AudioDevice d;
    d.index = i;
    d.module = api ? QString::fromUtf8(api->name) : QString();
    d.name = QString::fromUtf8(info->name);
    d.maxInputs = info->maxInputChannels;
    d.maxOutputs = info->maxOutputChannels;
    out.append(d);
  }
  return out;
}

bool isUnsetId(const QString& id) {
  const QString t = id.trimmed();
  return t.isEmpty() || t == QStringLiteral("0");
}

std::optional<AudioDevice> findDevice(const QList<AudioDevice>& devices, const QString& module,
                                      const QString& name) {
  for (const AudioDevice& d : devices)
    if (d.name == name && (isUnsetId(module) || d.module == module)) return d;
  return std::nullopt;
}

QString inputDescription(const QString& module, const QString& device, std::int32_t channel) {
  if (isUnsetId(device)) return QStringLiteral("invalid: no input chosen");
  const QString where = isUnsetId(module) ? device : device + QStringLiteral(" (") + module + ')';
  return QStringLiteral("%1, input %2").arg(where).arg(static_cast<qint64>(channel) + 1);
}

QString outputDescription(const QString& module, const QString& device, std::int32_t channel) {
  if (isUnsetId(device)) return QStringLiteral("no output chosen");
  const QString where = isUnsetId(module) ? device : device + QStringLiteral(" (") + module + ')';
  return QStringLiteral("%1, output %2").arg(where).arg(static_cast<qint64>(channel) + 1);
}

namespace {
QString reason(const QList<AudioDevice>& devices, const QString& module, const QString& device,
               std::int32_t channel, bool input) {
  const QString kind = input ? QStringLiteral("input") : QStringLiteral("output");
  if (isUnsetId(device)) return QStringLiteral("invalid: no %1 chosen").arg(kind);
  if (devices.isEmpty()) return QStringLiteral("invalid: there is no sound device on this machine");
  const auto d = findDevice(devices, module, device);
  if (!d) return QStringLiteral("invalid: %1 device %2 is not present").arg(kind, device);
  const int available = input ? d->maxInputs : d->maxOutputs;
  if (channel < 0 || channel >= available)
    return QStringLiteral("invalid: %1 has %2 %3s, %3 %4 does not exist")
        .arg(d->label())
        .arg(available)
        .arg(kind)
        .arg(static_cast<qint64>(channel) + 1);
  return {};
}
}  // namespace

QString unusableInputReason(const QList<AudioDevice>& devices, const QString& module,
                            const QString& device, std::int32_t channel) {
  return reason(devices, module, device, channel, true);
}

QString unusableOutputReason(const QList<AudioDevice>& devices, const QString& module,
                             const QString& device, std::int32_t channel) {
  return reason(devices, module, device, channel, false);
}

}  // namespace tirra::rec
