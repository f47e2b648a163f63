#pragma once
// Every handler and every timer tick of the station runs inside this guard: an error
// ends that handler and is shown as an error message box with its own text, and the
// station keeps running. Qt never sees an exception leave a slot.
#include <QString>
#include <functional>
#include <stdexcept>

namespace tirra {

// The station's error type: carries the text shown to the user.
class StationError : public std::runtime_error {
 public:
  explicit StationError(const QString& text) : std::runtime_error(text.toStdString()) {}
  QString text() const { return QString::fromStdString(what()); }
};

// Runs f; an escaping error is shown (error box with its text; an object that is not an
// exception shows an empty text). Returns false when f raised.
bool guard(const std::function<void()>& f);

// Runs f; an escaping error is dropped without a word (the close sequence's saves).
bool guardSilently(const std::function<void()>& f);

// The text an exception carries.
QString errorText(std::exception_ptr e);

}  // namespace tirra
