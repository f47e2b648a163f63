// One main-timer tick's key reads: three DAQmxReadDigitalLines calls (ports 0, 1, 2)
// through the station's loader, on the stand-in card with a real state file and the
// call log off, as in a demo or training-rig run. A tick lasts 100 ms by default; the
// reads must take a vanishing part of it.
//
//   keylines_bench [--library=PATH] [benchmark options]
//
// The stand-in library is PATH, else TIRRA_DAQSIM_LIBRARY, else the one this benchmark
// was built beside (TIRRA_DAQSIM_BUILT_LIBRARY, when defined at build time).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "operant/daqmx.h"

using namespace tirra::daqmx;

namespace {

std::array<TaskHandle, 3> gTasks{};

void BM_ReadKeyLinesOneTick(benchmark::State& state) {
  std::array<std::array<uint8, 100>, 3> portLines{};
  int32 read = 0, bytesPerSample = 0;
  for (auto _ : state) {
    for (int port = 0; port < 3; ++port) {
      const int32 status = DAQmxReadDigitalLines(gTasks[port], 1, 10.0, kGroupByChannel,
                                                 portLines[port].data(), 100, &read,
                                                 &bytesPerSample, nullptr);
      if (status != 0) {
        state.SkipWithError("a read failed");
        return;
      }
    }
    benchmark::DoNotOptimize(portLines);
  }
  state.SetItemsProcessed(state.iterations() * 3);  // reads
}
BENCHMARK(BM_ReadKeyLinesOneTick);

// Takes --library=PATH out of the arguments; returns the library to use or "".
std::string chooseLibrary(int& argc, char** argv) {
  std::string chosen;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--library=", 10) == 0) {
      chosen = argv[i] + 10;
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  if (chosen.empty()) {
    const char* fromTests = std::getenv("TIRRA_DAQSIM_LIBRARY");
    if (fromTests && *fromTests) chosen = fromTests;
  }
#ifdef TIRRA_DAQSIM_BUILT_LIBRARY
  if (chosen.empty()) chosen = TIRRA_DAQSIM_BUILT_LIBRARY;
#endif
  return chosen;
}

// A state file of the benchmark's own, in the stand-in's format, with key 3 (port 0,
// line 4) pressed so the reads return a mix of levels.
bool makeStateFile(std::string& folder, std::string& path) {
  char pattern[] = "/tmp/keylines-bench-XXXXXX";
  if (!mkdtemp(pattern)) return false;
  folder = pattern;
  path = folder + "/lines.state";
  FILE* file = std::fopen(path.c_str(), "w");
  if (!file) return false;
  const bool written = std::fputs("11110111 11111111 11111111\n", file) >= 0;
  return std::fclose(file) == 0 && written;
}

bool setUpTasks() {
  for (auto& task : gTasks) {
    if (DAQmxCreateTask("", &task) != 0) return false;
  }
  for (int port = 0; port < 3; ++port) {
    const std::string lines = "Dev1/port" + std::to_string(port) + "/line0:7";
    if (DAQmxCreateDIChan(gTasks[port], lines.c_str(), "", kOneChannelForAllLines) != 0) return false;
    if (DAQmxStartTask(gTasks[port]) != 0) return false;
  }
  // The reads must see the state file, or the benchmark measures something else.
  std::array<uint8, 100> buffer{};
  int32 read = 0, bytesPerSample = 0;
  if (DAQmxReadDigitalLines(gTasks[0], 1, 10.0, kGroupByChannel, buffer.data(), 100, &read,
                            &bytesPerSample, nullptr) != 0) {
    return false;
  }
  return buffer[4] == 0 && buffer[3] == 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string library = chooseLibrary(argc, argv);
  if (library.empty()) {
    std::fprintf(stderr, "keylines_bench: name the stand-in library with --library=PATH "
                         "or TIRRA_DAQSIM_LIBRARY\n");
    return 2;
  }
  setenv("TIRRA_DAQMX_LIBRARY", library.c_str(), 1);
  unsetenv("TIRRA_DAQSIM_LOG");  // the station runs without the call log

  std::string folder, statePath;
  if (!makeStateFile(folder, statePath)) {
    std::fprintf(stderr, "keylines_bench: cannot write a state file under /tmp\n");
    return 1;
  }
  setenv("TIRRA_DAQSIM_STATE", statePath.c_str(), 1);

  int status = 1;
  if (!libraryLoaded()) {
    std::fprintf(stderr, "keylines_bench: %s\n", loadProblem().c_str());
  } else if (!setUpTasks()) {
    std::fprintf(stderr, "keylines_bench: the stand-in card did not set up and read as expected\n");
  } else {
    benchmark::Initialize(&argc, argv);
    if (!benchmark::ReportUnrecognizedArguments(argc, argv)) {
      benchmark::RunSpecifiedBenchmarks();
      benchmark::Shutdown();
      status = 0;
    }
    for (auto task : gTasks) DAQmxClearTask(task);
  }
  std::remove(statePath.c_str());
  rmdir(folder.c_str());
  return status;
}
