#include "persistence/dataaccess.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTime>
#include <algorithm>

#include "persistence/connectdialog.h"
#include "platform/errorguard.h"
#include "platform/prompts.h"

namespace tirra::db {

namespace {

QString quoted(const QString& identifier) {
  QString s = identifier;
  s.replace('`', "``");
  return '`' + s + '`';
}

// The server's own words when it gave any, else what the driver says.
QString serverText(const QSqlError& e) {
  const QString server = e.databaseText().trimmed();
  return server.isEmpty() ? e.text().trimmed() : server;
}

[[noreturn]] void fail(const QSqlError& e) { throw StationError(serverText(e)); }

QString newConnectionName() {
  static QAtomicInt counter;
  return QStringLiteral("tirra-station-%1").arg(counter.fetchAndAddRelaxed(1) + 1);
}

// Runs one statement; values travel as bound parameters, never inside the text.
QSqlQuery run(const QSqlDatabase& db, const QString& statement, const QVariantList& bindings) {
  QSqlQuery q(db);
  q.setForwardOnly(true);
  if (bindings.isEmpty()) {
    if (!q.exec(statement)) fail(q.lastError());
  } else {
    if (!q.prepare(statement)) fail(q.lastError());
    for (const QVariant& b : bindings) q.addBindValue(b);
    if (!q.exec()) fail(q.lastError());
  }
  return q;
}

}  // namespace

// ---------------------------------------------------------------- Connection

Connection::Connection() : name_(newConnectionName()) { QSqlDatabase::addDatabase("QMYSQL", name_); }

Connection::~Connection() {
  dialog_.reset();
  {
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    db.close();
  }
  QSqlDatabase::removeDatabase(name_);
}

void Connection::Connect() {
  QSqlDatabase db = QSqlDatabase::database(name_, false);
  if (db.isOpen()) db.close();
  db.setHostName(Server);
  db.setPort(Port);
  db.setUserName(Username);
  db.setPassword(Password);
  db.setDatabaseName(Database);
  // CLIENT_FOUND_ROWS: an UPDATE reports the rows it matched, so a row that vanished
  // under an edit is noticed rather than silently not written.
  QStringList options{QStringLiteral("CLIENT_FOUND_ROWS"), QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=10")};
  if (!Socket.isEmpty()) options << "UNIX_SOCKET=" + Socket;
  db.setConnectOptions(options.join(';'));
  if (!db.open()) fail(db.lastError());
}

void Connection::Disconnect() {
  QSqlDatabase db = QSqlDatabase::database(name_, false);
  db.close();
}

bool Connection::connected() const { return QSqlDatabase::database(name_, false).isOpen(); }

void Connection::ensureConnected() {
  if (connected()) return;
  if (!LoginPrompt) {
    Connect();
    return;
  }
  if (!dialog_) dialog_ = std::make_unique<ConnectDialog>();
  dialog_->setServer(Server);
  dialog_->setUsername(Username);
  dialog_->setPassword(Password);
  dialog_->setDatabase(Database);
  dialog_->setPort(Port);
  if (tirra::prompts().execDialog(dialog_.get()) != QDialog::Accepted)
    throw StationError(QStringLiteral("Connection cancelled"));
  Server = dialog_->server();
  Username = dialog_->username();
  Password = dialog_->password();
  Database = dialog_->database();
  Port = dialog_->port();
  Connect();
}

void Connection::setDatabase(const QString& name) {
  QSqlDatabase db = QSqlDatabase::database(name_, false);
  if (db.isOpen()) run(db, "USE " + quoted(name), {});
  Database = name;
  db.setDatabaseName(name);  // for a later reconnection
}

QSqlDatabase Connection::sql() {
  ensureConnected();
  return QSqlDatabase::database(name_, false);
}

// ---------------------------------------------------------------- Table

namespace {

struct Column {
  QString name;
  QString type;  // as the server reports it, e.g. "smallint(6) unsigned"
  bool autoIncrement = false;
  QVariant defaultValue;  // typed; null when the column has none
};

bool isIntegerType(const QString& t) { return t.contains("int") || t.startsWith("bit"); }
bool isFloatType(const QString& t) { return t.startsWith("float"); }
bool isRealType(const QString& t) {
  return isFloatType(t) || t.startsWith("double") || t.startsWith("decimal") || t.startsWith("real");
}

// A default as SHOW COLUMNS gives it (plain text), turned into the value a read row
// would hold for it.
QVariant typedValue(const QString& type, const QVariant& text) {
  if (text.isNull()) return {};
  const QString s = text.toString();
  if (isIntegerType(type)) {
    bool ok = false;
    const qlonglong v = s.toLongLong(&ok);
    if (ok) return (v >= INT_MIN && v <= INT_MAX) ? QVariant(int(v)) : QVariant(v);
    return s;
  }
  if (isRealType(type)) {
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok) return s;
    return v;
  }
  if (type == "date") return QDate::fromString(s, Qt::ISODate);
  if (type.startsWith("datetime") || type.startsWith("timestamp"))
    return QDateTime::fromString(s.left(19), "yyyy-MM-dd HH:mm:ss");
  if (type.startsWith("time")) return QTime::fromString(s.left(8), "HH:mm:ss");
  return s;
}

// Keys compare as the server compares them by default: without regard to case and to
// trailing blanks.
bool sameValue(const QVariant& a, const QVariant& b) {
  auto text = [](const QVariant& v) {
    QString s = v.toString();
    while (s.endsWith(' ')) s.chop(1);
    return s;
  };
  if (a.isNull() != b.isNull()) return false;
  return text(a).compare(text(b), Qt::CaseInsensitive) == 0;
}

// A zero date reads as an invalid QDate; to find the row again it is named as the server
// stores it.
QVariant asCondition(const QVariant& v) {
  if (v.typeId() == QMetaType::QDate && !v.toDate().isValid() && !v.isNull()) return QStringLiteral("0000-00-00");
  if (v.typeId() == QMetaType::QDateTime && !v.toDateTime().isValid() && !v.isNull())
    return QStringLiteral("0000-00-00 00:00:00");
  return v;
}

}  // namespace

struct Table::Impl {
  enum class Mode { Browse, Edit, Insert };

