// The data access against the private test server: table cursors by record number,
// edits, new rows, statements, errors, and the connect dialog.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "persistence/connectdialog.h"
#include "persistence/dataaccess.h"
#include "platform/errorguard.h"
#include "platform/prompts.h"
#include "support/testdb.h"

namespace {

using tirra::StationError;
using tirra::db::Command;
using tirra::db::Connection;
using tirra::db::Query;
using tirra::db::Table;

// The text of the StationError that f raises; empty when it raises none.
std::string errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const StationError& e) {
    return e.what();
  }
  return {};
}

void pointAt(Connection& c, const tirra::test::FreshDatabase& db) {
  const auto s = tirra::test::server();
  c.Socket = s.socket;
  c.Username = s.user;
  c.Password = s.password;
  c.Database = db.name();
}

class DataAccess : public ::testing::Test {
 protected:
  void SetUp() override { pointAt(conn, db); }
  // birds: key k (inserted out of order), a name, a date, a float and a column named update.
  // MyISAM keeps rows in the order they came, so the key order is the cursor's own doing.
  void makeBirds() {
    db.exec("CREATE TABLE birds (k INT NOT NULL, name VARCHAR(20) NOT NULL DEFAULT 'none', "
            "hatched DATE NOT NULL DEFAULT '2010-01-01', odds FLOAT NOT NULL DEFAULT '0.1', "
            "`update` TINYINT NOT NULL DEFAULT '0', PRIMARY KEY (k)) ENGINE=MyISAM");
    db.exec("INSERT INTO birds (k, name) VALUES (30, 'c'), (10, 'a'), (20, 'b')");
  }
  QString nameOf(int k) const { return db.scalar(QString("SELECT name FROM birds WHERE k=%1").arg(k)).toString(); }

  tirra::test::FreshDatabase db;
  Connection conn;
};

TEST_F(DataAccess, RecordNumbersFollowThePrimaryKey) {
  makeBirds();
  Table t(conn, "birds");
  t.open();
  ASSERT_TRUE(t.isOpen());
  ASSERT_EQ(t.recordCount(), 3);
  EXPECT_EQ(t.recNo(), 1);
  const int keys[] = {10, 20, 30};
  for (int r = 1; r <= 3; ++r) {
    t.moveTo(r);
    EXPECT_EQ(t.recNo(), r);
    EXPECT_EQ(t.fieldInt("k"), keys[r - 1]);
  }
  t.first();
  EXPECT_EQ(t.fieldText("NAME"), "a");  // column names without regard to case
  t.next();
  t.next();
  EXPECT_FALSE(t.eof());
  EXPECT_EQ(t.fieldText("name"), "c");
  t.next();
  EXPECT_TRUE(t.eof());
  EXPECT_EQ(t.recNo(), 3);  // stays on the last row
  EXPECT_EQ(t.columnNames(), QStringList({"k", "name", "hatched", "odds", "update"}));
}

TEST_F(DataAccess, TableWithoutKeyKeepsServerOrder) {
  db.exec("CREATE TABLE log (who CHAR(4), n INT)");
  db.exec("INSERT INTO log VALUES ('z', 1), ('a', 2), ('m', 3)");
  Table t(conn, "log");
  t.open();
  ASSERT_EQ(t.recordCount(), 3);
  QStringList order;
  for (t.first(); !t.eof(); t.next()) order << t.fieldText("who");
  EXPECT_EQ(order, QStringList({"z", "a", "m"}));
}

TEST_F(DataAccess, EditAndPostWritesOnlyThatRow) {
  makeBirds();
  Table t(conn, "birds");
  t.open();
  t.moveTo(2);
  t.edit();
  t.setField("Name", "O'Brien \"b\" \\ x");  // quotes and a backslash stored as typed
  t.setField("update", 1);                    // a column named like a keyword
  t.post();
  EXPECT_EQ(nameOf(20), "O'Brien \"b\" \\ x");
  EXPECT_EQ(db.scalar("SELECT `update` FROM birds WHERE k=20").toInt(), 1);
  EXPECT_EQ(nameOf(10), "a");
  EXPECT_EQ(nameOf(30), "c");
  EXPECT_EQ(t.recNo(), 2);
  EXPECT_EQ(t.fieldText("name"), "O'Brien \"b\" \\ x");
  EXPECT_EQ(t.fieldInt("update"), 1);
}

