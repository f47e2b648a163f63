#pragma once
// The recording component's bird control: one per channel. It keeps the channel's long,
// string and float values by number (a set value reads back unchanged) and does the
// channel's recording and playback work around them. The widget itself is the channel's
// waveform view.
//
// Values it works from (all others are kept and read back only):
//   long 0  state: 4 x mode + 1 if active; mode 0 trigger, 1 simple recording, 2 slave
//   long 2  threshold; long 3 post-threshold duration (ms); long 6 maximal duration (ms)
//   long 5  view: 0 none, 1 statistics and values, 2 statistics, 3 picture only
//   long 7  peaks a recording needs to be kept; long 11 peaks that raise notification 5
//   long 8  simple-recording epoch: 1 open a new file, 2 close and keep it
//   long 9  high-pass filter before detection (0 off)
//   long 10 1 suspends recording, 0 resumes
//   long 13 playback volume in hundredths of a decibel (0 loudest)
//   long 16 display type (1 scrolling waveform, 2 waveform plot); long 15 its speed:
//           scrolling, samples per pixel column; plot, one sweep spans long 15 x 1000 samples
//   long 17 pre-threshold samples; long 21 / 27 input / output of the chosen devices
//   float 0 peak gain (dB, detection only); float 1 input scaler (factor)
//   string 0 channel letter; 1 temporary folder; 2 sound for TriggerSound; 3 stage-1
//   folder; 5 bird name; 6 / 7 input / output description; 8 master's letter (slave);
//   9 / 10 input module and device; 11 / 12 output module and device
#include <QHash>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>

#include "recording/component/channel_runtime.h"
#include "recording/component/waveform_view.h"

class TztBirdEngine;

class TztBird : public QWidget {
  Q_OBJECT
 public:
  explicit TztBird(QWidget* parent = nullptr);
  ~TztBird() override;

  std::int32_t GetLongValue(int id) const;
  void SetLongValue(int id, std::int32_t value);
  QString GetStringValue(int id) const;
  void SetStringValue(int id, const QString& text);
  float GetFloatValue(int id) const;
  void SetFloatValue(int id, float value);

  // Plays the WAV file named by string value 2; notification 6 follows when it ends.
  void TriggerSound();
  // The control's own modal setup dialog (input and output devices, bird name).
  void InvokeConfigureDlg();

  TztBirdEngine* engine() const { return engine_; }

  // What the view shows: the latest message (why nothing records, or a failure) and
  // the channel's counters, as of the last frame.
  QString viewMessage() const { return message_; }
  tirra::rec::ChannelStatus status() const;
  // The recorder's values as the bird's values give them now.
  tirra::rec::RecorderSettings recorderSettings() const;

  // Called on the UI thread by the engine's worker (queued).
  void deliverNotification(int code);
  void setViewMessage(const QString& message);

  QSize sizeHint() const override { return {230, 95}; }

 signals:
  void OnBirdNotification(TztBird* sender, int nEventID);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class TztBirdEngine;
  void attachRuntime(tirra::rec::ChannelRuntime* runtime);
  void detachRuntime();
  void postConfiguration();
  tirra::rec::ChannelCommand configurationCommand() const;
  void refreshInputDescription();
  void refreshOutputDescription();
  void nextFrame();

  TztBirdEngine* engine_ = nullptr;
  QHash<int, std::int32_t> longs_;
  QHash<int, QString> strings_;
  QHash<int, float> floats_;

  tirra::rec::ChannelRuntime* runtime_ = nullptr;  // while the engine runs
  tirra::rec::ChannelStatus lastStatus_;
  QString message_;
  tirra::rec::WaveformDisplay display_;
  QTimer frameTimer_;
};
