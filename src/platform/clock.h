#pragma once
// The one clock of the station. Tests fix it to a moment of their choosing.
#include <QDateTime>

namespace tirra {

QDateTime now();
QDate today();

// Fixes the clock at the given moment (until cleared); tests move it with setNow again.
void setNow(const QDateTime& moment);
void clearFixedNow();

}  // namespace tirra