TEST_F(DataAccess, MovingPostsAPendingEdit) {
  makeBirds();
  Table t(conn, "birds");
  t.open();
  t.moveTo(1);
  t.edit();
  t.setField("name", "moved");
  t.moveTo(3);
  EXPECT_EQ(nameOf(10), "moved");
  t.edit();
  t.setField("name", "nexted");
  t.first();
  EXPECT_EQ(nameOf(30), "nexted");
  t.edit();
  t.setField("name", "by next");
  t.next();
  EXPECT_EQ(nameOf(10), "by next");
  EXPECT_EQ(t.recNo(), 2);
}

TEST_F(DataAccess, CancelAndCloseWriteNothing) {
  makeBirds();
  Table t(conn, "birds");
  t.open();
  t.edit();
  t.setField("name", "dropped");
  t.cancel();
  t.moveTo(2);
  EXPECT_EQ(nameOf(10), "a");
  t.edit();
  t.setField("name", "dropped too");
  t.close();
  EXPECT_EQ(nameOf(20), "b");
  EXPECT_FALSE(t.isOpen());
}

TEST_F(DataAccess, FloatReadsAsStoredAfterAnEdit) {
  makeBirds();
  Table t(conn, "birds");
  t.open();
  EXPECT_DOUBLE_EQ(t.fieldDouble("odds"), 0.1);
  t.edit();
  t.setField("odds", 0.3);
  t.post();
  // The row read back after the write shows 0.3, not the widened single float.
  EXPECT_DOUBLE_EQ(t.fieldDouble("odds"), 0.3);
  t.refresh();
  EXPECT_DOUBLE_EQ(t.fieldDouble("odds"), 0.3);
}

TEST_F(DataAccess, AppendWritesANewRowThatBecomesCurrent) {
  db.exec("CREATE TABLE items (id INT NOT NULL AUTO_INCREMENT, label VARCHAR(10) NOT NULL DEFAULT 'x', "
          "n SMALLINT NOT NULL DEFAULT '7', PRIMARY KEY (id))");
  Table t(conn, "items");
  t.open();
  EXPECT_EQ(t.recordCount(), 0);
  EXPECT_TRUE(t.eof());
  t.append();
  // A new row shows the column defaults before it is written.
  EXPECT_EQ(t.fieldText("label"), "x");
  EXPECT_EQ(t.fieldInt("n"), 7);
  t.post();  // nothing set: every column at its default
  ASSERT_EQ(t.recordCount(), 1);
  EXPECT_EQ(t.fieldInt("id"), 1);
  EXPECT_EQ(t.fieldText("label"), "x");

  t.append();
  t.setField("label", "second");
  t.insert();  // writes the pending row, starts another
  EXPECT_EQ(db.scalar("SELECT label FROM items WHERE id=2").toString(), "second");
  t.setField("label", "third");
  t.setField("n", 3);
  t.post();
  EXPECT_EQ(t.recordCount(), 3);
  EXPECT_EQ(t.recNo(), 3);
  EXPECT_EQ(t.fieldInt("id"), 3);
  EXPECT_EQ(t.fieldText("label"), "third");
  EXPECT_EQ(db.scalar("SELECT n FROM items WHERE id=3").toInt(), 3);
}

TEST_F(DataAccess, NewRowFindsItsPlaceInKeyOrder) {
  makeBirds();
  Table t(conn, "birds");
  t.open();
  t.append();
  t.setField("k", 15);
  t.setField("name", "between");
  t.post();
  EXPECT_EQ(t.recordCount(), 4);
  EXPECT_EQ(t.recNo(), 2);
  EXPECT_EQ(t.fieldText("name"), "between");
}

TEST_F(DataAccess, UnchangedNewRowIsDroppedWhenTheCursorMoves) {
  db.exec("CREATE TABLE items (id INT NOT NULL AUTO_INCREMENT, label VARCHAR(10) NOT NULL DEFAULT 'x', "
          "PRIMARY KEY (id))");
  Table t(conn, "items");
  t.open();
  t.edit();  // an empty table: editing starts a new row
  for (const char* label : {"a", "b", "c"}) {
    t.insert();
    t.setField("label", label);
  }
  t.post();
  EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM items").toInt(), 3);
  EXPECT_EQ(db.scalar("SELECT GROUP_CONCAT(label ORDER BY id SEPARATOR '') FROM items").toString(), "abc");
  t.append();
  t.first();
  EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM items").toInt(), 3);
}

