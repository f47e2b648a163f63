// The stand-in card: the six digital-input functions of the card maker's library, with
// their C names, over a simulated card of three ports (0, 1, 2) of eight input lines.
// The line levels live in the shared state file (linestate.h), which tirra-keys changes;
// every read takes them from the file as it is at that moment.
//
// A task handle points to a task object of this library. Handles are checked against the
// tasks this process created, so a null, foreign or cleared handle is refused with an
// error status instead of being followed. Cleared tasks are kept (marked cleared) so a
// new task never reuses the address of a cleared one.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_set>

#include "calllog.h"
#include "linestate.h"
#include "status.h"

#define DAQSIM_EXPORT extern "C" __attribute__((visibility("default")))

namespace tirra::daqsim {
namespace {

enum class TaskState { Created, Configured, Running, Cleared };

struct Task {
  int number = 0;  // creation order in this process, from 1; shown in the call log
  std::string name;
  TaskState state = TaskState::Created;
  int port = -1;  // the port of its channel, once it has one
};

struct Card {
  std::mutex mutex;          // the station calls from one thread; tools may not
  std::deque<Task> tasks;    // stable addresses: a handle is &tasks[i]
  std::unordered_set<const void*> handles;
};

Card& card() {
  static Card instance;
  return instance;
}

// The task behind a handle, or null when the handle is not a live task of this card.
Task* liveTask(Card& c, void* handle) {
  if (!handle || !c.handles.count(handle)) return nullptr;
  Task* task = static_cast<Task*>(handle);
  return task->state == TaskState::Cleared ? nullptr : task;
}

std::string taskLabel(Card& c, void* handle) {
  if (!handle) return "task 0";
  if (!c.handles.count(handle)) return "task ?";
  return "task " + std::to_string(static_cast<Task*>(handle)->number);
}

// Records the call when logging is on and returns its status.
std::int32_t finish(const std::string& call, std::int32_t status, const char* reason,
                    const std::string& extra = {}) {
  if (!callLogEnabled()) return status;
  std::string line = call + " = " + std::to_string(status);
  if (status != kOk && reason) line += std::string(" (") + reason + ")";
  line += extra;
  appendCallLog(line);
  return status;
}

// Accepts "Dev<N>/port<P>/line0:7": N a positive decimal without leading zeros (every
// device number reaches the one simulated card), P in 0..2. Returns P, or -1.
int portOfLines(const char* lines) {
  if (!lines || std::strncmp(lines, "Dev", 3) != 0) return -1;
  const char* p = lines + 3;
  if (*p < '1' || *p > '9') return -1;
  int digits = 0;
  while (*p >= '0' && *p <= '9') {
    ++p;
    if (++digits > 9) return -1;
  }
  if (std::strncmp(p, "/port", 5) != 0) return -1;
  p += 5;
  if (*p < '0' || *p >= '0' + kPorts) return -1;
  const int port = *p - '0';
  ++p;
  return std::strcmp(p, "/line0:7") == 0 ? port : -1;
}

std::string taskCall(const char* function, Card& c, void* handle) {
  return std::string(function) + "(" + taskLabel(c, handle) + ")";
}

}  // namespace
}  // namespace tirra::daqsim

using namespace tirra::daqsim;

DAQSIM_EXPORT std::int32_t DAQmxCreateTask(const char* name, void** taskOut) {
  Card& c = card();
  std::lock_guard lock(c.mutex);
  const auto call = [&](const std::string& result) {
    return "DAQmxCreateTask(" + quoted(name) + ", " + pointer(taskOut) + ")" + result;
  };
  if (!taskOut) return finish(call(""), kBadArgument, "no place for the handle");
  Task& task = c.tasks.emplace_back();
  task.number = static_cast<int>(c.tasks.size());
  task.name = name ? name : "";
  c.handles.insert(&task);
  *taskOut = &task;
  return finish(call(""), kOk, nullptr, " -> task " + std::to_string(task.number));
}

