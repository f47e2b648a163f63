// The "Operant devices" page: the digital I/O card ("settings"), the key wiring with its
// detector lights ("operant playbacks") and the effector settings with the operant timer
// ("operant instrumentation").
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QVBoxLayout>

#include "shell/pages/build_helpers.h"
#include "shell/pages/devices_parts.h"
#include "shell/pages/pages.h"

using namespace pages;

namespace {

// A caption, a slider and its read-out on one row of a grid.
void sliderRow(QGridLayout* g, int row, const QString& caption, QSlider* slider, NumLab* readout) {
  g->addWidget(label({}, caption), row, 0);
  slider->setMinimumWidth(220);
  g->addWidget(slider, row, 1);
  readout->setMinimumWidth(30);
  g->addWidget(readout, row, 2);
}

QWidget* settingsPage() {
  auto* w = new QWidget;
  w->setObjectName("devices_settings");
  auto* v = new QVBoxLayout(w);
  v->setContentsMargins(10, 10, 10, 10);
  v->setSpacing(10);

  auto* top = new QHBoxLayout;
  top->addWidget(checkBox("NIcard_exists", "Enable Operant Training (NI card installed)"));
  top->addStretch(1);
  top->addWidget(button("help_keys", "Help", "how to wire and test the keys"));
  auto* link = label("LinkLabel3", "<a href=\"https://tirra.example.org/manual/operant-devices\">Help</a>");
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  link->setOpenExternalLinks(false);
  top->addSpacing(8);
  top->addWidget(link);
  v->addLayout(top);

  auto* card = new QGroupBox("Digital I/O card");
  auto* g = new QGridLayout(card);
  g->setHorizontalSpacing(8);
  sliderRow(g, 0, "Device ID", trackBar("NI_device_num", 1, 10, 1), numLab("NInum", 1));
  sliderRow(g, 1, "Ports", trackBar("num_ports", 0, 6, 3), numLab("num_portsVal", 3));
  g->setColumnStretch(3, 1);
  card->setMaximumWidth(520);
  v->addWidget(card);

  auto* ports = new QGroupBox("Port directions");
  auto* ph = new QHBoxLayout(ports);
  const int output[6] = {0, 0, 1, 0, 0, 1};
  for (int p = 0; p < 6; ++p)
    ph->addWidget(radioGroup(QString("port%1").arg(p), QString("Port %1").arg(p), {"input", "output"}, output[p]));
  ph->addStretch(1);
  v->addWidget(ports);
  v->addWidget(note("The keys are read from ports 0, 1 and 2 of the card, all three as inputs. "
                    "A released key reads high; a pecked key pulls its line low."));
  v->addStretch(1);
  return w;
}

// One effector's duration and delay sliders with their read-outs, from column col.
void effectRow(QGridLayout* g, int row, int col, QCheckBox* on, QSlider* duration, NumLab* durationVal,
               QSlider* delay, NumLab* delayVal) {
  g->addWidget(on, row, col);
  for (QSlider* s : {duration, delay}) s->setFixedWidth(90);
  for (NumLab* n : {durationVal, delayVal}) n->setMinimumWidth(30);
  g->addWidget(duration, row, col + 1);
  g->addWidget(durationVal, row, col + 2);
  g->addWidget(label({}, "s, delay"), row, col + 3);
  g->addWidget(delay, row, col + 4);
  g->addWidget(delayVal, row, col + 5);
  g->addWidget(label({}, "s."), row, col + 6);
}

QWidget* instrumentationPage() {
  auto* w = new QWidget;
  w->setObjectName("devices_instrumentation");
  auto* v = new QVBoxLayout(w);
  v->setContentsMargins(10, 10, 10, 10);
  v->setSpacing(8);
  v->addWidget(checkBox("enable_operant", "operant instrumentation (e.g., open food dispenser)"));

  auto* tasks = panel("operant_tasks");
  auto* tv = new QVBoxLayout(tasks);
  tv->setContentsMargins(8, 6, 8, 6);
  tv->addWidget(label({}, "Each detector will trigger its paird effector as follows:"));
  auto* g = new QGridLayout;
  g->setHorizontalSpacing(6);
  g->setVerticalSpacing(2);
  for (int i = 1; i <= 20; ++i) {
    const int row = (i - 1) % 10;
    const int col = (i - 1) / 10 * 8;
    effectRow(g, row, col, checkBox(QString("key_effect%1").arg(i), QString("effect %1 on for").arg(i)),
              trackBar(QString("effect_duration%1").arg(i), 1, 100, 1), numLab(QString("effect_durationNum%1").arg(i), 1),
              trackBar(QString("effect_delay%1").arg(i), 1, i == 1 ? 3600 : 100, 1),
              numLab(QString("effect_delayNum%1").arg(i), 1));
  }
  g->setColumnMinimumWidth(7, 24);
  effectRow(g, 10, 0, checkBox("passive_effect", "Passive"), trackBar("passive_duration", 1, 100, 2),
            numLab("passive_durationN", 2), trackBar("passive_delay", 1, 100, 2), numLab("passive_delayN", 2));
  g->setColumnStretch(15, 1);
  tv->addLayout(g);

  auto* gonogo = new QGroupBox("Go-No-Go");
  auto* gh = new QHBoxLayout(gonogo);
  gh->addWidget(label({}, "Effector will be activated only if song number"));
  gh->addWidget(label({}, "(in the song-list) is equal or less then:"));
  auto* n = numLab("gonogo_num", 1);
  n->setMinimumWidth(24);
  gh->addWidget(n);
  auto* thresh = trackBar("gonogo_thresh", 0, 20, 0);
  thresh->setFixedWidth(160);
  gh->addWidget(thresh);
  gh->addStretch(1);
  tv->addWidget(gonogo);
  tasks->setVisible(false);  // shown while operant instrumentation is enabled
  v->addWidget(tasks);

  auto* timer = new QGroupBox("Operant timer");
  auto* th = new QHBoxLayout(timer);
  th->addWidget(label({}, "Operant timer interval:"));
  auto* interval = trackBar("timer_interval", 1, 300, 100);
  interval->setFixedWidth(300);
  interval->setToolTip("how often the keys are read and the sessions run, in milliseconds");
  th->addWidget(interval);
  auto* val = numLab("timer_val", 100);
  val->setMinimumWidth(30);
  th->addWidget(val);
  th->addWidget(label({}, "ms"));
  th->addStretch(1);
  v->addWidget(timer);
  v->addStretch(1);
  return w;
}

}  // namespace

QWidget* buildDevicesPage() {
  auto* page = new QWidget;
  page->setObjectName("devices");
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(2, 2, 2, 2);
  auto* tabs = named(new QTabWidget, "devices_tabs");
  tabs->addTab(settingsPage(), caption("settings"));
  tabs->addTab(buildKeyWiringPage(), caption("operant playbacks"));
  tabs->addTab(instrumentationPage(), caption("operant instrumentation"));
  v->addWidget(tabs);
  return page;
}
