#pragma once
// One PortAudio stream per sound device in use and direction, at 44.1 kHz, 16-bit.
// A device with several inputs serves several channels: the input callback splits the
// interleaved frames into each channel's ring; the output callback mixes each channel's
// playback into its output. Callbacks only copy and add: no allocation, lock or file.
#include <QString>
#include <cstdint>
#include <vector>

#include "recording/component/channel_runtime.h"

typedef void PaStream;

namespace tirra::rec {

struct StreamCallbacks;

inline constexpr unsigned long kFramesPerBuffer = 1024;

class InputStream {
 public:
  struct Route {
    SpscRing<std::int16_t>* ring;
    int channel;  // input of the device, 0-based
  };
  InputStream(int device, int channels, std::vector<Route> routes);
  ~InputStream();
  InputStream(const InputStream&) = delete;
  InputStream& operator=(const InputStream&) = delete;

  // Each returns an error text, empty on success.
  QString open();
  QString start();
  void stop();

 private:
  friend struct StreamCallbacks;
  int device_;
  int channels_;
  std::vector<Route> routes_;
  PaStream* stream_ = nullptr;
  bool running_ = false;
};

class OutputStream {
 public:
  struct Route {
    PlaybackSlot* slot;
    int channel;  // output of the device, 0-based
  };
  OutputStream(int device, int channels, std::vector<Route> routes);
  ~OutputStream();
  OutputStream(const OutputStream&) = delete;
  OutputStream& operator=(const OutputStream&) = delete;

  QString open();
  // Output streams run only while something plays (started and stopped by the worker).
  QString start();
  void stop();
  bool running() const { return running_; }
  bool isOpen() const { return stream_ != nullptr; }
  const std::vector<Route>& routes() const { return routes_; }

 private:
  friend struct StreamCallbacks;
  int device_;
  int channels_;
  std::vector<Route> routes_;
  std::vector<float> mix_;  // one buffer's worth, allocated before the stream starts
  PaStream* stream_ = nullptr;
  bool running_ = false;
};

}  // namespace tirra::rec
