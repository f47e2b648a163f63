#pragma once
// Tests talk to the private MariaDB server that the test run starts (CTest fixture
// "mysql"). Each FreshDatabase is a new, empty database on it, dropped at the end.
#include <QSqlDatabase>

#include "support/qt_print.h"
#include <QString>
#include <QVariant>
#include <QVector>

namespace tirra::test {

struct ServerInfo {
  QString socket;
  int port = 0;
  QString user = QStringLiteral("tirra");
  QString password = QStringLiteral("tirra");
};

// The test server (from TIRRA_TEST_MYSQL_DIR); fails the test when it is not running.
ServerInfo server();
bool serverAvailable();

class FreshDatabase {
 public:
  FreshDatabase();
  ~FreshDatabase();
  FreshDatabase(const FreshDatabase&) = delete;
  FreshDatabase& operator=(const FreshDatabase&) = delete;

  QString name() const { return name_; }
  // A connection of the test's own to this database (not the station's).
  QSqlDatabase db() const;
  // Runs a statement; a failure fails the test with the server's text.
  void exec(const QString& sql) const;
  // All rows of a query, each a list of column values.
  QVector<QVariantList> rows(const QString& sql) const;
  QVariant scalar(const QString& sql) const;
  QStringList tables() const;

 private:
  QString name_;
  QString conn_;
};

}  // namespace tirra::test
