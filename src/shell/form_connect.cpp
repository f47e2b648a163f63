// Connects the window's handlers to its widgets. Every handler runs inside the error
// guard; one handler serves a family of like controls and finds its index from the sender.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "platform/errorguard.h"
#include "shell/tform1.h"
#include "widgets/radiogroup.h"
#include "widgets/spinbutton.h"

namespace {

// Connects signal of every widget named pattern.arg(from) .. pattern.arg(to) to
// handler(sender).
template <class W, class Signal, class Handler>
void onFamily(TForm1* form, const QString& pattern, int from, int to, Signal signal, Handler handler) {
  for (int i = from; i <= to; ++i) {
    W* w = form->findChild<W*>(pattern.arg(i));
    if (!w) continue;
    QObject::connect(w, signal, form, [form, w, handler](auto&&...) {
      tirra::guard([&] { handler(form, static_cast<QObject*>(w)); });
    });
  }
}

// Connects one named widget's signal to a handler without arguments.
template <class W, class Signal, class Handler>
void onWidget(TForm1* form, const QString& name, Signal signal, Handler handler) {
  W* w = form->findChild<W*>(name);
  if (!w) return;
  QObject::connect(w, signal, form, [form, handler](auto&&...) { tirra::guard([&] { handler(form); }); });
}

}  // namespace

void TForm1::connectHandlers() {
  connect(Timer1, &QTimer::timeout, this, [this] { tirra::guard([this] { Timer1Timer(); }); });

  // Recording bars, per channel and station-wide.
  onFamily<QSlider>(this, "trckThreshold%1", 1, 10, &QSlider::valueChanged,
                    [](TForm1* f, QObject* s) { f->trckThreshold1Change(s); });
  onFamily<QSlider>(this, "gain%1", 1, 10, &QSlider::valueChanged, [](TForm1* f, QObject* s) { f->gain1Change(s); });
  onFamily<QSlider>(this, "vol%1", 1, 10, &QSlider::valueChanged, [](TForm1* f, QObject* s) { f->vol1Change(s); });
  onFamily<QSlider>(this, "scaler%1", 1, 10, &QSlider::valueChanged,
                    [](TForm1* f, QObject* s) { f->scaler1Change(s); });
  onWidget<QSlider>(this, "pre_thresh_buffer", &QSlider::valueChanged, [](TForm1* f) { f->pre_thresh_bufferChange(); });
  onWidget<QSlider>(this, "minimum_recording_duration", &QSlider::valueChanged,
                    [](TForm1* f) { f->minimum_recording_durationChange(); });
  onWidget<QSlider>(this, "MaxDur", &QSlider::valueChanged, [](TForm1* f) { f->MaxDurChange(); });
  onWidget<QSlider>(this, "SoundDurTb", &QSlider::valueChanged, [](TForm1* f) { f->SoundDurTbChange(); });
  onWidget<QSlider>(this, "speed", &QSlider::valueChanged, [](TForm1* f) { f->speedChange(); });
  onWidget<RadioGroup>(this, "display_types", &RadioGroup::clicked, [](TForm1* f) { f->display_typesClick(); });
  onWidget<QSlider>(this, "direct_recording_duration", &QSlider::valueChanged,
                    [](TForm1* f) { f->direct_recording_durationChange(); });
  onWidget<QSlider>(this, "timer_interval", &QSlider::valueChanged, [](TForm1* f) { f->timer_intervalChange(); });

  // Digital input and key wiring.
  onWidget<QCheckBox>(this, "NIcard_exists", &QCheckBox::toggled, [](TForm1* f) { f->NIcard_existsClick(); });
  onWidget<QSlider>(this, "NI_device_num", &QSlider::valueChanged, [](TForm1* f) { f->NI_device_numChange(); });
  onWidget<QSlider>(this, "num_ports", &QSlider::valueChanged, [](TForm1* f) { f->num_portsChange(); });
  onFamily<RadioGroup>(this, "port%1", 0, 5, &RadioGroup::clicked, [](TForm1* f, QObject*) { f->port0Click(); });
  onFamily<SpinButton>(this, "p%1s", 1, 40, &SpinButton::downClick, [](TForm1* f, QObject* s) { f->p1sDownClick(s); });
  onFamily<SpinButton>(this, "p%1s", 1, 40, &SpinButton::upClick, [](TForm1* f, QObject* s) { f->p1sUpClick(s); });
  onFamily<SpinButton>(this, "l%1s", 1, 40, &SpinButton::downClick, [](TForm1* f, QObject* s) { f->l1sDownClick(s); });
  onFamily<SpinButton>(this, "l%1s", 1, 40, &SpinButton::upClick, [](TForm1* f, QObject* s) { f->l1sUpClick(s); });
}