TEST_F(DataAccess, RowLimitTakesTheFirstRowsInKeyOrder) {
  db.exec("CREATE TABLE nums (n INT NOT NULL, label CHAR(2), PRIMARY KEY (n)) ENGINE=MyISAM");
  db.exec("INSERT INTO nums (n) VALUES (9),(3),(7),(1),(5),(2),(8),(4),(6),(10)");
  Table t(conn, "nums", 3);
  t.open();
  ASSERT_EQ(t.recordCount(), 3);
  t.moveTo(3);
  EXPECT_EQ(t.fieldInt("n"), 3);
  EXPECT_THROW(t.moveTo(4), StationError);
  t.setRowLimit(5);
  EXPECT_EQ(t.recordCount(), 3);  // until the next read
  t.refresh();
  EXPECT_EQ(t.recordCount(), 5);
  EXPECT_EQ(t.recNo(), 3);  // kept
  t.setRowLimit(0);  // no limit
  t.refresh();
  EXPECT_EQ(t.recordCount(), 10);
}

TEST_F(DataAccess, ZeroDateReadsAsNoDateAndADateIsStored) {
  db.exec("CREATE TABLE d (id INT NOT NULL, day DATE NOT NULL DEFAULT '0000-00-00', "
          "at DATETIME NOT NULL DEFAULT '0000-00-00 00:00:00', PRIMARY KEY (id))");
  db.exec("INSERT INTO d (id) VALUES (1)");
  Table t(conn, "d");
  t.open();
  EXPECT_FALSE(t.fieldDate("day").isValid());
  EXPECT_EQ(t.fieldText("day"), "");
  EXPECT_FALSE(t.fieldDate("at").isValid());
  t.edit();
  t.setField("day", QDate(2011, 5, 4));
  t.post();
  EXPECT_EQ(db.scalar("SELECT CAST(day AS CHAR) FROM d").toString(), "2011-05-04");
  EXPECT_EQ(t.fieldDate("day"), QDate(2011, 5, 4));
  EXPECT_EQ(t.fieldText("day"), "2011-05-04");
}

TEST_F(DataAccess, RowWithZeroDateInTableWithoutKeyCanBeEdited) {
  db.exec("CREATE TABLE pecks (bird CHAR(4), day DATE NOT NULL DEFAULT '0000-00-00')");
  db.exec("INSERT INTO pecks (bird) VALUES ('b1'), ('b1')");
  Table t(conn, "pecks");
  t.open();
  t.moveTo(2);
  t.edit();
  t.setField("bird", "b2");
  t.post();
  // Two equal rows: exactly one of them changes.
  EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM pecks WHERE bird='b2'").toInt(), 1);
  EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM pecks WHERE bird='b1'").toInt(), 1);
}

TEST_F(DataAccess, RefreshShowsChangesOfOtherProgramsAndKeepsTheRecord) {
  makeBirds();
  Table t(conn, "birds");
  t.open();
  t.moveTo(2);
  db.exec("UPDATE birds SET name='changed' WHERE k=20");
  EXPECT_EQ(t.fieldText("name"), "b");
  t.refresh();
  EXPECT_EQ(t.recNo(), 2);
  EXPECT_EQ(t.fieldText("name"), "changed");
  t.moveTo(3);
  db.exec("DELETE FROM birds WHERE k=30");
  t.refresh();
  EXPECT_EQ(t.recordCount(), 2);
  EXPECT_EQ(t.recNo(), 2);
}

TEST_F(DataAccess, EditOfARowDeletedMeanwhileIsAnError) {
  makeBirds();
  Table t(conn, "birds");
  t.open();
  t.moveTo(1);
  db.exec("DELETE FROM birds WHERE k=10");
  t.edit();
  t.setField("name", "lost");
  EXPECT_NE(errorOf([&] { t.post(); }), "");
  // Writing the same value again is not mistaken for a vanished row.
  t.cancel();
  t.refresh();
  t.edit();
  t.setField("name", t.fieldText("name"));
  EXPECT_EQ(errorOf([&] { t.post(); }), "");
}

