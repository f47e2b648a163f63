// Which port and line each key is read from: 40 slots (slot 2k+1 the detector of key k,
// 2k+2 its effector), shown by the labels p1..p40 and l1..l40, stored in the nidaq table
// row by row, and changed one step at a time by their spin buttons.
#include "shell/tform1.h"
#include "widgets/numlab.h"
#include "widgets/spinbutton.h"

namespace {

// The keys read their wiring from the labels.
void syncKeyInputs(TForm1* f) {
  for (int k = 0; k < 20; ++k) {
    KeyInput& key = f->keyInputs[k];
    key.port = static_cast<int>(f->portLineLabels[4 * k]->value());
    key.line = static_cast<int>(f->portLineLabels[4 * k + 1]->value());
    key.effectorPort = static_cast<int>(f->portLineLabels[4 * k + 2]->value());
    key.effectorLine = static_cast<int>(f->portLineLabels[4 * k + 3]->value());
  }
}

// The slot number (1..40) of a spin button named <letter><n>s, 0 when it is none.
int slotOf(const QObject* sender, QChar letter) {
  for (int n = 1; n <= 40; ++n)
    if (sender->objectName() == QString("%1%2s").arg(letter).arg(n)) return n;
  return 0;
}

}  // namespace

void TForm1::loadKeyLines() {
  if (!NIDAQ.isOpen()) {
    syncKeyInputs(this);
    return;
  }
  daqDevice = NIDAQ.fieldInt("device_ID");
  for (int n = 1; n <= 40; ++n) {
    NIDAQ.moveTo(n);
    portLineLabels[2 * (n - 1)]->setValue(NIDAQ.fieldInt("port"));
    portLineLabels[2 * (n - 1) + 1]->setValue(NIDAQ.fieldInt("line"));
    syncKeyInputs(this);  // slots read so far stay in force if a later row fails
  }
}

void TForm1::saveKeyLines() {
  syncKeyInputs(this);
  if (!NIDAQ.isOpen()) return;
  NIDAQ.moveTo(1);
  NIDAQ.edit();
  NIDAQ.setField("device_ID", daqDevice);
  NIDAQ.setField("port", static_cast<int>(portLineLabels[0]->value()));
  NIDAQ.setField("line", static_cast<int>(portLineLabels[1]->value()));
  for (int n = 2; n <= 40; ++n) {
    NIDAQ.moveTo(n);  // posts row n-1
    NIDAQ.edit();
    NIDAQ.setField("port", static_cast<int>(portLineLabels[2 * (n - 1)]->value()));
    NIDAQ.setField("line", static_cast<int>(portLineLabels[2 * (n - 1) + 1]->value()));
  }
  NIDAQ.post();
}

namespace {
void step(TForm1* f, QObject* sender, QChar letter, int offset, int delta) {
  const int n = slotOf(sender, letter);
  if (n == 0 || !f->portLineLabels[0]) return;
  NumLab* label = f->portLineLabels[2 * (n - 1) + offset];
  label->setValue(label->value() + delta);
  f->saveKeyLines();
}
}  // namespace

void TForm1::p1sDownClick(QObject* sender) { step(this, sender, 'p', 0, -1); }
void TForm1::p1sUpClick(QObject* sender) { step(this, sender, 'p', 0, +1); }
void TForm1::l1sDownClick(QObject* sender) { step(this, sender, 'l', 1, -1); }
void TForm1::l1sUpClick(QObject* sender) { step(this, sender, 'l', 1, +1); }
