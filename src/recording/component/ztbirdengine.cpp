#include "recording/component/ztbirdengine.h"

#include "recording/component/ztbird.h"

TztBirdEngine::TztBirdEngine(QWidget* parent) : QWidget(parent) {}
TztBirdEngine::~TztBirdEngine() = default;

void TztBirdEngine::addBird(TztBird* bird) {
  if (!bird || birds_.contains(bird)) return;
  birds_.append(bird);
  bird->engine_ = this;
}

long TztBirdEngine::StartEngine() {
  running_ = true;
  return 0;
}

long TztBirdEngine::StopEngine() {
  running_ = false;
  return 0;
}
