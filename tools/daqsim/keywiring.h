#pragma once
// Where tirra-keys finds a key when it is given by number: the wiring of a freshly created
// key table. Key K as the station shows it ("detector K", K = 1..20, key index k = K - 1)
// is read from port 0, line 2k mod 8. Several keys therefore share a line (keys 1, 5, 9,
// 13 and 17 all read port 0, line 0). A station wired otherwise is driven with
// --port/--line instead.
namespace tirra::daqsim {

inline constexpr int kKeys = 20;

struct PortLine {
  int port;
  int line;
};

constexpr PortLine freshWiring(int keyNumber) {
  return {0, (2 * (keyNumber - 1)) % 8};
}

}  // namespace tirra::daqsim