  QVector<Column> columns;
  QVector<int> key;  // primary-key columns in key order
  QVector<QVariantList> rows;
  int cur = -1;
  bool eof = true;
  Mode mode = Mode::Browse;
  QVariantList buffer;    // the row being edited or the new row
  QVector<bool> changed;  // which columns setField touched

  int indexOf(const QString& column) const {
    for (int i = 0; i < columns.size(); ++i)
      if (columns[i].name.compare(column, Qt::CaseInsensitive) == 0) return i;
    return -1;
  }
  bool modified() const { return std::any_of(changed.begin(), changed.end(), [](bool b) { return b; }); }
  int autoIncrementColumn() const {
    for (int i = 0; i < columns.size(); ++i)
      if (columns[i].autoIncrement) return i;
    return -1;
  }
  QVariantList readRow(const QSqlQuery& q) const {
    QVariantList row;
    row.reserve(columns.size());
    for (int i = 0; i < columns.size(); ++i) row << q.value(i);
    return row;
  }
  void setCurrent(int index) {
    cur = rows.isEmpty() ? -1 : std::clamp(index, 0, int(rows.size()) - 1);
    eof = rows.isEmpty();
  }
  // Reads the columns and the primary key, then the rows in key order up to the limit.
  void load(Connection& conn, const QString& table, int limit);
  int column(const QString& table, const QString& name) const {
    const int i = indexOf(name);
    if (i < 0) throw StationError(QStringLiteral("Field '%1' not found in table %2").arg(name, table));
    return i;
  }
  int findByKey(const QVector<int>& keyColumns, const QVariantList& values) const {
    for (int r = 0; r < rows.size(); ++r) {
      bool all = true;
      for (int k = 0; k < keyColumns.size() && all; ++k) all = sameValue(rows[r][keyColumns[k]], values[k]);
      if (all) return r;
    }
    return -1;
  }
};

Table::Table(Connection& conn, const QString& tableName, int rowLimit)
    : d(std::make_unique<Impl>()), conn_(conn), table_(tableName), limit_(rowLimit) {}

Table::~Table() = default;

void Table::setRowLimit(int limit) { limit_ = limit; }

namespace {

[[noreturn]] void notOpen(const QString& table) {
  throw StationError(QStringLiteral("Table %1 is not open").arg(table));
}

}  // namespace

void Table::open() {
  if (open_) return;
  d->load(conn_, table_, limit_);
  open_ = true;
  d->mode = Impl::Mode::Browse;
  d->setCurrent(0);
}

void Table::close() {
  // A pending edit is dropped: closing never writes.
  d->mode = Impl::Mode::Browse;
  d->rows.clear();
  d->cur = -1;
  d->eof = true;
  open_ = false;
}

void Table::refresh() {
  if (!open_) notOpen(table_);
  settlePending();
  const int keep = d->cur;
  d->load(conn_, table_, limit_);
  d->setCurrent(keep < 0 ? 0 : keep);
}

int Table::recordCount() const { return open_ ? d->rows.size() : 0; }

int Table::recNo() const { return open_ ? d->cur + 1 : 0; }

void Table::moveTo(int recordNumber) {
  if (!open_) notOpen(table_);
  settlePending();
  if (recordNumber < 1 || recordNumber > d->rows.size())
    throw StationError(QStringLiteral("Record %1 does not exist in table %2 (%3 rows)")
                           .arg(recordNumber)
                           .arg(table_)
                           .arg(d->rows.size()));
  d->cur = recordNumber - 1;
  d->eof = false;
}

void Table::first() {
  if (!open_) notOpen(table_);
  settlePending();
  d->setCurrent(0);
}

void Table::next() {
  if (!open_) notOpen(table_);
  settlePending();
  if (d->cur + 1 < d->rows.size()) {
    ++d->cur;
    d->eof = false;
  } else {
    d->eof = true;
  }
}

bool Table::eof() const { return !open_ || d->eof; }

void Table::edit() {
  if (!open_) notOpen(table_);
  if (d->mode != Impl::Mode::Browse) return;
  if (d->cur < 0) {
    // Nothing to edit in an empty table: editing starts a new row instead, which is
    // written only if a column is set before the cursor moves on.
    append();
    return;
  }
  d->mode = Impl::Mode::Edit;
  d->buffer = d->rows[d->cur];
  d->changed = QVector<bool>(d->columns.size(), false);
}

void Table::append() {
  if (!open_) notOpen(table_);
  settlePending();
  d->mode = Impl::Mode::Insert;
  d->buffer.clear();
  for (const Column& c : d->columns) d->buffer << c.defaultValue;
  d->changed = QVector<bool>(d->columns.size(), false);
}

void Table::insert() { append(); }

void Table::settlePending() {
  if (d->mode == Impl::Mode::Browse) return;
  if (d->modified())
    post();
  else
    cancel();
}

void Table::cancel() {
  d->mode = Impl::Mode::Browse;
  d->buffer.clear();
  d->changed.clear();
}

void Table::post() {
  if (!open_) notOpen(table_);
  if (d->mode == Impl::Mode::Browse) return;
  QSqlDatabase db = conn_.sql();

  if (d->mode == Impl::Mode::Edit) {
    if (!d->modified()) {
      cancel();
      return;
    }
    QStringList sets;
    QVariantList values;
    bool keyChanged = false;
    for (int i = 0; i < d->columns.size(); ++i) {
      if (!d->changed[i]) continue;
      sets << quoted(d->columns[i].name) + "=?";
      values << d->buffer[i];
      if (d->key.contains(i)) keyChanged = true;
    }
    const QVariantList& original = d->rows[d->cur];
    QStringList where;
    if (!d->key.isEmpty()) {
      for (int k : d->key) {
        where << quoted(d->columns[k].name) + "=?";
        values << asCondition(original[k]);
      }
    } else {
      // No primary key: the row is named by all its values.
      for (int i = 0; i < d->columns.size(); ++i) {
        where << quoted(d->columns[i].name) + "<=>?";
        values << asCondition(original[i]);
      }
    }
    QString statement = "UPDATE " + quoted(table_) + " SET " + sets.join(", ") + " WHERE " + where.join(" AND ");
    if (d->key.isEmpty()) statement += " LIMIT 1";
    QSqlQuery q = run(db, statement, values);
    if (q.numRowsAffected() == 0)
      throw StationError(QStringLiteral("The row being edited no longer exists in table %1").arg(table_));

    const QVariantList newRow = d->buffer;
    const int keep = d->cur;
    cancel();
    if (d->key.isEmpty() || keyChanged) {
      // The row may have moved: read them all and find it again by its key.
      d->load(conn_, table_, limit_);
      int found = -1;
      if (!d->key.isEmpty()) {
        QVariantList keyValues;
        for (int k : d->key) keyValues << newRow[k];
        found = d->findByKey(d->key, keyValues);
      }
      d->setCurrent(found >= 0 ? found : keep);
      return;
    }
    // Read the row back, so that it shows what the server stored.
    QStringList keyWhere;
    QVariantList keyValues;
    for (int k : d->key) {
      keyWhere << quoted(d->columns[k].name) + "=?";
      keyValues << asCondition(original[k]);
    }
    QSqlQuery back = run(db, "SELECT * FROM " + quoted(table_) + " WHERE " + keyWhere.join(" AND "), keyValues);
    if (back.next())
      d->rows[keep] = d->readRow(back);
    return;
  }

  // A new row.
  QStringList names;
  QStringList marks;
  QVariantList values;
  for (int i = 0; i < d->columns.size(); ++i) {
    if (!d->changed[i]) continue;
    names << quoted(d->columns[i].name);
    marks << "?";
    values << d->buffer[i];
  }
  const QString statement =
      "INSERT INTO " + quoted(table_) + " (" + names.join(", ") + ") VALUES (" + marks.join(", ") + ")";
  QSqlQuery q = run(db, statement, values);
  const QVariant newId = q.lastInsertId();
  const QVariantList newRow = d->buffer;
  const QVector<bool> wasSet = d->changed;
  cancel();
  d->load(conn_, table_, limit_);

  // Make the new row current: by the key the server gave it, else by the key it was
  // given; a table without a key shows it last.
  int found = -1;
  const int autoColumn = d->autoIncrementColumn();
  if (autoColumn >= 0 && newId.isValid()) found = d->findByKey({autoColumn}, {newId});
  if (found < 0 && !d->key.isEmpty()) {
    QVariantList keyValues;
    bool known = true;
    for (int k : d->key) {
      if (k == autoColumn && !wasSet.value(k)) known = false;
      keyValues << newRow.value(k);
    }
    if (known) found = d->findByKey(d->key, keyValues);
  }
  d->setCurrent(found >= 0 ? found : int(d->rows.size()) - 1);
}

void Table::Impl::load(Connection& conn, const QString& table, int limit) {
  QSqlDatabase db = conn.sql();
  QVector<Column> columns;
  {
    QSqlQuery q = run(db, "SHOW COLUMNS FROM " + quoted(table), {});
    while (q.next()) {
      Column c;
      c.name = q.value(0).toString();
      c.type = q.value(1).toString().toLower();
      c.autoIncrement = q.value(5).toString().contains("auto_increment", Qt::CaseInsensitive);
      c.defaultValue = typedValue(c.type, q.value(4));
      columns << c;
    }
  }
  QVector<int> key;
  {
    QSqlQuery q = run(db, "SHOW KEYS FROM " + quoted(table) + " WHERE Key_name = 'PRIMARY'", {});
    QVector<QPair<int, QString>> parts;
    const int seqField = q.record().indexOf("Seq_in_index");
    const int nameField = q.record().indexOf("Column_name");
    while (q.next()) parts << qMakePair(q.value(seqField).toInt(), q.value(nameField).toString());
    std::sort(parts.begin(), parts.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& p : parts) {
      for (int i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(p.second, Qt::CaseInsensitive) == 0) key << i;
    }
  }
  QStringList selected;
  for (const Column& c : columns) selected << quoted(c.name);
  QString statement = "SELECT " + selected.join(", ") + " FROM " + quoted(table);
  if (!key.isEmpty()) {
    QStringList order;
    for (int k : key) order << quoted(columns[k].name);
    statement += " ORDER BY " + order.join(", ");
  }
  if (limit > 0) statement += " LIMIT " + QString::number(limit);

  this->columns = columns;
  this->key = key;
  rows.clear();
  QSqlQuery q = run(db, statement, {});
  while (q.next()) rows << readRow(q);
}

QVariant Table::field(const QString& column) const {
  if (!open_) notOpen(table_);
  const int i = d->column(table_, column);
  if (d->mode != Impl::Mode::Browse) return d->buffer.value(i);
  if (d->cur < 0) return {};
  return d->rows[d->cur].value(i);
}

QString Table::fieldText(const QString& column) const {
  const QVariant v = field(column);
  if (v.isNull()) return {};
  switch (v.typeId()) {
    case QMetaType::QDate:
      return v.toDate().isValid() ? v.toDate().toString("yyyy-MM-dd") : QString();
    case QMetaType::QDateTime:
      return v.toDateTime().isValid() ? v.toDateTime().toString("yyyy-MM-dd HH:mm:ss") : QString();
    case QMetaType::QTime:
      return v.toTime().isValid() ? v.toTime().toString("HH:mm:ss") : QString();
    default:
      return v.toString();
  }
}

int Table::fieldInt(const QString& column) const {
  const QVariant v = field(column);
  if (v.isNull()) return 0;
  switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
      return int(v.toDouble());  // toward zero
    case QMetaType::QString: {
      const QString s = v.toString().trimmed();
      if (s.isEmpty()) return 0;
      bool ok = false;
      const int n = s.toInt(&ok);
      if (ok) return n;
      const double r = s.toDouble(&ok);
      if (ok) return int(r);
      throw StationError(QStringLiteral("'%1' is not a valid integer value").arg(s));
    }
    default:
      return v.toInt();
  }
}

