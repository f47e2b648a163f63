// The window's six tables: checked for and created at start-up, then opened, each open
// guarded with its own message.
#include "persistence/schema.h"
#include "platform/prompts.h"
#include "shell/tform1.h"

bool TForm1::tableExists(const QString& name) { return tirra::db::tableExists(MyQuery1, name); }
void TForm1::createSettingsTable() { tirra::db::createSettingsTable(current, MyCommand1); }
void TForm1::createKeyPecksTable() { tirra::db::createKeyPecksTable(keypeckTable, MyCommand1); }
void TForm1::createNidaqTable() { tirra::db::createNidaqTable(NIDAQ, MyCommand1, birdsMarker); }
void TForm1::createChannelsTable() { tirra::db::createChannelsTable(channels, MyCommand1); }
void TForm1::createAnimalsTable() { tirra::db::createAnimalsTable(MyQuery1, MyCommand1); }
void TForm1::createSessionsTable() { tirra::db::createSessionsTable(sessions, MyQuery1, MyCommand1, birdsMarker); }

namespace {

// Opens a table; a failure shows the message and the start-up goes on with it closed.
void openOrSay(tirra::db::Table& table, const char* message) {
  try {
    table.open();
  } catch (...) {
    tirra::prompts().message(tirra::MsgKind::Plain, QString::fromUtf8(message));
  }
}

}  // namespace

void TForm1::openTables() {
  openOrSay(NIDAQ, tirra::db::kNidaqMissingKeyDefaults);
  openOrSay(current, tirra::db::kSettingsMissing);
  openOrSay(NIDAQ, tirra::db::kNidaqMissingNoPecks);
  openOrSay(keypeckTable, tirra::db::kKeyPecksMissing);
}
