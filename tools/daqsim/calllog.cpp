#include "calllog.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace tirra::daqsim {
namespace {

const char* logPath() {
  const char* path = std::getenv("TIRRA_DAQSIM_LOG");
  return (path && *path) ? path : nullptr;
}

}  // namespace

bool callLogEnabled() { return logPath() != nullptr; }

void appendCallLog(const std::string& line) {
  const char* path = logPath();
  if (!path) return;
  const int fd = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) {
    // The log is a testing aid: say once per process that it is lost, then carry on.
    static bool told = false;
    if (!told) std::fprintf(stderr, "tirra_daqsim: cannot append to the call log %s\n", path);
    told = true;
    return;
  }
  const std::string text = line + '\n';
  if (::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    std::fprintf(stderr, "tirra_daqsim: short write to the call log %s\n", path);
  }
  ::close(fd);
}

std::string quoted(const char* text) {
  if (!text) return "NULL";
  std::string out = "\"";
  for (const char* c = text; *c; ++c) {
    const unsigned char u = static_cast<unsigned char>(*c);
    if (*c == '"' || *c == '\\') {
      out += '\\';
      out += *c;
    } else if (u < 0x20 || u == 0x7f) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", u);
      out += escaped;
    } else {
      out += *c;
    }
  }
  return out + '"';
}

const char* pointer(const void* p) { return p ? "*" : "NULL"; }

}  // namespace tirra::daqsim
