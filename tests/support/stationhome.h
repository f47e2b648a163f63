#pragma once
// A home folder of the test's own: drive c of the station's path mapping points here,
// and tirra/db.properties can be written for a test database.
#include <QString>
#include <QTemporaryDir>

namespace tirra::test {

class StationHome {
 public:
  StationHome();   // sets TIRRA_DRIVE_C to a new temporary folder
  ~StationHome();  // restores the previous TIRRA_DRIVE_C
  QString path() const { return dir_.path(); }
  QString file(const QString& relative) const { return dir_.path() + "/" + relative; }
  // Writes tirra/db.properties naming the test server and the given schema.
  void writeProperties(const QString& schema, const QString& password = QStringLiteral("tirra"));
  // Writes tirra/db.properties with exactly this text.
  void writePropertiesText(const QByteArray& text);

 private:
  QTemporaryDir dir_;
  QByteArray previous_;
  bool hadPrevious_ = false;
};

}  // namespace tirra::test
