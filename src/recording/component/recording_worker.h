#pragma once
// The recording worker: one thread for all channels. It takes the sound the input
// callbacks left in the rings, runs each channel's recorder (detection, files), prepares
// and hands over playbacks, starts and stops the output streams, and sends
// notifications and messages to the bird controls on the UI thread, queued and in order.
#include <QDateTime>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "recording/component/channel_recorder.h"
#include "recording/component/channel_runtime.h"
#include "recording/component/device_streams.h"

namespace tirra::rec {

class RecordingWorker {
 public:
  // Channels in the engine's order; the streams belong to the engine and outlive the
  // worker. Input streams are already running; the worker stops them when told to stop.
  RecordingWorker(std::vector<ChannelRuntime*> channels, std::vector<InputStream*> inputs,
                  std::vector<OutputStream*> outputs, const QDateTime& startWall);
  ~RecordingWorker();

  void start();
  // Stops the inputs, records what they delivered, finishes every open file, ends the
  // playbacks (notification 6 for a sound cut short) and joins the thread.
  void stop();

 private:
  class Channel;
  void run();
  bool pass();
  void finish();
  void applyCommands(Channel& ch);
  void play(Channel& ch, const ChannelCommand& cmd);
  bool collectPlaybacks();
  void resolveMasters();
  bool feed(Channel& ch, std::size_t limit);

  std::vector<std::unique_ptr<Channel>> channels_;
  std::vector<InputStream*> inputs_;
  std::vector<OutputStream*> outputs_;
  std::vector<int> outputBusy_;  // sounds in flight per output stream
  QDateTime startWall_;
  std::chrono::steady_clock::time_point startSteady_;
  std::atomic<bool> stopRequested_{false};
  std::thread thread_;
  std::vector<std::int16_t> block_;
  bool allConfigured_ = false;  // masters are looked up once every channel has its values
};

}  // namespace tirra::rec
