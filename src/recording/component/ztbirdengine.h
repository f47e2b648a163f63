#pragma once
// The recording component's engine: opens the sound devices the birds use, starts and
// stops every registered bird control, and runs the recording worker.
#include <QList>
#include <QWidget>
#include <memory>

class TztBird;

class TztBirdEngine : public QWidget {
  Q_OBJECT
 public:
  explicit TztBirdEngine(QWidget* parent = nullptr);
  ~TztBirdEngine() override;

  void addBird(TztBird* bird);
  const QList<TztBird*>& birds() const { return birds_; }

  // Starts every active bird (state with the active bit); the result is informative only
  // (0 started, 1 already running). A bird that cannot record says why in its input
  // description and on its view; with no sound device at all the engine still runs.
  long StartEngine();
  // Stops all birds and closes every open file properly (returns 0).
  long StopEngine();
  bool isRunning() const { return running_; }

  // A bird control going away (stops the engine first if it runs).
  void birdDestroyed(TztBird* bird);

 private:
  struct Running;
  QList<TztBird*> birds_;
  std::unique_ptr<Running> run_;
  bool running_ = false;
};
