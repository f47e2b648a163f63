#pragma once
// The station's data access over Qt SQL (QMYSQL): one connection, table cursors that
// reach rows by record number (1-based, primary-key order) and read and write columns by
// name, a command that runs one statement, and a query whose rows' first column can be
// read. Every value is bound as a parameter and every identifier quoted. A failed
// statement throws tirra::StationError carrying the server's text.
#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

namespace tirra::db {

class ConnectDialog;

// The connection (MyConnection1). Designed values: Database "tirra", Username "root",
// the local server on port 3306, LoginPrompt false.
class Connection {
 public:
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  QString Database = QStringLiteral("tirra");
  QString Username = QStringLiteral("root");
  QString Password;
  QString Server = QStringLiteral("localhost");
  int Port = 3306;
  QString Socket;            // a Unix socket, when the properties file names one
  bool LoginPrompt = false;  // when true, the next access asks through the connect dialog

  // Connects with the values above; throws StationError with the server's text on failure.
  void Connect();
  void Disconnect();
  bool connected() const;
  // Connects if needed. With LoginPrompt true this opens the connect dialog "Connect"
  // (prefilled) through the prompts service; its Cancel throws StationError.
  void ensureConnected();
  // Makes a later statement address another database of the same server.
  void setDatabase(const QString& name);
  // The Qt connection (connected on demand through ensureConnected()).
  QSqlDatabase sql();
  QString connectionName() const { return name_; }

 private:
  QString name_;
  std::unique_ptr<ConnectDialog> dialog_;
};

// A table cursor (TMyTable). Rows are read on open/refresh in primary-key order, up to
// the row limit (0 = no limit).
class Table {
 public:
  Table(Connection& conn, const QString& tableName, int rowLimit = 0);
  ~Table();

  QString tableName() const { return table_; }
  int rowLimit() const { return limit_; }
  void setRowLimit(int limit);  // takes effect at the next open or refresh

  void open();  // throws when the table cannot be opened
  void close();  // drops a pending edit or new row
  bool isOpen() const { return open_; }
  void refresh();  // re-reads the rows; keeps the record number when it still exists

  int recordCount() const;
  int recNo() const;            // 1-based; 0 when there is no current row
  void moveTo(int recordNumber);  // posts a pending edit first; throws outside 1..count
  void first();
  void next();                  // at the last row stays there and sets eof
  bool eof() const;

  void edit();    // in an empty table starts a new row instead
  void append();  // a new row at the end, all columns at their defaults, posted by post()
  void insert();  // posts a pending new row, then starts another one
  // Writes the pending edit (UPDATE by primary key; throws when the row is gone) or the
  // new row (INSERT, then the rows are read again and the new row is current).
  void post();
  void cancel();

  QVariant field(const QString& column) const;  // names compare without regard to case
  QString fieldText(const QString& column) const;
  int fieldInt(const QString& column) const;
  double fieldDouble(const QString& column) const;
  QDate fieldDate(const QString& column) const;  // zero dates read as an invalid QDate
  void setField(const QString& column, const QVariant& value);  // needs edit/append/insert

  QStringList columnNames() const;
  // Removes every row (TRUNCATE TABLE).
  void emptyTable();

 private:
  // Before the cursor moves or a new row starts: a pending edit or new row with changes
  // is written, one without changes is dropped.
  void settlePending();

  struct Impl;  // rows, columns and the pending edit (dataaccess.cpp)
  std::unique_ptr<Impl> d;
  Connection& conn_;
  QString table_;
  int limit_;
  bool open_ = false;
};

// Runs one statement (TMyCommand): clear, add the statement, execute once.
class Command {
 public:
  explicit Command(Connection& conn);
  void execute(const QString& statement, const QVariantList& bindings = {});

 private:
  Connection& conn_;
};

// Runs a statement and keeps its rows (TMyQuery).
class Query {
 public:
  explicit Query(Connection& conn);
  void open(const QString& statement, const QVariantList& bindings = {});
  int recordCount() const { return rows_.size(); }
  void first() { pos_ = 0; }
  void next() { if (pos_ < rows_.size()) ++pos_; }
  bool eof() const { return pos_ >= rows_.size(); }
  int position() const { return pos_; }
  // First column of the current row as text.
  QString firstColumn() const;
  QVariant value(int column) const;

 private:
  Connection& conn_;
  QVector<QVariantList> rows_;
  int pos_ = 0;
};

}  // namespace tirra::db
