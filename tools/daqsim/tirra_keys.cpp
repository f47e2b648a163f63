// tirra-keys: presses and releases the keys of the stand-in card, for tests, demos and
// training rigs. It changes the shared state file that the stand-in library reads on
// every read, so a running station sees the change on its next tick.
#include <signal.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "keywiring.h"
#include "linestate.h"

using namespace tirra::daqsim;

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

const char* const kUsage =
    "usage: tirra-keys press K | release K | hold K SECONDS\n"
    "       tirra-keys press|release --port P --line L\n"
    "       tirra-keys hold --port P --line L SECONDS\n"
    "       tirra-keys show | all-released | --help\n"
    "\n"
    "Presses and releases the keys of the stand-in digital I/O card.\n"
    "  press     pull the key's line low (pressed) until released\n"
    "  release   let the key's line go high (released)\n"
    "  hold      press, wait SECONDS (decimals allowed), release\n"
    "  show      print the 24 line levels and the state of keys 1..20\n"
    "  all-released  release every line (also repairs a damaged state file)\n"
    "\n"
    "K is the key as the station shows it, 1..20 (\"detector 1\" .. \"detector 20\").\n"
    "Key K is taken to be wired as in a freshly created key table: port 0,\n"
    "line 2(K-1) mod 8, so keys 1, 5, 9, 13 and 17 share line 0, and so on.\n"
    "For a station wired otherwise name the line itself with --port P (0..2)\n"
    "and --line L (0..7).\n"
    "\n"
    "The levels live in the file named by TIRRA_DAQSIM_STATE\n"
    "(default /tmp/tirra-daqsim-<uid>.state), shared with the stand-in library.\n"
    "Exit status: 0 done, 1 the state file could not be read or written,\n"
    "2 bad arguments.\n";

int usageError(const std::string& message) {
  std::fprintf(stderr, "tirra-keys: %s\n\n%s", message.c_str(), kUsage);
  return kExitUsage;
}

// A whole decimal number in [low, high], digits only.
std::optional<int> wholeNumber(const std::string& text, int low, int high) {
  if (text.empty() || text.size() > 6) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::optional<double> seconds(const std::string& text) {
  if (text.empty() || text[0] == '-' || text[0] == '+') return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text.c_str(), &end);
  if (errno != 0 || *end != '\0' || !std::isfinite(value) || value < 0) return std::nullopt;
  return value;
}

// The line a command acts on, and how to name it to the user.
struct Target {
  PortLine where;
  std::string label;
};

std::string describe(const Target& target) {
  const std::string where = "port " + std::to_string(target.where.port) + ", line " +
                            std::to_string(target.where.line);
  return target.label.empty() ? where : target.label + " (" + where + ")";
}

bool setLevel(const Target& target, std::uint8_t level) {
  std::string problem;
  const bool ok = updateLevels(
      stateFilePath(), [&](LineLevels& levels) { levels.set(target.where.port, target.where.line, level); },
      problem);
  if (!ok) {
    std::fprintf(stderr, "tirra-keys: %s\n", problem.c_str());
    return false;
  }
  std::printf("%s %s\n", describe(target).c_str(), level == kPressed ? "pressed" : "released");
  std::fflush(stdout);
  return true;
}

// Waits the given time; an interrupt or termination ends the wait early, so a held key
// is still released when the user stops the command.
void waitOrInterrupt(double duration) {
  sigset_t stops;
  sigemptyset(&stops);
  sigaddset(&stops, SIGINT);
  sigaddset(&stops, SIGTERM);
  sigaddset(&stops, SIGHUP);
  sigprocmask(SIG_BLOCK, &stops, nullptr);
  timespec deadline{};
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  const double whole = std::floor(duration);
  deadline.tv_sec += static_cast<time_t>(whole);
  deadline.tv_nsec += static_cast<long>((duration - whole) * 1e9);
  if (deadline.tv_nsec >= 1000000000L) {
    deadline.tv_sec += 1;
    deadline.tv_nsec -= 1000000000L;
  }
  for (;;) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    timespec left{deadline.tv_sec - now.tv_sec, deadline.tv_nsec - now.tv_nsec};
    if (left.tv_nsec < 0) {
      left.tv_sec -= 1;
      left.tv_nsec += 1000000000L;
    }
    if (left.tv_sec < 0) return;
    if (sigtimedwait(&stops, nullptr, &left) >= 0) return;  // stopped by the user
    if (errno == EAGAIN) return;                            // the time is up
  }
}

