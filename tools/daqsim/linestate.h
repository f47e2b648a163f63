#pragma once
// The stand-in card's line levels, kept in a small file that every process using the
// card shares: the station (through the stand-in library) reads it, tirra-keys changes it.
//
// File format: the 24 levels as '0' (pressed, line pulled low) or '1' (released), port 0
// first, line 0 first within a port, one group of eight per port:
//     11111111 11111111 11111111
// A missing or empty file means every line is released. Writers replace the file in one
// rename, so a reader never sees half a file; writers take a lock file beside it so two
// changes made at once both survive.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace tirra::daqsim {

inline constexpr int kPorts = 3;
inline constexpr int kLinesPerPort = 8;
inline constexpr std::uint8_t kPressed = 0;
inline constexpr std::uint8_t kReleased = 1;

struct LineLevels {
  std::array<std::uint8_t, kPorts * kLinesPerPort> level;

  static LineLevels allReleased();
  std::uint8_t at(int port, int line) const { return level[port * kLinesPerPort + line]; }
  void set(int port, int line, std::uint8_t value) { level[port * kLinesPerPort + line] = value; }
  std::string text() const;  // the file's content, newline included
};

// The state file: TIRRA_DAQSIM_STATE, or /tmp/tirra-daqsim-<uid>.state when unset/empty.
// Returns a pointer to the variable's text or to a string computed once; no allocation
// after the first call.
const char* stateFilePath();

// Reads the levels. False when the file exists but cannot be read or is damaged; problem
// (if given) then says why. Allocates nothing on success.
bool readLevels(const char* path, LineLevels& levels, std::string* problem = nullptr);

// Under the lock: reads the current levels, lets change edit them, and replaces the file.
// False with problem set when the file is damaged or cannot be written; nothing changes.
bool updateLevels(const char* path, const std::function<void(LineLevels&)>& change,
                  std::string& problem);

// Replaces the file by the given levels (under the lock), whatever it held before.
bool writeLevels(const char* path, const LineLevels& levels, std::string& problem);

}  // namespace tirra::daqsim
