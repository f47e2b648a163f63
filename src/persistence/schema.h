#pragma once
// The station's six tables: their CREATE TABLE statements, the rows a new table starts
// with, and the messages shown when a table cannot be opened. The create functions take
// the window's own data-access components, so the cursors they leave behind are the ones
// the station goes on using.
#include <QFile>
#include <QString>

#include "persistence/dataaccess.h"

namespace tirra::db {

// Statements as the server receives them (one line each).
extern const char* const kCreateSettingsTable;
extern const char* const kCreateKeyPecksTable;
extern const char* const kCreateNidaqTable;
extern const char* const kCreateChannelsTable;
extern const char* const kCreateAnimalsTable;
extern const char* const kCreateSessionsTable;

// Shown when a table cannot be opened at start-up, in this order of opening.
extern const char* const kNidaqMissingKeyDefaults;
extern const char* const kSettingsMissing;
extern const char* const kNidaqMissingNoPecks;
extern const char* const kKeyPecksMissing;

// The empty marker file c:\tirra\birds.txt. Setting up the nidaq table makes it anew and
// holds it open as long as this object lives; setting up the sessions table deletes it.
// Nothing reads it.
class MarkerFile {
 public:
  static constexpr const char* kStoredPath = "c:\\tirra\\birds.txt";

  MarkerFile() = default;
  ~MarkerFile() = default;
  MarkerFile(const MarkerFile&) = delete;
  MarkerFile& operator=(const MarkerFile&) = delete;

  // Deletes the file and creates it again, empty, open for reading and writing (the
  // folder c:\tirra is made if missing). Throws StationError when it cannot be created.
  void recreate();
  // Deletes the file; every error is ignored.
  void remove();
  bool isOpen() const { return file_.isOpen(); }
  // Where the file lives on this machine.
  static QString localFile();

 private:
  QFile file_;
};

// True when the current database lists a table of exactly this name (case counts).
bool tableExists(Query& q, const QString& name);

// Each creates its table and writes its first rows; the station calls each only when
// tableExists found the table missing.
void createSettingsTable(Table& current, Command& cmd);
void createKeyPecksTable(Table& keypeckTable, Command& cmd);
void createNidaqTable(Table& NIDAQ, Command& cmd, MarkerFile& marker);
void createChannelsTable(Table& channels, Command& cmd);
void createAnimalsTable(Query& q, Command& cmd);
void createSessionsTable(Table& sessions, Query& q, Command& cmd, MarkerFile& marker);

}  // namespace tirra::db
