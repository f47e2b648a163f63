#include "linestate.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tirra::daqsim {
namespace {

// The file is 27 bytes; anything much longer is not ours.
constexpr std::size_t kMaxFileBytes = 64;

std::string systemError(const std::string& what, const char* path) {
  return what + " " + path + ": " + std::strerror(errno);
}

// Parses the file's bytes; false when they are not 24 levels (whitespace aside).
bool parse(const char* bytes, std::size_t size, LineLevels& levels) {
  LineLevels parsed = LineLevels::allReleased();
  std::size_t count = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const char c = bytes[i];
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
    if ((c != '0' && c != '1') || count == parsed.level.size()) return false;
    parsed.level[count++] = c == '0' ? kPressed : kReleased;
  }
  if (count != 0 && count != parsed.level.size()) return false;
  levels = parsed;  // an empty file is a new one: all released
  return true;
}

// Holds the lock file beside the state file while alive.
class WriterLock {
 public:
  explicit WriterLock(const char* path) {
    const std::string lockPath = std::string(path) + ".lock";
    fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) {
      problem_ = systemError("cannot open the lock file", lockPath.c_str());
      return;
    }
    while (::flock(fd_, LOCK_EX) != 0) {
      if (errno == EINTR) continue;
      problem_ = systemError("cannot lock", lockPath.c_str());
      ::close(fd_);
      fd_ = -1;
      return;
    }
  }
  ~WriterLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  WriterLock(const WriterLock&) = delete;
  WriterLock& operator=(const WriterLock&) = delete;

  bool held() const { return fd_ >= 0; }
  const std::string& problem() const { return problem_; }

 private:
  int fd_ = -1;
  std::string problem_;
};

// Writes a temporary file beside the state file and renames it over the state file.
bool replaceFile(const char* path, const LineLevels& levels, std::string& problem) {
  const std::string temp = std::string(path) + "." + std::to_string(::getpid()) + ".tmp";
  const std::string content = levels.text();
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    problem = systemError("cannot write", temp.c_str());
    return false;
  }
  const ssize_t written = ::write(fd, content.data(), content.size());
  const bool wroteAll = written == static_cast<ssize_t>(content.size());
  if (!wroteAll) problem = systemError("cannot write", temp.c_str());
  if (::close(fd) != 0 && wroteAll) problem = systemError("cannot write", temp.c_str());
  if (!problem.empty()) {
    ::unlink(temp.c_str());
    return false;
  }
  if (::rename(temp.c_str(), path) != 0) {
    problem = systemError("cannot replace", path);
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace

LineLevels LineLevels::allReleased() {
  LineLevels levels;
  levels.level.fill(kReleased);
  return levels;
}

std::string LineLevels::text() const {
  std::string out;
  for (int port = 0; port < kPorts; ++port) {
    if (port > 0) out += ' ';
    for (int line = 0; line < kLinesPerPort; ++line) out += at(port, line) == kPressed ? '0' : '1';
  }
  out += '\n';
  return out;
}

const char* stateFilePath() {
  const char* chosen = std::getenv("TIRRA_DAQSIM_STATE");
  if (chosen && *chosen) return chosen;
  static const std::string fallback =
      "/tmp/tirra-daqsim-" + std::to_string(::getuid()) + ".state";
  return fallback.c_str();
}

bool readLevels(const char* path, LineLevels& levels, std::string* problem) {
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) {
      levels = LineLevels::allReleased();
      return true;
    }
    if (problem) *problem = systemError("cannot read", path);
    return false;
  }
  char bytes[kMaxFileBytes];
  std::size_t size = 0;
  bool ok = true;
  while (size < sizeof bytes) {
    const ssize_t got = ::read(fd, bytes + size, sizeof bytes - size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      if (problem) *problem = systemError("cannot read", path);
      ok = false;
    }
    if (got <= 0) break;
    size += static_cast<std::size_t>(got);
  }
  ::close(fd);
  if (ok && (size == sizeof bytes || !parse(bytes, size, levels))) {
    if (problem) {
      *problem = std::string("the state file ") + path +
                 " is damaged (expected 24 levels of 0 or 1); 'tirra-keys all-released' resets it";
    }
    ok = false;
  }
  return ok;
}

bool updateLevels(const char* path, const std::function<void(LineLevels&)>& change,
                  std::string& problem) {
  WriterLock lock(path);
  if (!lock.held()) {
    problem = lock.problem();
    return false;
  }
  LineLevels levels;
  if (!readLevels(path, levels, &problem)) return false;
  change(levels);
  return replaceFile(path, levels, problem);
}

bool writeLevels(const char* path, const LineLevels& levels, std::string& problem) {
  WriterLock lock(path);
  if (!lock.held()) {
    problem = lock.problem();
    return false;
  }
  return replaceFile(path, levels, problem);
}

}  // namespace tirra::daqsim
