#include "operant/daqmx.h"

#include <dlfcn.h>

#include <cstdlib>
#include <mutex>

namespace tirra::daqmx {
namespace {

// The six entry points with the library's C calling convention.
using CreateTaskFn = int32 (*)(const char*, TaskHandle*);
using CreateDIChanFn = int32 (*)(TaskHandle, const char*, const char*, int32);
using TaskFn = int32 (*)(TaskHandle);
using ReadDigitalLinesFn = int32 (*)(TaskHandle, int32, double, int32, uint8*, uint32,
                                     int32*, int32*, uint32*);

struct Library {
  std::string path;
  std::string problem;
  void* handle = nullptr;
  CreateTaskFn createTask = nullptr;
  CreateDIChanFn createDIChan = nullptr;
  TaskFn startTask = nullptr;
  TaskFn stopTask = nullptr;
  TaskFn clearTask = nullptr;
  ReadDigitalLinesFn readDigitalLines = nullptr;

  bool loaded() const { return handle != nullptr; }
};

template <typename Fn>
bool lookUp(Library& lib, const char* symbol, Fn& fn) {
  fn = reinterpret_cast<Fn>(dlsym(lib.handle, symbol));
  if (fn) return true;
  if (lib.problem.empty()) lib.problem = lib.path + " has no function " + symbol;
  return false;
}

void load(Library& lib) {
  const char* chosen = std::getenv("TIRRA_DAQMX_LIBRARY");
  lib.path = (chosen && *chosen) ? chosen : kDefaultLibrary;
  // RTLD_LOCAL keeps the card library's symbols out of the station's namespace.
  lib.handle = dlopen(lib.path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!lib.handle) {
    const char* why = dlerror();
    lib.problem = why ? why : "cannot load " + lib.path;
    return;
  }
  // A library missing any of the six is not driven half-way: treat it as absent.
  bool complete = lookUp(lib, "DAQmxCreateTask", lib.createTask);
  complete = lookUp(lib, "DAQmxCreateDIChan", lib.createDIChan) && complete;
  complete = lookUp(lib, "DAQmxStartTask", lib.startTask) && complete;
  complete = lookUp(lib, "DAQmxStopTask", lib.stopTask) && complete;
  complete = lookUp(lib, "DAQmxClearTask", lib.clearTask) && complete;
  complete = lookUp(lib, "DAQmxReadDigitalLines", lib.readDigitalLines) && complete;
  if (!complete) {
    dlclose(lib.handle);
    lib.handle = nullptr;
  }
}

// Loaded once per process, on first use, whichever call comes first.
const Library& library() {
  static Library lib;
  static std::once_flag once;
  std::call_once(once, [] { load(lib); });
  return lib;
}

}  // namespace

int32 DAQmxCreateTask(const char* name, TaskHandle* task) {
  const Library& lib = library();
  return lib.loaded() ? lib.createTask(name, task) : kLibraryMissing;
}

int32 DAQmxCreateDIChan(TaskHandle task, const char* lines, const char* nameToAssign,
                        int32 lineGrouping) {
  const Library& lib = library();
  return lib.loaded() ? lib.createDIChan(task, lines, nameToAssign, lineGrouping)
                      : kLibraryMissing;
}

int32 DAQmxStartTask(TaskHandle task) {
  const Library& lib = library();
  return lib.loaded() ? lib.startTask(task) : kLibraryMissing;
}

int32 DAQmxStopTask(TaskHandle task) {
  const Library& lib = library();
  return lib.loaded() ? lib.stopTask(task) : kLibraryMissing;
}

int32 DAQmxClearTask(TaskHandle task) {
  const Library& lib = library();
  return lib.loaded() ? lib.clearTask(task) : kLibraryMissing;
}

int32 DAQmxReadDigitalLines(TaskHandle task, int32 numSampsPerChan, double timeout,
                            int32 fillMode, uint8* readArray, uint32 arraySizeInBytes,
                            int32* sampsPerChanRead, int32* numBytesPerSamp,
                            uint32* reserved) {
  const Library& lib = library();
  return lib.loaded() ? lib.readDigitalLines(task, numSampsPerChan, timeout, fillMode,
                                             readArray, arraySizeInBytes, sampsPerChanRead,
                                             numBytesPerSamp, reserved)
                      : kLibraryMissing;
}

bool libraryLoaded() { return library().loaded(); }

std::string libraryPath() { return library().path; }

std::string loadProblem() { return library().problem; }

}  // namespace tirra::daqmx
