#pragma once

// The colour of a key shape; it is also the memory of the let-go rule.
enum class KeyColour { yellow, red, blue };

// One operant key: the port and line its switch is read from, a second (effector) pair
// stored with it, and what the last session tick made of it.
struct KeyInput {
  int port = 0;
  int line = 0;
  int effectorPort = 0;
  int effectorLine = 0;
  bool pecked = false;
  KeyColour colour = KeyColour::yellow;
};