int show() {
  const char* path = stateFilePath();
  LineLevels levels;
  std::string problem;
  if (!readLevels(path, levels, &problem)) {
    std::fprintf(stderr, "tirra-keys: %s\n", problem.c_str());
    return kExitFailed;
  }
  std::printf("Line levels (0 = pressed, 1 = released) in %s\n", path);
  std::printf("          line 0 1 2 3 4 5 6 7\n");
  for (int port = 0; port < kPorts; ++port) {
    std::printf("  port %d      ", port);
    for (int line = 0; line < kLinesPerPort; ++line) {
      std::printf(" %d", levels.at(port, line) == kPressed ? 0 : 1);
    }
    std::printf("\n");
  }
  std::printf("Keys, wired as in a fresh key table (key K: port 0, line 2(K-1) mod 8)\n");
  for (int key = 1; key <= kKeys; ++key) {
    const PortLine where = freshWiring(key);
    std::printf("  key %-2d  port %d line %d  %s\n", key, where.port, where.line,
                levels.at(where.port, where.line) == kPressed ? "pressed" : "released");
  }
  return kExitOk;
}

int allReleased() {
  std::string problem;
  if (!writeLevels(stateFilePath(), LineLevels::allReleased(), problem)) {
    std::fprintf(stderr, "tirra-keys: %s\n", problem.c_str());
    return kExitFailed;
  }
  std::printf("all lines released\n");
  return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return usageError("no command given");
  const std::string command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    std::printf("%s", kUsage);
    return kExitOk;
  }

  // Split the rest into --port/--line values and plain arguments.
  std::optional<std::string> portText, lineText;
  std::vector<std::string> plain;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--port" || args[i] == "--line") {
      if (i + 1 == args.size()) return usageError(args[i] + " needs a value");
      auto& slot = args[i] == "--port" ? portText : lineText;
      if (slot) return usageError(args[i] + " given twice");
      slot = args[++i];
    } else if (args[i].size() > 1 && args[i][0] == '-' && !std::isdigit(static_cast<unsigned char>(args[i][1]))) {
      return usageError("unknown option " + args[i]);
    } else {
      plain.push_back(args[i]);
    }
  }
  const bool byLine = portText || lineText;

  if (command == "show" || command == "all-released") {
    if (byLine || !plain.empty()) return usageError(command + " takes no arguments");
    return command == "show" ? show() : allReleased();
  }
  if (command != "press" && command != "release" && command != "hold") {
    return usageError("unknown command '" + command + "'");
  }

  // press/release take the key (or --port/--line); hold also the seconds, last.
  const std::size_t wantPlain = (byLine ? 0 : 1) + (command == "hold" ? 1 : 0);
  if (plain.size() != wantPlain) {
    if (byLine && !plain.empty() && command != "hold") {
      return usageError("give either a key number or --port and --line, not both");
    }
    return usageError(command == "hold" ? "hold needs a key (or --port and --line) and SECONDS"
                                        : command + " needs a key (or --port and --line)");
  }
  Target target;  // a key by number carries its label; a bare line has none
  if (byLine) {
    if (!portText || !lineText) return usageError("--port and --line go together");
    const auto port = wholeNumber(*portText, 0, kPorts - 1);
    if (!port) return usageError("port must be 0, 1 or 2, not '" + *portText + "'");
    const auto line = wholeNumber(*lineText, 0, kLinesPerPort - 1);
    if (!line) return usageError("line must be 0..7, not '" + *lineText + "'");
    target = {{*port, *line}, ""};
  } else {
    const auto key = wholeNumber(plain[0], 1, kKeys);
    if (!key) return usageError("key must be 1..20, not '" + plain[0] + "'");
    target = {freshWiring(*key), "key " + std::to_string(*key)};
  }

  if (command == "press") return setLevel(target, kPressed) ? kExitOk : kExitFailed;
  if (command == "release") return setLevel(target, kReleased) ? kExitOk : kExitFailed;
  const auto duration = seconds(plain.back());
  if (!duration) return usageError("SECONDS must be a number of seconds, 0 or more, not '" + plain.back() + "'");
  if (!setLevel(target, kPressed)) return kExitFailed;
  waitOrInterrupt(*duration);
  return setLevel(target, kReleased) ? kExitOk : kExitFailed;
}