DAQSIM_EXPORT std::int32_t DAQmxCreateDIChan(void* handle, const char* lines,
                                             const char* nameToAssign, std::int32_t lineGrouping) {
  Card& c = card();
  std::lock_guard lock(c.mutex);
  std::string call;
  if (callLogEnabled()) {
    call = "DAQmxCreateDIChan(" + taskLabel(c, handle) + ", " + quoted(lines) + ", " +
           quoted(nameToAssign) + ", " + std::to_string(lineGrouping) + ")";
  }
  Task* task = liveTask(c, handle);
  if (!task) return finish(call, kUnknownTask, "unknown task");
  if (lineGrouping != 1) {
    return finish(call, kBadArgument, "only one channel for all lines is simulated");
  }
  const int port = portOfLines(lines);
  if (port < 0) return finish(call, kBadLines, "lines must read Dev<N>/port<0..2>/line0:7");
  if (task->state != TaskState::Created) {
    return finish(call, kBadLines, "the task already has its channel");
  }
  task->port = port;
  task->state = TaskState::Configured;
  return finish(call, kOk, nullptr);
}

DAQSIM_EXPORT std::int32_t DAQmxStartTask(void* handle) {
  Card& c = card();
  std::lock_guard lock(c.mutex);
  const std::string call = callLogEnabled() ? taskCall("DAQmxStartTask", c, handle) : "";
  Task* task = liveTask(c, handle);
  if (!task) return finish(call, kUnknownTask, "unknown task");
  if (task->state == TaskState::Created) return finish(call, kNoChannel, "the task has no channel");
  task->state = TaskState::Running;
  return finish(call, kOk, nullptr);
}

DAQSIM_EXPORT std::int32_t DAQmxStopTask(void* handle) {
  Card& c = card();
  std::lock_guard lock(c.mutex);
  const std::string call = callLogEnabled() ? taskCall("DAQmxStopTask", c, handle) : "";
  Task* task = liveTask(c, handle);
  if (!task) return finish(call, kUnknownTask, "unknown task");
  if (task->state == TaskState::Running) task->state = TaskState::Configured;
  return finish(call, kOk, nullptr);
}

DAQSIM_EXPORT std::int32_t DAQmxClearTask(void* handle) {
  Card& c = card();
  std::lock_guard lock(c.mutex);
  const std::string call = callLogEnabled() ? taskCall("DAQmxClearTask", c, handle) : "";
  Task* task = liveTask(c, handle);
  if (!task) return finish(call, kUnknownTask, "unknown task");
  task->state = TaskState::Cleared;
  return finish(call, kOk, nullptr);
}

DAQSIM_EXPORT std::int32_t DAQmxReadDigitalLines(void* handle, std::int32_t numSampsPerChan,
                                                 double timeout, std::int32_t fillMode,
                                                 std::uint8_t* readArray,
                                                 std::uint32_t arraySizeInBytes,
                                                 std::int32_t* sampsPerChanRead,
                                                 std::int32_t* numBytesPerSamp,
                                                 std::uint32_t* reserved) {
  Card& c = card();
  std::lock_guard lock(c.mutex);
  std::string call;
  if (callLogEnabled()) {
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, ", %d, %g, %d, ", static_cast<int>(numSampsPerChan),
                  timeout, static_cast<int>(fillMode));
    call = "DAQmxReadDigitalLines(" + taskLabel(c, handle) + numbers + pointer(readArray) +
           ", " + std::to_string(arraySizeInBytes) + ", " + pointer(sampsPerChanRead) + ", " +
           pointer(numBytesPerSamp) + ", " + pointer(reserved) + ")";
  }
  Task* task = liveTask(c, handle);
  if (!task) return finish(call, kUnknownTask, "unknown task");
  if (task->state != TaskState::Running) return finish(call, kTaskNotRunning, "task not started");
  if (!readArray) return finish(call, kBadArgument, "no read array");
  if (numSampsPerChan != 1) return finish(call, kBadArgument, "one sample per read is simulated");
  if (arraySizeInBytes < static_cast<std::uint32_t>(kLinesPerPort)) {
    return finish(call, kBufferTooSmall, "the read array holds fewer than 8 bytes");
  }
  // One channel and one sample: grouped by channel and grouped by scan lay the bytes out
  // alike, so fillMode needs no case of its own.
  LineLevels levels;
  if (!readLevels(stateFilePath(), levels)) {
    return finish(call, kStateUnreadable, "the state file cannot be read or is damaged");
  }
  for (int line = 0; line < kLinesPerPort; ++line) readArray[line] = levels.at(task->port, line);
  if (sampsPerChanRead) *sampsPerChanRead = 1;
  if (numBytesPerSamp) *numBytesPerSamp = 1;
  std::string extra;
  if (callLogEnabled()) {
    extra = " -> ";
    for (int line = 0; line < kLinesPerPort; ++line) extra += readArray[line] ? '1' : '0';
  }
  return finish(call, kOk, nullptr, extra);
}
