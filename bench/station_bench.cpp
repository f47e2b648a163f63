// Start-up and main-timer costs of the station against the private server:
//  - start-up to "Please wait" hidden, on an empty database (tables created) and on one
//    that has its tables already;
//  - one tick of the main timer with no engine running.
//  - one tick's key reads and detector display with the stand-in card.
// Run through scripts/bench.sh, which starts the server.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <benchmark/benchmark.h>
#include <memory>

#include "platform/errorguard.h"
#include "platform/prompts.h"
#include "shell/tform1.h"
#include "support/buildenv.h"
#include "support/stationhome.h"
#include "support/testdb.h"

namespace {

// Builds the window and runs its first tick; the station is ready when this returns.
std::unique_ptr<TForm1> startStation() {
  auto form = std::make_unique<TForm1>();
  form->Timer1->stop();
  form->show();
  tirra::guard([&] { form->Timer1Timer(); });
  if (form->wait->isVisible()) throw std::runtime_error("the start-up did not finish");
  return form;
}

void BM_StartUpOnEmptyDatabase(benchmark::State& state) {
  tirra::ScopedScriptedPrompts quiet;
  for (auto _ : state) {
    state.PauseTiming();
    auto db = std::make_unique<tirra::test::FreshDatabase>();
    auto home = std::make_unique<tirra::test::StationHome>();
    home->writeProperties(db->name());
    state.ResumeTiming();
    auto form = startStation();
    state.PauseTiming();
    form.reset();
    home.reset();
    db.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpOnEmptyDatabase)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_StartUpOnExistingDatabase(benchmark::State& state) {
  tirra::ScopedScriptedPrompts quiet;
  tirra::test::FreshDatabase db;
  tirra::test::StationHome home;
  home.writeProperties(db.name());
  startStation();  // creates the tables once
  for (auto _ : state) {
    auto form = startStation();
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpOnExistingDatabase)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_MainTimerTickWithoutEngine(benchmark::State& state) {
  tirra::ScopedScriptedPrompts quiet;
  tirra::test::FreshDatabase db;
  tirra::test::StationHome home;
  home.writeProperties(db.name());
  auto form = startStation();
  for (auto _ : state) form->Timer1Timer();
}
BENCHMARK(BM_MainTimerTickWithoutEngine)->Unit(benchmark::kMicrosecond);

// One tick's key work with the stand-in card: three port reads and the 20 detector shapes.
void BM_KeyReadAndDetectorsPerTick(benchmark::State& state) {
  tirra::ScopedScriptedPrompts quiet;
  tirra::test::FreshDatabase db;
  tirra::test::StationHome home;
  home.writeProperties(db.name());
  auto form = startStation();
  form->NIcard_exists->setChecked(true);
  for (auto _ : state) {
    form->readKeyLines();
    form->showDetectorStates();
  }
}
BENCHMARK(BM_KeyReadAndDetectorsPerTick)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  tirra::test::applyBuildEnvironment();
  // Keys through the stand-in card, with its own state file.
  qputenv("TIRRA_DAQMX_LIBRARY", qgetenv("TIRRA_DAQSIM_LIBRARY"));
  qputenv("TIRRA_DAQSIM_STATE", "/tmp/tirra-bench-keys.state");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
