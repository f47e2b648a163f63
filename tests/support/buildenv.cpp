#include "support/buildenv.h"

#include <QByteArray>
#include <QList>

namespace tirra::test {

void applyBuildEnvironment() {
  for (const QByteArray& line : QByteArray(TIRRA_TEST_ENVIRONMENT).split('\n')) {
    const int eq = line.indexOf('=');
    if (eq <= 0) continue;
    const QByteArray name = line.left(eq);
    if (!qEnvironmentVariableIsSet(name.constData())) qputenv(name.constData(), line.mid(eq + 1));
  }
}

}  // namespace tirra::test
