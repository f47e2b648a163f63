#pragma once
#include <cstdint>

// One training session of a channel: its daily window, trigger, quota, gap and list.
// Sessions 2c and 2c+1 belong to channel c.
struct SessionRecord {
  bool enabled = false;
  bool active = false;
  std::int32_t startHour = 0;
  std::int32_t startMinute = 0;
  std::int32_t endHour = 0;
  std::int32_t endMinute = 0;
  bool randomOnset = false;
  std::int32_t randomOnsetDelay = 0;
  std::int32_t playbackList = 0;  // 0 first list, 1 second ("a") list, 2 key 1 first / key 2 second
  bool quotaEnabled = false;
  std::int32_t quota = 0;
  std::int32_t songsPlayed = 0;
  float gap = 0;                  // seconds
  std::int32_t gapTimer = 0;      // ticks before the next playback may happen
  std::int32_t control = 0;       // 0 passive, 1 key 1, 2 key 2, 3 either key
  float odds = 0;                 // passive playbacks per second
};
