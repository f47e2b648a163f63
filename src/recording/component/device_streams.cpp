#include "recording/component/device_streams.h"

#include <portaudio.h>

#include <algorithm>
#include <cmath>

#include "recording/component/wav_files.h"

namespace tirra::rec {

struct StreamCallbacks {
  // Splits interleaved frames into the channels' rings. A ring that is full drops the
  // block (and counts it) rather than wait.
  static int input(const void* in, void*, unsigned long frames, const PaStreamCallbackTimeInfo*,
                   PaStreamCallbackFlags, void* user) {
    auto* s = static_cast<InputStream*>(user);
    const auto* src = static_cast<const std::int16_t*>(in);
    if (!src) return paContinue;
    for (const InputStream::Route& r : s->routes_)
      r.ring->pushStrided(src + r.channel, frames, static_cast<std::size_t>(s->channels_));
    return paContinue;
  }

  static int output(const void*, void* out, unsigned long frames, const PaStreamCallbackTimeInfo*,
                    PaStreamCallbackFlags, void* user) {
    auto* s = static_cast<OutputStream*>(user);
    auto* dst = static_cast<std::int16_t*>(out);
    const auto channels = static_cast<std::size_t>(s->channels_);
    const std::size_t capacity = s->mix_.size() / channels;
    while (frames > 0) {
      const std::size_t n = std::min<std::size_t>(frames, capacity);
      float* mix = s->mix_.data();
      std::fill(mix, mix + n * channels, 0.0f);
      for (const OutputStream::Route& r : s->routes_) r.slot->render(mix + r.channel, n, channels);
      for (std::size_t i = 0; i < n * channels; ++i) {
        const float v = std::clamp(mix[i] * 32768.0f, -32768.0f, 32767.0f);
        dst[i] = static_cast<std::int16_t>(std::lrint(v));
      }
      dst += n * channels;
      frames -= n;
    }
    return paContinue;
  }
};

namespace {
QString paText(PaError e) { return QString::fromUtf8(Pa_GetErrorText(e)); }
}  // namespace

// ---------------------------------------------------------------- input

InputStream::InputStream(int device, int channels, std::vector<Route> routes)
    : device_(device), channels_(channels), routes_(std::move(routes)) {}

InputStream::~InputStream() {
  stop();
  if (stream_) Pa_CloseStream(stream_);
}

QString InputStream::open() {
  const PaDeviceInfo* info = Pa_GetDeviceInfo(device_);
  if (!info) return QStringLiteral("the device is gone");
  PaStreamParameters p{};
  p.device = device_;
  p.channelCount = channels_;
  p.sampleFormat = paInt16;
  // A generous device buffer: months of recording must not lose sound to a busy moment.
  p.suggestedLatency = info->defaultHighInputLatency;
  const PaError e = Pa_OpenStream(&stream_, &p, nullptr, kSampleRate, kFramesPerBuffer,
                                  paClipOff | paDitherOff, &StreamCallbacks::input, this);
  if (e != paNoError) {
    stream_ = nullptr;
    return paText(e);
  }
  return {};
}

QString InputStream::start() {
  if (!stream_) return QStringLiteral("the stream is not open");
  const PaError e = Pa_StartStream(stream_);
  if (e != paNoError) return paText(e);
  running_ = true;
  return {};
}

void InputStream::stop() {
  if (stream_ && running_) Pa_StopStream(stream_);
  running_ = false;
}

// ---------------------------------------------------------------- output

OutputStream::OutputStream(int device, int channels, std::vector<Route> routes)
    : device_(device), channels_(channels), routes_(std::move(routes)) {
  mix_.assign(static_cast<std::size_t>(kFramesPerBuffer) * static_cast<std::size_t>(channels_), 0.0f);
}

OutputStream::~OutputStream() {
  stop();
  if (stream_) Pa_CloseStream(stream_);
}

QString OutputStream::open() {
  const PaDeviceInfo* info = Pa_GetDeviceInfo(device_);
  if (!info) return QStringLiteral("the device is gone");
  PaStreamParameters p{};
  p.device = device_;
  p.channelCount = channels_;
  p.sampleFormat = paInt16;
  p.suggestedLatency = info->defaultLowOutputLatency;
  const PaError e = Pa_OpenStream(&stream_, nullptr, &p, kSampleRate, kFramesPerBuffer,
                                  paClipOff | paDitherOff, &StreamCallbacks::output, this);
  if (e != paNoError) {
    stream_ = nullptr;
    return paText(e);
  }
  return {};
}

QString OutputStream::start() {
  if (!stream_) return QStringLiteral("the stream is not open");
  if (running_) return {};
  const PaError e = Pa_StartStream(stream_);
  if (e != paNoError) return paText(e);
  running_ = true;
  return {};
}

void OutputStream::stop() {
  // Pa_StopStream lets what is queued play out before it returns.
  if (stream_ && running_) Pa_StopStream(stream_);
  running_ = false;
}

}  // namespace tirra::rec
