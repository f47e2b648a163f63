// Makes each of the six calls once through the loader, as the station would on a
// machine whose library is whatever TIRRA_DAQMX_LIBRARY names, and prints what happened:
//   loaded 0|1
//   path <file tried>
//   problem <why it is not used>
//   <function> <status> [<what it wrote>]
// A fresh process per run, because the loader loads once per process.
#include <cstdio>

#include "operant/daqmx.h"

using namespace tirra::daqmx;

namespace {

constexpr uint8 kUntouched = 0xAA;
constexpr int32 kUntouchedCount = -7;

const char* touched(bool changed) { return changed ? "written" : "untouched"; }

}  // namespace

int main() {
  // The first call loads the library; libraryLoaded() comes after, so it cannot hide a
  // load made by the call itself.
  void* const sentinel = reinterpret_cast<void*>(0x5eed);
  TaskHandle task = sentinel;
  const int32 created = DAQmxCreateTask("", &task);
  std::printf("loaded %d\npath %s\nproblem %s\n", libraryLoaded() ? 1 : 0, libraryPath().c_str(),
              loadProblem().c_str());
  std::printf("DAQmxCreateTask %d handle %s\n", created, touched(task != sentinel));
  std::printf("DAQmxCreateDIChan %d\n", DAQmxCreateDIChan(task, "Dev1/port0/line0:7", "", 1));
  std::printf("DAQmxStartTask %d\n", DAQmxStartTask(task));

  uint8 buffer[100];
  for (auto& b : buffer) b = kUntouched;
  int32 read = kUntouchedCount, bytesPerSample = kUntouchedCount;
  const int32 status = DAQmxReadDigitalLines(task, 1, 10.0, kGroupByChannel, buffer, sizeof buffer,
                                             &read, &bytesPerSample, nullptr);
  bool bufferChanged = false;
  for (auto b : buffer) bufferChanged = bufferChanged || b != kUntouched;
  std::printf("DAQmxReadDigitalLines %d buffer %s counts %s\n", status, touched(bufferChanged),
              touched(read != kUntouchedCount || bytesPerSample != kUntouchedCount));
  std::printf("DAQmxStopTask %d\n", DAQmxStopTask(task));
  std::printf("DAQmxClearTask %d\n", DAQmxClearTask(task));
  return 0;
}
