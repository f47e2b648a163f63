#pragma once
// The station's door to the digital I/O card that the birds' keys are wired to.
//
// The card maker's C library offers six functions for digital input; the station calls
// exactly these, by these names. The library is loaded with dlopen the first time any of
// them is called, from the file named by TIRRA_DAQMX_LIBRARY or, when that variable is
// unset or empty, from the card maker's Linux library (kDefaultLibrary). Tests, demos and
// training rigs point the variable at the stand-in card of tools/daqsim.
//
// Without a usable library (missing file, not a library, or lacking one of the six
// functions) every call returns kLibraryMissing and does nothing: it writes nothing into
// the caller's handles or buffers. The station ignores the statuses, so it runs the same
// with or without the card.
//
// Plain C++ with no Qt, so tools and benchmarks can use it alone.
#include <cstdint>
#include <string>

namespace tirra::daqmx {

using int32 = std::int32_t;
using uint32 = std::uint32_t;
using uint8 = std::uint8_t;
// An opaque, pointer-sized task handle, owned by the library.
using TaskHandle = void*;

// The file loaded when TIRRA_DAQMX_LIBRARY is not set.
inline constexpr const char* kDefaultLibrary = "libnidaqmx.so";

// Status returned by every call when no usable library could be loaded. Statuses below
// zero are errors, zero is success.
inline constexpr int32 kLibraryMissing = -209901;

// Line grouping for DAQmxCreateDIChan: one virtual channel holding all the lines named.
inline constexpr int32 kOneChannelForAllLines = 1;
// Fill mode for DAQmxReadDigitalLines: samples grouped by channel.
inline constexpr int32 kGroupByChannel = 0;

int32 DAQmxCreateTask(const char* name, TaskHandle* task);
int32 DAQmxCreateDIChan(TaskHandle task, const char* lines, const char* nameToAssign,
                        int32 lineGrouping);
int32 DAQmxStartTask(TaskHandle task);
int32 DAQmxStopTask(TaskHandle task);
int32 DAQmxClearTask(TaskHandle task);
// fillMode is a 32-bit boolean in the library's calling convention; reserved must be null.
int32 DAQmxReadDigitalLines(TaskHandle task, int32 numSampsPerChan, double timeout,
                            int32 fillMode, uint8* readArray, uint32 arraySizeInBytes,
                            int32* sampsPerChanRead, int32* numBytesPerSamp,
                            uint32* reserved);

// Loads the library now if no call has done it yet; true when all six functions were
// found. The library is loaded at most once per process.
bool libraryLoaded();

// The file the loader uses or tried, and why it could not use it (empty when the
// library is loaded). Both load the library first, like any call. For diagnostics.
std::string libraryPath();
std::string loadProblem();

}  // namespace tirra::daqmx
