// Digital input from the keys: three tasks read ports 0, 1 and 2 of the card once per
// tick into portLines; the detector shapes show the levels. A level byte of 0 means the
// key is pressed (the switch pulls the line low). Every status of the card's library is
// ignored: without a card or library the calls fail and the levels stay as they were.
#include <QCheckBox>
#include <QFrame>
#include <QSlider>

#include "platform/prompts.h"
#include "shell/tform1.h"
#include "widgets/numlab.h"
#include "widgets/shape.h"

using namespace tirra::daqmx;

namespace {
const char* const kPortSuffixes[3] = {"/port0/line0:7", "/port1/line0:7", "/port2/line0:7"};
const char* const kSetUpError = "NI Card configuration error, training might not work properly";
}  // namespace

void TForm1::setUpKeyTasks() {
  daqDevice = static_cast<std::int32_t>(NInum->value());
  // A repeated set-up first stops and clears the tasks it replaces, so no task is left
  // running on the card behind the station's back.
  for (int p = 0; p < 3; ++p)
    if (keyTasks[p]) DAQmxStopTask(keyTasks[p]);
  for (int p = 0; p < 3; ++p)
    if (keyTasks[p]) DAQmxClearTask(keyTasks[p]);
  keyTasks.fill(nullptr);
  for (int p = 0; p < 3; ++p) DAQmxCreateTask("", &keyTasks[p]);
  for (int p = 0; p < 3; ++p) {
    const QByteArray lines = "Dev" + QByteArray::number(NI_device_num->value()) + kPortSuffixes[p];
    DAQmxCreateDIChan(keyTasks[p], lines.constData(), "", 1);
  }
  for (int p = 0; p < 3; ++p) DAQmxStartTask(keyTasks[p]);
}

void TForm1::readKeyLines() {
  for (int p = 0; p < 3; ++p)
    DAQmxReadDigitalLines(keyTasks[p], 1, 10.0, 0, portLines[p], 100, &sampsPerChanRead, &numBytesPerSamp,
                          nullptr);
}

int TForm1::keyLevel(int k) const {
  const KeyInput& key = keyInputs[k];
  // A key wired outside the card's three ports, or outside the buffers, reads as released.
  if (key.port < 0 || key.port > 2 || key.line < 0 || key.line > 99) return 1;
  return portLines[key.port][key.line];
}

void TForm1::showDetectorStates() {
  for (int k = 0; k < 20; ++k)
    detectShapes[k]->setBrushColor(keyLevel(k) != 0 ? QColor(255, 255, 0) : QColor(255, 0, 0));
}

void TForm1::stopKeyTasks() {
  for (int p = 0; p < 3; ++p) DAQmxStopTask(keyTasks[p]);
  for (int p = 0; p < 3; ++p) DAQmxClearTask(keyTasks[p]);
}

void TForm1::NIcard_existsClick() {
  if (NIcard_exists->isChecked()) {
    try {
      setUpKeyTasks();
    } catch (...) {
      tirra::prompts().message(tirra::MsgKind::Plain, kSetUpError);
    }
  }
  if (NI_panel) NI_panel->setVisible(NIcard_exists->isChecked());
}

void TForm1::NI_device_numChange() {
  NInum->setValue(NI_device_num->value());
  daqDevice = NI_device_num->value();
  setUpKeyTasks();
}

void TForm1::num_portsChange() {
  num_portsVal->setValue(num_ports->value());
  setUpKeyTasks();
}

void TForm1::port0Click() { setUpKeyTasks(); }
