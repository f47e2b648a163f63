// Connects the window's handlers to its widgets. Every handler runs inside the error
// guard; one handler serves a family of like controls and finds its index from the sender.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "platform/errorguard.h"
#include "recording/component/ztbird.h"
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

  // Engine, notifications, channel activation and panel switches.
  onWidget<QPushButton>(this, "btnStartEngine", &QPushButton::clicked, [](TForm1* f) { f->btnStartEngineClick(); });
  onWidget<QPushButton>(this, "btnStopEngine", &QPushButton::clicked, [](TForm1* f) { f->btnStopEngineClick(); });
  for (int n = 1; n <= 10; ++n) {
    auto* bird = findChild<TztBird*>(QString("ztBird%1").arg(n));
    connect(bird, &TztBird::OnBirdNotification, this, [this](TztBird* sender, int code) {
      tirra::guard([&] { ztBird1BirdNotification(sender, code); });
    });
  }
  onFamily<QPushButton>(this, "options%1", 1, 10, &QPushButton::clicked,
                        [](TForm1* f, QObject* s) { f->options1Click(s); });
  onFamily<QCheckBox>(this, "active%1", 1, 10, &QCheckBox::toggled, [](TForm1* f, QObject* s) { f->active1Click(s); });
  onFamily<RadioGroup>(this, "channel_mode%1", 1, 10, &RadioGroup::clicked,
                       [](TForm1* f, QObject* s) { f->channel_mode1Click(s); });
  onFamily<QLineEdit>(this, "tmpSound%1", 1, 10, &QLineEdit::textChanged,
                      [](TForm1* f, QObject* s) { f->tmpSound1Change(s); });
  onFamily<QLineEdit>(this, "save%1", 1, 10, &QLineEdit::textChanged,
                      [](TForm1* f, QObject* s) { f->tmpSound1Change(s); });
  onWidget<QToolButton>(this, "display", &QToolButton::clicked, [](TForm1* f) { f->displayClick(); });
  onFamily<QToolButton>(this, "trigger%1", 1, 10, &QToolButton::clicked,
                        [](TForm1* f, QObject* s) { f->trigger1Click(s); });
  onWidget<QToolButton>(this, "stat", &QToolButton::clicked, [](TForm1* f) { f->statClick(); });

  // Channel rows.
  onWidget<QPushButton>(this, "save_config", &QPushButton::clicked, [](TForm1* f) { f->save_configClick(); });
  onWidget<QPushButton>(this, "SaveDefault", &QPushButton::clicked, [](TForm1* f) { f->SaveDefaultClick(); });

  // Database, defaults and the key-peck log.
  onWidget<QPushButton>(this, "change_database", &QPushButton::clicked, [](TForm1* f) { f->change_databaseClick(); });
  onWidget<QPushButton>(this, "defaults", &QPushButton::clicked, [](TForm1* f) { f->defaultsClick(); });
  onWidget<QPushButton>(this, "BitBtn6", &QPushButton::clicked, [](TForm1* f) { f->BitBtn6Click(); });
  onWidget<QPushButton>(this, "ToExel", &QPushButton::clicked, [](TForm1* f) { f->ToExelClick(); });
  onWidget<QPushButton>(this, "empty_table", &QPushButton::clicked, [](TForm1* f) { f->empty_tableClick(); });
  onWidget<QSlider>(this, "keypeck_Tb", &QSlider::valueChanged, [](TForm1* f) { f->keypeck_TbChange(); });
  onWidget<QCheckBox>(this, "key_track", &QCheckBox::toggled, [](TForm1* f) { f->key_trackClick(); });
  onWidget<QCheckBox>(this, "key_track1", &QCheckBox::toggled, [](TForm1* f) { f->key_track1Click(); });

  // Birds from the animals register: "New" and "Change" of each channel.
  onFamily<QToolButton>(this, "set%1", 1, 10, &QToolButton::clicked, [](TForm1* f, QObject* s) { f->set1Click(s); });
  onFamily<QToolButton>(this, "chang_bird%1", 1, 10, &QToolButton::clicked,
                        [](TForm1* f, QObject* s) { f->set1Click(s); });

  // The birds on the Animals page.
  onFamily<QDateEdit>(this, "hatch%1", 1, 10, &QDateEdit::dateChanged, [](TForm1* f, QObject* s) { f->hatch1Change(s); });
  onFamily<QDateEdit>(this, "start%1", 1, 10, &QDateEdit::dateChanged, [](TForm1* f, QObject* s) { f->start1Change(s); });
  onFamily<QDateEdit>(this, "end%1", 1, 10, &QDateEdit::dateChanged, [](TForm1* f, QObject* s) { f->end1Change(s); });
  onWidget<QPushButton>(this, "update_tables", &QPushButton::clicked, [](TForm1* f) { f->update_tablesClick(); });

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
