#include "support/stationhome.h"

#include <QDir>
#include <QFile>

#include "support/testdb.h"

namespace tirra::test {

StationHome::StationHome() {
  hadPrevious_ = qEnvironmentVariableIsSet("TIRRA_DRIVE_C");
  previous_ = qgetenv("TIRRA_DRIVE_C");
  qputenv("TIRRA_DRIVE_C", dir_.path().toLocal8Bit());
}

StationHome::~StationHome() {
  if (hadPrevious_)
    qputenv("TIRRA_DRIVE_C", previous_);
  else
    qunsetenv("TIRRA_DRIVE_C");
}

void StationHome::writePropertiesText(const QByteArray& text) {
  QDir().mkpath(dir_.path() + "/tirra");
  QFile f(dir_.path() + "/tirra/db.properties");
  f.open(QIODevice::WriteOnly | QIODevice::Truncate);
  f.write(text);
}

void StationHome::writeProperties(const QString& schema, const QString& password) {
  const ServerInfo s = server();
  QByteArray t;
  t += "# test station\n";
  t += "schema = " + schema.toUtf8() + "\n";
  t += "username = " + s.user.toUtf8() + "\n";
  t += "password = " + password.toUtf8() + "\n";
  t += "socket = " + s.socket.toUtf8() + "\n";
  writePropertiesText(t);
}

}  // namespace tirra::test