double Table::fieldDouble(const QString& column) const {
  const QVariant v = field(column);
  if (v.isNull()) return 0.0;
  if (v.typeId() == QMetaType::QString) {
    const QString s = v.toString().trimmed();
    if (s.isEmpty()) return 0.0;
    bool ok = false;
    const double r = s.toDouble(&ok);
    if (!ok) throw StationError(QStringLiteral("'%1' is not a valid floating point value").arg(s));
    return r;
  }
  return v.toDouble();
}

QDate Table::fieldDate(const QString& column) const {
  const QVariant v = field(column);
  if (v.isNull()) return {};
  switch (v.typeId()) {
    case QMetaType::QDate:
      return v.toDate();
    case QMetaType::QDateTime:
      return v.toDateTime().date();
    default:
      return QDate::fromString(v.toString().left(10), Qt::ISODate);
  }
}

void Table::setField(const QString& column, const QVariant& value) {
  if (!open_) notOpen(table_);
  const int i = d->column(table_, column);
  if (d->mode == Impl::Mode::Browse)
    throw StationError(QStringLiteral("Table %1 is not in edit or insert mode").arg(table_));
  // An empty text is a text: Qt binds a null QString as NULL, which the NOT NULL text
  // columns refuse.
  if (value.typeId() == QMetaType::QString && value.toString().isNull())
    d->buffer[i] = QVariant(QStringLiteral(""));
  else
    d->buffer[i] = value;
  d->changed[i] = true;
}

QStringList Table::columnNames() const {
  QStringList names;
  for (const Column& c : d->columns) names << c.name;
  return names;
}

void Table::emptyTable() {
  cancel();
  run(conn_.sql(), "TRUNCATE TABLE " + quoted(table_), {});
  if (open_) {
    d->rows.clear();
    d->setCurrent(0);
  }
}

// ---------------------------------------------------------------- Command, Query

Command::Command(Connection& conn) : conn_(conn) {}

void Command::execute(const QString& statement, const QVariantList& bindings) {
  run(conn_.sql(), statement, bindings);
}

Query::Query(Connection& conn) : conn_(conn) {}

void Query::open(const QString& statement, const QVariantList& bindings) {
  rows_.clear();
  pos_ = 0;
  QSqlQuery q = run(conn_.sql(), statement, bindings);
  const int n = q.record().count();
  while (q.next()) {
    QVariantList row;
    row.reserve(n);
    for (int i = 0; i < n; ++i) row << q.value(i);
    rows_ << row;
  }
}

QString Query::firstColumn() const { return value(0).toString(); }

QVariant Query::value(int column) const {
  if (pos_ < 0 || pos_ >= rows_.size()) return {};
  return rows_[pos_].value(column);
}

}  // namespace tirra::db
