#include "platform/clock.h"

namespace tirra {

namespace {
QDateTime g_fixed;
}

QDateTime now() { return g_fixed.isValid() ? g_fixed : QDateTime::currentDateTime(); }
QDate today() { return now().date(); }
void setNow(const QDateTime& moment) { g_fixed = moment; }
void clearFixedNow() { g_fixed = QDateTime(); }

}  // namespace tirra