TEST_F(DataAccess, ErrorsCarryTheServersText) {
  makeBirds();
  Table missing(conn, "no_such_table");
  const std::string openError = errorOf([&] { missing.open(); });
  EXPECT_NE(openError.find("doesn't exist"), std::string::npos) << openError;
  EXPECT_FALSE(missing.isOpen());

  Command cmd(conn);
  const std::string execError = errorOf([&] { cmd.execute("INSERT INTO no_such_table VALUES (1)"); });
  EXPECT_NE(execError.find("doesn't exist"), std::string::npos) << execError;

  Table t(conn, "birds");
  t.open();
  t.edit();
  t.setField("name", QString(30, 'n'));  // longer than the column
  const std::string postError = errorOf([&] { t.post(); });
  EXPECT_NE(postError.find("Data too long"), std::string::npos) << postError;
  EXPECT_EQ(nameOf(10), "a");

  t.cancel();
  const std::string fieldError = errorOf([&] { t.field("nope"); });
  EXPECT_NE(fieldError.find("nope"), std::string::npos) << fieldError;
  EXPECT_NE(errorOf([&] { t.setField("name", "x"); }), "");  // not editing
}

TEST_F(DataAccess, ClosedTableRefusesWork) {
  makeBirds();
  Table t(conn, "birds");
  EXPECT_NE(errorOf([&] { t.moveTo(1); }), "");
  EXPECT_NE(errorOf([&] { t.edit(); }), "");
  EXPECT_NE(errorOf([&] { t.refresh(); }), "");
  EXPECT_EQ(t.recordCount(), 0);
  t.open();
  EXPECT_NE(errorOf([&] { t.moveTo(0); }), "");
  EXPECT_NE(errorOf([&] { t.moveTo(4); }), "");
}

TEST_F(DataAccess, EmptyTableRemovesEveryRow) {
  makeBirds();
  Table t(conn, "birds");
  t.open();
  t.emptyTable();
  EXPECT_EQ(t.recordCount(), 0);
  EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM birds").toInt(), 0);
  db.exec("INSERT INTO birds (k) VALUES (1)");
  Table closed(conn, "birds");
  closed.emptyTable();  // works on a closed cursor too
  EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM birds").toInt(), 0);
}

TEST_F(DataAccess, QueryKeepsRowsAndCommandBindsValues) {
  makeBirds();
  Command cmd(conn);
  cmd.execute("INSERT INTO birds (k, name) VALUES (?, ?)", {40, "it's"});
  EXPECT_EQ(nameOf(40), "it's");

  Query q(conn);
  q.open("SHOW TABLES;");
  ASSERT_EQ(q.recordCount(), 1);
  EXPECT_EQ(q.firstColumn(), "birds");
  q.open("SELECT name, k FROM birds WHERE k >= ? ORDER BY k", {20});
  ASSERT_EQ(q.recordCount(), 3);
  QStringList names;
  for (q.first(); !q.eof(); q.next()) names << q.firstColumn();
  EXPECT_EQ(names, QStringList({"b", "c", "it's"}));
  EXPECT_EQ(q.firstColumn(), "");  // past the end
  q.first();
  EXPECT_EQ(q.value(1).toInt(), 20);
}

TEST_F(DataAccess, SetDatabaseAddressesAnotherDatabase) {
  makeBirds();
  tirra::test::FreshDatabase other;
  other.exec("CREATE TABLE birds (k INT NOT NULL, name VARCHAR(20), PRIMARY KEY (k))");
  other.exec("INSERT INTO birds VALUES (1, 'elsewhere')");
  conn.Connect();
  conn.setDatabase(other.name());
  EXPECT_EQ(conn.Database, other.name());
  Table t(conn, "birds");
  t.open();
  ASSERT_EQ(t.recordCount(), 1);
  EXPECT_EQ(t.fieldText("name"), "elsewhere");
  EXPECT_NE(errorOf([&] { conn.setDatabase("no_such_database_here"); }).find("Unknown database"), std::string::npos);
  // Reconnecting keeps the chosen database.
  conn.Disconnect();
  Query q(conn);
  q.open("SELECT DATABASE()");
  EXPECT_EQ(q.firstColumn(), other.name());
}

