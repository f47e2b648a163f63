#pragma once
// A station under test: its own home folder (drive c), a fresh database on the private
// server, scripted prompts, a fixed clock, and the main window built as the program
// builds it. The main timer is stopped; tests tick it by hand.
#include <QDateTime>
#include <memory>

#include "platform/prompts.h"
#include "records/animals_form.h"
#include "shell/tform1.h"
#include "support/stationhome.h"
#include "support/testdb.h"

namespace tirra::test {

class Station {
 public:
  // Writes db.properties for the fresh database (or with the given password) and builds
  // the window; show() runs what showing the window runs.
  explicit Station(const QDateTime& now = QDateTime(QDate(2026, 3, 2), QTime(10, 0, 0)),
                   const QString& password = QStringLiteral("tirra"));
  ~Station();

  TForm1& form() { return *form_; }
  FreshDatabase& db() { return db_; }
  ScriptedPrompts& prompts() { return prompts_; }
  StationHome& home() { return home_; }

  // One tick of the main timer, inside the same guard the real timer uses.
  void tick(int times = 1);
  // Shows the window and runs the first tick (the start-up sequence).
  void start();

 private:
  StationHome home_;
  FreshDatabase db_;
  ScopedScriptedPrompts prompts_;
  std::unique_ptr<TForm1> form_;
  std::unique_ptr<Tanimals_form> animals_;
};

// A further station started as the program starts it, on the properties that drive c
// holds now (e.g. a second start on a test's database): built, shown, first tick run.
std::unique_ptr<TForm1> startStationHere();

}  // namespace tirra::test
