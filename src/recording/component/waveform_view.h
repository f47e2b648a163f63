#pragma once
// The picture inside each channel panel: a scrolling waveform (long 16 = 1) or a
// sweeping waveform plot (2) built from decimated columns, the threshold as a line,
// the channel's state, statistics (long 5 = 1 or 2) and the latest message. Drawing
// only walks the columns of one width, so ten channels redraw cheaply at a steady rate.
#include <QRect>
#include <QString>
#include <vector>

#include "recording/component/channel_runtime.h"

class QPainter;

namespace tirra::rec {

struct ViewState {
  QString title;          // channel letter and bird name
  QString message;        // why nothing records, or the latest failure
  int displayType = 0;    // long 16
  int recordingDisplay = 0;  // long 5: 0 none, 1 statistics and values, 2 statistics, 3 picture only
  double thresholdLevel = -1;  // threshold in sample units (after the peak gain); <0: none
  std::int32_t threshold = 0;
  float peakGainDb = 0;
  bool active = false;
  bool running = false;
  ChannelStatus status;
};

class WaveformDisplay {
 public:
  // Adds the columns the worker produced since the last frame.
  void append(const std::vector<WaveColumn>& columns, int displayType, int width);
  void clear();
  void paint(QPainter& p, const QRect& area, const ViewState& v) const;
  std::size_t columnCount() const { return columns_.size(); }

 private:
  std::vector<WaveColumn> columns_;  // one per pixel column
  std::size_t cursor_ = 0;           // scrolling: oldest column; plot: next column to draw
  int type_ = 0;
};

}  // namespace tirra::rec