TEST_F(DataAccess, ConnectsOverTcpToServerAndPort) {
  makeBirds();
  conn.Socket.clear();
  conn.Server = "127.0.0.1";
  conn.Port = tirra::test::server().port;
  conn.Connect();
  EXPECT_TRUE(conn.connected());
  Table t(conn, "birds");
  t.open();
  EXPECT_EQ(t.recordCount(), 3);

  Connection wrongPort;
  pointAt(wrongPort, db);
  wrongPort.Socket.clear();
  wrongPort.Server = "127.0.0.1";
  wrongPort.Port = 1;
  EXPECT_NE(errorOf([&] { wrongPort.Connect(); }), "");
  EXPECT_FALSE(wrongPort.connected());
}

TEST_F(DataAccess, FailedConnectCarriesTheServersText) {
  conn.Password = "wrong";
  const std::string e = errorOf([&] { conn.Connect(); });
  EXPECT_NE(e.find("Access denied"), std::string::npos) << e;
  EXPECT_FALSE(conn.connected());
}

// With LoginPrompt the first access asks through the dialog "Connect".
TEST_F(DataAccess, LoginPromptAsksAndConnectsWithWhatWasTyped) {
  makeBirds();
  conn.Password = "wrong";
  conn.LoginPrompt = true;
  tirra::ScopedScriptedPrompts prompts;
  QString shownUser;
  QString shownDatabase;
  QString caption;
  prompts.dialogScripts.push_back([&](QDialog* d) {
    caption = d->windowTitle();
    shownUser = d->findChild<QLineEdit*>("username")->text();
    shownDatabase = d->findChild<QLineEdit*>("database")->text();
    d->findChild<QLineEdit*>("password")->setText("tirra");
    d->findChild<QPushButton*>("connectButton")->click();
    return d->result();
  });
  Table t(conn, "birds");
  t.open();
  EXPECT_TRUE(conn.connected());
  EXPECT_EQ(t.recordCount(), 3);
  ASSERT_EQ(prompts.transcript.size(), 1u);
  EXPECT_EQ(prompts.transcript[0].text, "MyConnectDialog1");
  EXPECT_EQ(caption, "Connect");
  EXPECT_EQ(shownUser, "tirra");
  EXPECT_EQ(shownDatabase, db.name());
  EXPECT_EQ(conn.Password, "tirra");
  // Connected now: the next access asks nothing.
  Query q(conn);
  q.open("SELECT 1");
  EXPECT_EQ(prompts.transcript.size(), 1u);
}

TEST_F(DataAccess, LoginPromptCancelledOrWrongIsAnError) {
  conn.Password = "wrong";
  conn.LoginPrompt = true;
  tirra::ScopedScriptedPrompts prompts;
  prompts.dialogScripts.push_back([](QDialog* d) {
    d->findChild<QPushButton*>("cancelButton")->click();
    return d->result();
  });
  Command cmd(conn);
  EXPECT_EQ(errorOf([&] { cmd.execute("SELECT 1"); }), "Connection cancelled");
  EXPECT_FALSE(conn.connected());

  // Accepted with a wrong password: the server's refusal, no second try.
  prompts.dialogScripts.push_back([](QDialog* d) {
    d->findChild<QLineEdit*>("password")->setText("still wrong");
    return int(QDialog::Accepted);
  });
  const std::string e = errorOf([&] { cmd.execute("SELECT 1"); });
  EXPECT_NE(e.find("Access denied"), std::string::npos) << e;
  EXPECT_EQ(prompts.transcript.size(), 2u);
}

TEST(ConnectDialogLayout, CaptionLabelsAndRememberedFields) {
  tirra::db::ConnectDialog d;
  EXPECT_EQ(d.objectName(), "MyConnectDialog1");
  EXPECT_EQ(d.windowTitle(), "Connect");
  QStringList labels;
  for (auto* l : d.findChildren<QLabel*>()) labels << l->text();
  for (const char* want : {"Server", "User Name", "Password", "database", "Port"})
    EXPECT_TRUE(labels.contains(want)) << want;
  EXPECT_EQ(d.findChild<QPushButton*>("connectButton")->text(), "Connect");
  EXPECT_EQ(d.findChild<QPushButton*>("cancelButton")->text(), "Cancel");
  EXPECT_EQ(d.findChild<QLineEdit*>("password")->echoMode(), QLineEdit::Password);
  d.setServer("db.lab");
  d.setPort(3307);
  d.findChild<QLineEdit*>("password")->setText("kept");
  EXPECT_EQ(d.server(), "db.lab");
  EXPECT_EQ(d.port(), 3307);
  EXPECT_EQ(d.password(), "kept");
}

}  // namespace
