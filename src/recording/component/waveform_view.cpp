#include "recording/component/waveform_view.h"

#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QVector>
#include <algorithm>
#include <cmath>

namespace tirra::rec {

void WaveformDisplay::clear() {
  std::fill(columns_.begin(), columns_.end(), WaveColumn{});
  cursor_ = 0;
}

void WaveformDisplay::append(const std::vector<WaveColumn>& columns, int displayType, int width) {
  width = std::max(1, width);
  if (columns_.size() != static_cast<std::size_t>(width) || type_ != displayType) {
    columns_.assign(static_cast<std::size_t>(width), WaveColumn{});
    cursor_ = 0;
    type_ = displayType;
  }
  // Both kinds keep one column per pixel in a ring: scrolling draws it from the oldest
  // column, the plot draws it in place and shows where the sweep is.
  for (const WaveColumn& c : columns) {
    columns_[cursor_] = c;
    cursor_ = (cursor_ + 1) % columns_.size();
  }
}

void WaveformDisplay::paint(QPainter& p, const QRect& area, const ViewState& v) const {
  p.fillRect(area, QColor(16, 24, 16));
  const int w = area.width();
  const int h = area.height();
  const double mid = area.top() + h / 2.0;
  const double half = std::max(1.0, h / 2.0 - 1);

  const bool picture = v.recordingDisplay != 0 && (v.displayType == 1 || v.displayType == 2);
  if (picture && !columns_.empty()) {
    QVector<QLine> lines;
    lines.reserve(w);
    const std::size_t n = columns_.size();
    for (int x = 0; x < w && static_cast<std::size_t>(x) < n; ++x) {
      const std::size_t i = v.displayType == 1 ? (cursor_ + static_cast<std::size_t>(x)) % n : static_cast<std::size_t>(x);
      const WaveColumn& c = columns_[i];
      const int y1 = static_cast<int>(mid - c.hi / 32768.0 * half);
      const int y2 = static_cast<int>(mid - c.lo / 32768.0 * half);
      lines.append(QLine(area.left() + x, y1, area.left() + x, std::max(y1, y2)));
    }
    p.setPen(v.status.recording ? QColor(255, 90, 90) : QColor(120, 220, 120));
    p.drawLines(lines);
    if (v.displayType == 2) {  // the sweep's leading edge
      p.setPen(QColor(200, 200, 80));
      const int x = area.left() + static_cast<int>(cursor_ % std::max<std::size_t>(1, n));
      p.drawLine(x, area.top(), x, area.bottom());
    }
  }
  if (picture && v.thresholdLevel >= 0 && v.thresholdLevel < 32768) {
    p.setPen(QPen(QColor(230, 60, 60), 1, Qt::DashLine));
    const int dy = static_cast<int>(v.thresholdLevel / 32768.0 * half);
    p.drawLine(area.left(), static_cast<int>(mid) - dy, area.right(), static_cast<int>(mid) - dy);
    p.drawLine(area.left(), static_cast<int>(mid) + dy, area.right(), static_cast<int>(mid) + dy);
  }

  QFont f = p.font();
  f.setPixelSize(std::clamp(h / 8, 9, 12));
  p.setFont(f);
  const QFontMetrics fm(f);
  const int line = fm.height();
  p.setPen(QColor(230, 230, 230));
  p.drawText(area.left() + 3, area.top() + fm.ascent() + 1, v.title);

  QString state;
  QColor stateColour(200, 200, 200);
  if (!v.active) {
    state = QStringLiteral("off");
  } else if (!v.running) {
    state = QStringLiteral("stopped");
  } else if (v.status.suspended) {
    state = QStringLiteral("paused");
    stateColour = QColor(230, 200, 80);
  } else if (v.status.recording) {
    state = QStringLiteral("REC");
    stateColour = QColor(255, 70, 70);
  } else {
    state = QStringLiteral("listening");
  }
  p.setPen(stateColour);
  p.drawText(area.right() - fm.horizontalAdvance(state) - 3, area.top() + fm.ascent() + 1, state);

  int y = area.top() + line + fm.ascent() + 1;
  if (v.status.samplesLost > 0) {
    // Sound the worker could not take in time is gone; the lab must know.
    p.setPen(QColor(255, 170, 60));
    p.drawText(area.left() + 3, y, QStringLiteral("sound lost: %1 s").arg(static_cast<double>(v.status.samplesLost) / 44100.0, 0, 'f', 1));
    y += line;
  }
  p.setPen(QColor(210, 210, 160));
  if (v.recordingDisplay == 1 || v.recordingDisplay == 2) {
    const double level = v.status.levelPeak > 0 ? 20.0 * std::log10(v.status.levelPeak / 32768.0) : -96.0;
    p.drawText(area.left() + 3, y,
               QStringLiteral("rec %1, %2 kept  peaks %3  %4 dB")
                   .arg(v.status.recordingsBegun)
                   .arg(v.status.recordingsKept)
                   .arg(v.status.peaksInRecording)
                   .arg(level, 0, 'f', 0));
    y += line;
  }
  if (v.recordingDisplay == 1) {
    p.drawText(area.left() + 3, y, QStringLiteral("threshold %1  gain %2 dB").arg(v.threshold).arg(v.peakGainDb, 0, 'f', 1));
  }
  if (!v.message.isEmpty()) {
    p.setPen(QColor(255, 120, 100));
    const QRect box(area.left() + 3, area.bottom() - 2 * line - 2, w - 6, 2 * line);
    p.drawText(box, Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap, v.message);
  }
}

}  // namespace tirra::rec
