// Showing and closing the main window.
#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "platform/errorguard.h"
#include "recording/component/ztbirdengine.h"
#include "shell/tform1.h"

void TForm1::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (!formShown_) {
    formShown_ = true;
    tirra::guard([this] { FormShow(); });
  }
}

void TForm1::FormShow() {
  // Always at the top-left corner of the screen, whatever position it was built at.
  move(0, 0);
  for (int c = 0; c < 10; ++c) {
    thresholdBars[c] = widget<QSlider>(QString("trckThreshold%1").arg(c + 1));
    gainBars[c] = widget<QSlider>(QString("gain%1").arg(c + 1));
  }
  // Gain bars on blue, threshold bars on red.
  for (QSlider* g : gainBars) g->setStyleSheet("QSlider { background: rgb(0,0,255); }");
  for (QSlider* t : thresholdBars) t->setStyleSheet("QSlider { background: rgb(255,0,0); }");
}

void TForm1::closeEvent(QCloseEvent* e) {
  // The close is never refused.
  if (!closing_) {
    closing_ = true;
    FormCloseQuery();
  }
  e->accept();
}

void TForm1::FormCloseQuery() {
  setWindowTitle("Please wait");
  tirra::guardSilently([this] { stopKeyTasks(); });
  ExitClick();
}

void TForm1::ExitClick() {
  tirra::guardSilently([this] {
    ztBirdEngine1->StopEngine();
    // Play buttons of unlocked channels go off, as in the stopped arrangement.
    applyStoppedButtons();
  });
  engineRunning = false;
  // Saves that fail are dropped: the window closes all the same.
  tirra::guardSilently([this] {
    applyStoppedButtons();
    saveAllChannels();
    for (int c = 0; c < 10; ++c) saveChannelRow(c);
    // saveSession(s) for s = 0..19 joins here with the session storage.
  });
  Timer1->stop();
  QCoreApplication::exit(0);
}
