#include "platform/errorguard.h"

#include "platform/prompts.h"

namespace tirra {

QString errorText(std::exception_ptr e) {
  try {
    std::rethrow_exception(e);
  } catch (const std::exception& ex) {
    return QString::fromUtf8(ex.what());
  } catch (...) {
    return QString();
  }
}

bool guard(const std::function<void()>& f) {
  std::exception_ptr failure;
  try {
    f();
  } catch (...) {
    failure = std::current_exception();
  }
  if (!failure) return true;
  // Shown outside the catch block: the box runs its own event loop.
  try {
    prompts().message(MsgKind::Error, errorText(failure));
  } catch (...) {
  }
  return false;
}

bool guardSilently(const std::function<void()>& f) {
  try {
    f();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace tirra
