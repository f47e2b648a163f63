#pragma once
// The recording component's engine: starts and stops every registered bird control.
#include <QList>
#include <QWidget>

class TztBird;

class TztBirdEngine : public QWidget {
  Q_OBJECT
 public:
  explicit TztBirdEngine(QWidget* parent = nullptr);
  ~TztBirdEngine() override;

  void addBird(TztBird* bird);
  const QList<TztBird*>& birds() const { return birds_; }

  // Starts every active bird (state with the active bit); the result is informative only.
  long StartEngine();
  // Stops all birds and closes every open file properly.
  long StopEngine();
  bool isRunning() const { return running_; }

 private:
  QList<TztBird*> birds_;
  bool running_ = false;
};
