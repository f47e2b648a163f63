#pragma once
// Statuses the stand-in card returns. Zero is success; every error is negative, like the
// card's own library, so the station treats both alike. The numbers are the stand-in's
// own; the call log names the reason next to each error.
#include <cstdint>

namespace tirra::daqsim {

inline constexpr std::int32_t kOk = 0;
// A required pointer is null, or a value the stand-in does not simulate (line grouping
// other than one channel for all lines, more than one sample per read).
inline constexpr std::int32_t kBadArgument = -201001;
// The lines string is not "Dev<N>/port<P>/line0:7" with P in 0..2, or the task already
// holds its channel.
inline constexpr std::int32_t kBadLines = -201002;
// The handle is null, was never created here, or was cleared.
inline constexpr std::int32_t kUnknownTask = -201003;
// Read on a task that is not started.
inline constexpr std::int32_t kTaskNotRunning = -201004;
// Start on a task without a channel.
inline constexpr std::int32_t kNoChannel = -201005;
// The read array is smaller than the eight bytes of one port.
inline constexpr std::int32_t kBufferTooSmall = -201006;
// The state file cannot be read or is damaged.
inline constexpr std::int32_t kStateUnreadable = -201007;

}  // namespace tirra::daqsim
