#pragma once
// Waiting for what another thread or process brings about, the event loop running
// meanwhile (queued notifications arrive), never for a fixed duration.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <functional>

namespace tirra::test {

// True once done() holds; false after ms milliseconds without it.
inline bool waitFor(const std::function<bool()>& done, int ms = 20000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  return true;
}

}  // namespace tirra::test
