// The "Recording" page: channel modes, trigger parameters, gain and output folders.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QVBoxLayout>

#include "shell/pages/build_helpers.h"
#include "shell/pages/pages.h"

using namespace pages;

namespace {

// One station-wide parameter: caption, slider, read-out and unit on a row.
void parameterRow(QGridLayout* g, int row, const QString& caption, QSlider* slider, NumLab* readout,
                  const QString& unit) {
  g->addWidget(label({}, caption), row, 0);
  slider->setMinimumWidth(360);
  g->addWidget(slider, row, 1);
  readout->setMinimumWidth(60);
  g->addWidget(readout, row, 2);
  g->addWidget(label({}, unit), row, 3);
}

QWidget* modePage() {
  auto* w = new QWidget;
  w->setObjectName("recording_mode");
  auto* v = new QVBoxLayout(w);
  v->addWidget(note(
      "Trigger activated: recording starts when the sound amplitude crosses the threshold. "
      "Simple recording: continuous recording, divided into files of the length set below. "
      "Off: the channel does not record."));
  auto* grid = new QGridLayout;
  const QStringList items{"Trigger activated", "Simple recording", "Off"};
  for (int n = 1; n <= 10; ++n)
    grid->addWidget(radioGroup(QString("channel_mode%1").arg(n), QString("Channel %1").arg(n), items, 2),
                    (n - 1) / 5, (n - 1) % 5);
  v->addLayout(grid);
  auto* epochs = new QHBoxLayout;
  epochs->addWidget(label({}, "Simple recording epochs:"));
  auto* s = trackBar("direct_recording_duration", 1, 500, 30);
  s->setMinimumWidth(300);
  epochs->addWidget(s);
  epochs->addWidget(numLab("direct_recording_duration_val", 30));
  epochs->addWidget(label({}, "sec"));
  epochs->addStretch(1);
  v->addLayout(epochs);
  v->addStretch(1);
  return w;
}

QWidget* triggerPage() {
  auto* w = new QWidget;
  w->setObjectName("recording_trigger");
  auto* v = new QVBoxLayout(w);
  auto* g = new QGridLayout;
  g->setVerticalSpacing(14);
  parameterRow(g, 0, "Pre-threshold recording duration", trackBar("pre_thresh_buffer", 0, 5000, 300),
               numLab("pre_thresh_buffer_val", 300), "ms");
  parameterRow(g, 1, "Post-threshold recording duration",
               trackBar("minimum_recording_duration", 1, 10, 1), numLab("duration", 1000), "ms");
  parameterRow(g, 2, "Maximal recording duration limit", trackBar("MaxDur", 1, 1000, 30),
               numLab("MaxDurN", 30000), "ms");
  parameterRow(g, 3, "Save if threshold was crossed", trackBar("SoundDurTb", 0, 5000, 1000),
               numLab("peaksN", 1000), "times");
  v->addLayout(g);
  v->addStretch(1);
  return w;
}

QWidget* gainPage() {
  auto* w = new QWidget;
  w->setObjectName("recording_gain");
  auto* g = new QGridLayout(w);
  g->addWidget(label({}, "Input scaler of each channel (0.0 to 10.0):"), 0, 0, 1, 4);
  for (int n = 1; n <= 10; ++n) {
    const int r = n;
    g->addWidget(label({}, QString("Channel %1").arg(n)), r, 0);
    auto* s = trackBar(QString("scaler%1").arg(n), 0, 100, 10);
    s->setMinimumWidth(400);
    g->addWidget(s, r, 1);
    g->addWidget(numLab(QString("scalerN%1").arg(n), 1.0, 1), r, 2);
  }
  g->setRowStretch(11, 1);
  g->setColumnStretch(3, 1);
  return w;
}

QWidget* outputPage() {
  auto* w = new QWidget;
  w->setObjectName("recording_output");
  auto* v = new QVBoxLayout(w);
  v->addWidget(note(
      "Sounds wait in the temporary folder until they are kept; kept sounds move to the stage 1 "
      "folder, which the other modules read."));
  auto* g = new QGridLayout;
  for (int n = 1; n <= 10; ++n) {
    g->addWidget(label({}, QString("Channel %1").arg(n)), n - 1, 0);
    g->addWidget(label({}, "Temporary sound folder:"), n - 1, 1);
    g->addWidget(edit(QString("tmpSound%1").arg(n), "c:\\tirra\\in0\\", "click 'hold on' to enable"), n - 1, 2);
    g->addWidget(label({}, "Stage 1 sound folder:"), n - 1, 3);
    g->addWidget(edit(QString("save%1").arg(n), "c:\\tirra\\in0\\", "click 'hold on' to enable"), n - 1, 4);
  }
  v->addLayout(g);
  v->addStretch(1);
  return w;
}

}  // namespace

QWidget* buildRecordingPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet2");
  auto* v = new QVBoxLayout(page);
  auto* top = new QHBoxLayout;
  top->addWidget(button("SaveDefault", "Save Default", "save the channels' settings"));
  top->addWidget(button("loadConfig", "Load Config"));
  top->addStretch(1);
  v->addLayout(top);
  auto* tabs = named(new QTabWidget, "recording_tabs");
  tabs->addTab(modePage(), "Mode");
  tabs->addTab(triggerPage(), "Trigger parameters");
  tabs->addTab(gainPage(), "Gain");
  tabs->addTab(outputPage(), "Recording output");
  v->addWidget(tabs, 1);
  return page;
}
