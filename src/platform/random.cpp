#include "platform/random.h"

#include <chrono>
#include <random>

namespace tirra {

namespace {
std::mt19937_64& generator() {
  static std::mt19937_64 g(
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  return g;
}
}  // namespace

int randomBelow(int n) {
  if (n <= 0) return 0;
  std::uniform_int_distribution<int> d(0, n - 1);
  return d(generator());
}

void seedRandom(std::uint64_t seed) { generator().seed(seed); }

}  // namespace tirra
