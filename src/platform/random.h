#pragma once
#include <cstdint>

namespace tirra {

// A pseudo-random integer in 0..n-1; 0 for n <= 0. One generator for the whole station.
int randomBelow(int n);
// Reseeds the generator (tests make draws repeatable with it).
void seedRandom(std::uint64_t seed);

}  // namespace tirra
