#include "support/testdb.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <gtest/gtest.h>

namespace tirra::test {

namespace {
QString mysqlDir() { return qEnvironmentVariable("TIRRA_TEST_MYSQL_DIR"); }
}  // namespace

ServerInfo server() {
  ServerInfo s;
  const QString dir = mysqlDir();
  s.socket = dir + "/sock";
  QFile f(dir + "/port");
  if (f.open(QIODevice::ReadOnly)) s.port = QString::fromLatin1(f.readAll()).trimmed().toInt();
  return s;
}

bool serverAvailable() {
  const QString dir = mysqlDir();
  return !dir.isEmpty() && QFile::exists(dir + "/sock");
}

FreshDatabase::FreshDatabase() {
  if (!serverAvailable()) {
    ADD_FAILURE() << "the private test MariaDB is not running (TIRRA_TEST_MYSQL_DIR="
                  << mysqlDir().toStdString() << ")";
  }
  name_ = "t_" + QUuid::createUuid().toString(QUuid::Id128).left(16);
  conn_ = "test-" + name_;
  const ServerInfo s = server();
  {
    QSqlDatabase admin = QSqlDatabase::addDatabase("QMYSQL", conn_ + "-admin");
    admin.setUserName(s.user);
    admin.setPassword(s.password);
    admin.setConnectOptions("UNIX_SOCKET=" + s.socket);
    if (!admin.open()) ADD_FAILURE() << admin.lastError().text().toStdString();
    QSqlQuery q(admin);
    if (!q.exec("CREATE DATABASE `" + name_ + "`")) ADD_FAILURE() << q.lastError().text().toStdString();
    admin.close();
  }
  QSqlDatabase::removeDatabase(conn_ + "-admin");
  QSqlDatabase d = QSqlDatabase::addDatabase("QMYSQL", conn_);
  d.setUserName(s.user);
  d.setPassword(s.password);
  d.setDatabaseName(name_);
  d.setConnectOptions("UNIX_SOCKET=" + s.socket);
  if (!d.open()) ADD_FAILURE() << d.lastError().text().toStdString();
}

FreshDatabase::~FreshDatabase() {
  {
    QSqlDatabase d = QSqlDatabase::database(conn_, false);
    if (d.isOpen()) {
      QSqlQuery q(d);
      q.exec("DROP DATABASE IF EXISTS `" + name_ + "`");
    }
    d.close();
  }
  QSqlDatabase::removeDatabase(conn_);
}

QSqlDatabase FreshDatabase::db() const { return QSqlDatabase::database(conn_); }

void FreshDatabase::exec(const QString& sql) const {
  QSqlQuery q(db());
  if (!q.exec(sql)) ADD_FAILURE() << sql.toStdString() << ": " << q.lastError().text().toStdString();
}

QVector<QVariantList> FreshDatabase::rows(const QString& sql) const {
  QVector<QVariantList> out;
  QSqlQuery q(db());
  if (!q.exec(sql)) {
    ADD_FAILURE() << sql.toStdString() << ": " << q.lastError().text().toStdString();
    return out;
  }
  const int n = q.record().count();
  while (q.next()) {
    QVariantList row;
    for (int i = 0; i < n; ++i) row << q.value(i);
    out << row;
  }
  return out;
}

QVariant FreshDatabase::scalar(const QString& sql) const {
  const auto r = rows(sql);
  if (r.isEmpty() || r.first().isEmpty()) return {};
  return r.first().first();
}

QStringList FreshDatabase::tables() const {
  QStringList out;
  for (const auto& r : rows("SHOW TABLES")) out << r.first().toString();
  return out;
}

}  // namespace tirra::test
