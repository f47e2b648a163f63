// A card library that lacks one of the six functions (DAQmxClearTask). The others
// succeed and write into every buffer they are given, so a loader that used this
// library anyway would be caught by what they wrote.
#include <cstdint>
#include <cstring>

#define PARTIAL_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
int dummyTask;
}

PARTIAL_EXPORT std::int32_t DAQmxCreateTask(const char*, void** task) {
  *task = &dummyTask;
  return 0;
}
PARTIAL_EXPORT std::int32_t DAQmxCreateDIChan(void*, const char*, const char*, std::int32_t) { return 0; }
PARTIAL_EXPORT std::int32_t DAQmxStartTask(void*) { return 0; }
PARTIAL_EXPORT std::int32_t DAQmxStopTask(void*) { return 0; }
PARTIAL_EXPORT std::int32_t DAQmxReadDigitalLines(void*, std::int32_t, double, std::int32_t,
                                                  std::uint8_t* array, std::uint32_t size,
                                                  std::int32_t* read, std::int32_t* bytes,
                                                  std::uint32_t*) {
  std::memset(array, 0, size);
  *read = 1;
  *bytes = 1;
  return 0;
}
