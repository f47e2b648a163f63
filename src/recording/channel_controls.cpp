// The recording bars: per channel (threshold, gain, volume, input scaler) and for all
// channels at once (pre- and post-threshold durations, maximal duration, peaks to keep,
// display). Each converts its position into a recording-control value and shows a
// read-out. Before the first tick has filled the arrays there is no channel to set.
#include <QSlider>

#include "recording/component/ztbird.h"
#include "shell/tform1.h"
#include "widgets/numlab.h"
#include "widgets/radiogroup.h"

namespace {

// Sets one long value on every channel's control.
void setOnAllChannels(TForm1* f, int id, std::int32_t value) {
  for (TztBird* b : f->birdControls)
    if (b) b->SetLongValue(id, value);
}

}  // namespace

void TForm1::trckThreshold1Change(QObject* sender) {
  const int c = indexOfSender(thresholdBars, sender);
  if (c < 0) return;
  const int pos = thresholdBars[c]->value();
  widget<NumLab>(QString("thresh%1").arg(c + 1))->setValue(pos * 320 / 1000);
  if (birdControls[c]) birdControls[c]->SetLongValue(2, pos * 320);
}

void TForm1::gain1Change(QObject* sender) {
  const int c = indexOfSender(gainBars, sender);
  if (c < 0) return;
  const int pos = gainBars[c]->value();
  widget<NumLab>(QString("gainN%1").arg(c + 1))->setValue(-pos);
  if (birdControls[c]) birdControls[c]->SetFloatValue(0, static_cast<float>(-pos));
}

void TForm1::vol1Change(QObject* sender) {
  const int c = indexOfSender(volumeBars, sender);
  if (c < 0 || !birdControls[c]) return;
  birdControls[c]->SetLongValue(13, volumeBars[c]->value() * -1000);
}

void TForm1::scaler1Change(QObject* sender) {
  const int c = indexOfSender(scalerBars, sender);
  if (c < 0) return;
  const double v = scalerBars[c]->value() * 0.1;
  scalerLabels[c]->setValue(v);
  if (birdControls[c]) birdControls[c]->SetFloatValue(1, static_cast<float>(v));
}

void TForm1::pre_thresh_bufferChange() {
  pre_thresh_buffer_val->setValue(pre_thresh_buffer->value());
  // 44.1 samples per millisecond, truncated toward zero.
  setOnAllChannels(this, 17, static_cast<std::int32_t>(pre_thresh_buffer_val->value() * 44.1));
}

void TForm1::minimum_recording_durationChange() {
  // The first call after start only arms the bar (the start-up sequence makes it).
  if (minimumDurationFirstCall) {
    minimumDurationFirstCall = false;
    return;
  }
  duration->setValue(minimum_recording_duration->value() * 1000);
  setOnAllChannels(this, 3, static_cast<std::int32_t>(duration->value()));
}

void TForm1::MaxDurChange() {
  MaxDurN->setValue(MaxDur->value() * 1000.0);
  setOnAllChannels(this, 6, static_cast<std::int32_t>(MaxDurN->value()));
}

void TForm1::SoundDurTbChange() {
  peaksN->setValue(SoundDurTb->value());
  setOnAllChannels(this, 7, static_cast<std::int32_t>(peaksN->value()));
}

void TForm1::speedChange() {
  if (!speed) return;
  setOnAllChannels(this, 15, 6000 - speed->value());
}

void TForm1::display_typesClick() {
  if (!display_types || !speed) return;
  // The speed bar keeps its maximum 5999: the oscilloscope's speeds run from 1 to 100.
  for (TztBird* b : birdControls) {
    if (!b) continue;
    if (display_types->itemIndex() == 1) {
      speed->setMinimum(10);
      speed->setValue(5500);
      b->SetLongValue(16, 1);
    } else if (display_types->itemIndex() == 0) {
      speed->setMinimum(5900);
      speed->setValue(5995);
      b->SetLongValue(16, 2);
    } else {
      continue;
    }
    b->SetLongValue(15, 6000 - speed->value());
  }
}

void TForm1::direct_recording_durationChange() {
  direct_recording_duration_val->setValue(direct_recording_duration->value());
}
