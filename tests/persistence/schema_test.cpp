// The six tables on a fresh database: what the server holds after each create function
// (columns, types, nullability, defaults, first rows), and the marker file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "persistence/dataaccess.h"
#include "persistence/schema.h"
#include "support/stationhome.h"
#include "support/testdb.h"

namespace {

using namespace tirra::db;

// Expected columns, one per line: name|type|nullable|default ("-": none, auto-increment).
const char* const kSettingsColumns = R"(num|tinyint(4)|NO|-
bird_ID|char(10)|NO|99
hatching_date|date|NO|2010-01-01
start_training|date|NO|2010-01-01
stop_training|date|NO|2010-01-01
training|tinyint(4)|NO|0
pecks|smallint(6)|NO|0
song_quota|smallint(6)|NO|10
input_folder|varchar(50)|NO|c:\tirra\in1
sound_folder_size|smallint(6)|NO|0
output_folder_sound|varchar(50)|NO|c:\tirra\out1
output_folder_features|varchar(50)|NO|recs0_features
syllable_table|varchar(50)|NO|syll_R0
entropy_thresh|smallint(6)|NO|282
deriv_thresh|smallint(6)|NO|116
contrast_thresh|smallint(6)|NO|300
syllable_duration_reject|smallint(6)|NO|300
bout_duration_reject|smallint(6)|NO|0
number_of_syllables_reject|smallint(3) unsigned|NO|255
display_contrast|smallint(3) unsigned|NO|4500
fine_segmentation|tinyint(4)|NO|0
hp_small|smallint(6)|NO|50
hp_big|smallint(6)|NO|500
select_list1|tinyint(4)|NO|1
quota|tinyint(4)|NO|1
select_list2|tinyint(4)|NO|1
passive_playbacks|tinyint(4)|NO|0
passive_odds|float|NO|0
passive_quota|smallint(6)|NO|10
passive_quota_check|tinyint(4)|NO|0
bio_feedback|tinyint(4)|NO|0
update|tinyint(4)|NO|0
save|tinyint(4)|NO|0
slave_output|tinyint(4)|NO|1
advance_window|smallint(6)|NO|44
FFT_window|smallint(6)|NO|441
frequency_range|smallint(6)|NO|2
active_or_slave|tinyint(4)|NO|0
pri_segmented_feature|tinyint(4)|NO|0
adapt_thresh|tinyint(4)|NO|0
smooth_feature|tinyint(4)|NO|0
pri_lt|tinyint(4)|NO|0
sec_segmentation|tinyint(4)|NO|0
sec_segmented_feature|tinyint(4)|NO|0
sec_lt|tinyint(4)|NO|0
sec_logic|tinyint(4)|NO|0
pagination|tinyint(4)|NO|0
stop_duration_thresh|smallint(6)|NO|7
bout_duration_thresh|smallint(6)|NO|100)";

const char* const kKeyPecksColumns = R"(bird_ID|char(16)|YES|0
key_pecked|tinyint(4)|YES|0
song_played|char(80)|YES|
date|date|NO|2000-01-01
time|time|NO|00:00:00)";

const char* const kNidaqColumns = R"(recnum|int(11)|NO|-
device_ID|tinyint(4)|YES|0
port|tinyint(4)|YES|0
line|tinyint(4)|YES|0)";

const char* const kChannelsColumns = R"(chan|int(11)|NO|-
id|varchar(100)|NO|
m_sTempFilePath|varchar(100)|NO|c:\TIRRA\tmpSound\
morning_session_start|smallint(6)|NO|900
morning_session_end|smallint(6)|NO|1600
afternoon_session_start|smallint(6)|NO|1700
afternoon_session_end|smallint(6)|NO|2000
lights_on|smallint(6)|NO|9
lights_off|smallint(6)|NO|21
stop_training_at_night|tinyint(4)|NO|0
direct_recording_epochs|smallint(6)|NO|30
interval_between_playbacks|smallint(6)|NO|20
NIDAQ_exists|tinyint(4)|NO|0
keep_track_of_keypecks|tinyint(4)|NO|1
two_soundlists|tinyint(4)|NO|0
self_feedback|tinyint(4)|NO|0
randomly_select_sounds1|tinyint(4)|NO|0
randomly_select_sounds2|tinyint(4)|NO|0
auto_Scroll_sounds1|tinyint(4)|NO|0
auto_Scroll_sounds2|tinyint(4)|NO|0
mute_playbacks|tinyint(4)|NO|0
lock_playbacks|tinyint(4)|NO|0
lock_sessions|tinyint(4)|NO|0
let_go_of_key|tinyint(4)|NO|1
m_lPrebufferSamples|int(11)|NO|300
m_fPeakGain|float|NO|30
m_lBirdState|int(11)|NO|0
m_lPeakThreshold|int(11)|NO|10000
m_lPeakRecordDuration|int(11)|NO|1000
m_lMonitorDisplay|int(11)|NO|3
m_lRecordingDisplay|int(11)|NO|3
m_lRecordingCutoffMS|int(11)|NO|30000
m_lPeakComparator|int(11)|NO|1000
m_lPeakHP_Filter|int(11)|NO|1
m_lPeakTrigger|int(11)|NO|0
m_lIOM_InputFormatIDX|int(20)|NO|0
m_lIOM_InputChannel|int(20)|NO|0
m_lIOM_InputPan|int(20)|NO|0
m_fIOM_InputScaler|float|NO|1.0
m_lIOM_InputGain|int(11)|NO|30
m_lIOM_OutputFormatIDX|int(20)|NO|0
m_lIOM_OutputChannel|int(20)|NO|0
m_lIOM_OutputPan|int(11)|NO|0
m_lIOM_OutputGain|int(11)|NO|0
m_sWaveFile|varchar(100)|NO|
m_sMasterID|varchar(100)|NO|0
m_sIOM_InputModuleID|varchar(100)|NO|0
m_sIOM_InputDeviceID|varchar(100)|NO|0
m_sIOM_OutputModuleID|varchar(100)|NO|0
m_sIOM_OutputDeviceID|varchar(100)|NO|0)";

const char* const kAnimalsColumns = R"(bird_name|char(10)|NO|
sex|char(1)|NO|M
hatched|date|NO|0000-00-00
weight|float|NO|0
location|smallint(6)|NO|0
procedure1|char(12)|NO|isolation
proc1_date|datetime|NO|0000-00-00 00:00:00
procedure2|char(12)|NO|surgery
proc2_date|datetime|NO|0000-00-00 00:00:00
procedure3|char(12)|NO|finish
proc3_date|datetime|NO|0000-00-00 00:00:00
training|datetime|NO|0000-00-00 00:00:00
model|char(12)|NO|
quota|smallint(6)|NO|0
audio|char(16)|NO|
attributes|char(12)|NO|
photoperiod|char(12)|NO|
details|char(80)|NO|)";

const char* const kSessionsColumns = R"(session_ID|int(11)|NO|-
sound_folder|varchar(100)|NO|c:\tirra
quota|int(11)|NO|10
gap|float|NO|2
random_switch|tinyint(4)|NO|0
auto_scroll|tinyint(4)|NO|0
locked|tinyint(4)|NO|0
random_onset|tinyint(4)|NO|0
enabled|tinyint(4)|NO|0
state|tinyint(4)|NO|0
start_hour|int(11)|NO|0
start_min|int(11)|NO|0
end_hour|int(11)|NO|0
end_min|int(11)|NO|0
random_onset_delay|int(11)|NO|0
playback_list|smallint(6)|NO|0
enable_quota|tinyint(4)|NO|0
song_played|int(11)|NO|0
song_index|int(11)|NO|0
gap_timer|int(11)|NO|0
operant|int(11)|NO|0
odds|float|NO|0.1)";

// A default as information_schema shows it ('text' quoted and escaped, numbers bare,
// NULL for none) in the designed form.
QString designedDefault(const QVariant& shown) {
  if (shown.isNull() || shown.toString() == "NULL") return "-";
  QString s = shown.toString();
  if (s.size() >= 2 && s.startsWith('\'') && s.endsWith('\'')) {
    s = s.mid(1, s.size() - 2);
    s.replace("''", "'");
    s.replace("\\\\", "\\");
  }
  return s;
}

bool sameDefault(const QString& actual, const QString& expected) {
  bool a = false;
  bool e = false;
  const double x = actual.toDouble(&a);
  const double y = expected.toDouble(&e);
  if (a && e) return x == y;  // '1.0' is shown as 1
  return actual == expected;
}

class Schema : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto s = tirra::test::server();
    conn.Socket = s.socket;
    conn.Username = s.user;
    conn.Password = s.password;
    conn.Database = db.name();
  }

  void create(const QString& table) {
    if (table == "settings") createSettingsTable(current, cmd);
    if (table == "key_pecks") createKeyPecksTable(keypeckTable, cmd);
    if (table == "nidaq") createNidaqTable(NIDAQ, cmd, marker);
    if (table == "channels") createChannelsTable(channels, cmd);
    if (table == "animals") createAnimalsTable(q, cmd);
    if (table == "sessions") createSessionsTable(sessions, q, cmd, marker);
  }

  // Column rows of the table as the server describes them, in the designed form.
  QStringList describedColumns(const QString& table) const {
    QStringList out;
    const auto rows = db.rows(QString("SELECT COLUMN_NAME, COLUMN_TYPE, IS_NULLABLE, COLUMN_DEFAULT, EXTRA "
                                      "FROM information_schema.COLUMNS WHERE TABLE_SCHEMA='%1' AND "
                                      "TABLE_NAME='%2' ORDER BY ORDINAL_POSITION")
                                  .arg(db.name(), table));
    for (const auto& r : rows) {
      QString def = designedDefault(r[3]);
      if (r[4].toString().contains("auto_increment")) def = "-";
      out << r[0].toString() + "|" + r[1].toString() + "|" + r[2].toString() + "|" + def;
    }
    return out;
  }

  int rowCount(const QString& table) const {
    return db.scalar("SELECT COUNT(*) FROM `" + table + "`").toInt();
  }

  tirra::test::StationHome home;
  tirra::test::FreshDatabase db;
  Connection conn;
  Command cmd{conn};
  Query q{conn};
  MarkerFile marker;
  Table current{conn, "settings", 1000};
  Table NIDAQ{conn, "nidaq", 50};
  Table keypeckTable{conn, "key_pecks", 2000};
  Table channels{conn, "channels", 0};
  Table sessions{conn, "sessions", 25};
};

struct TableCase {
  const char* table;
  const char* columns;
  int rows;
};

const TableCase kTables[] = {
    {"settings", kSettingsColumns, 13}, {"key_pecks", kKeyPecksColumns, 0}, {"nidaq", kNidaqColumns, 40},
    {"channels", kChannelsColumns, 10}, {"animals", kAnimalsColumns, 0},    {"sessions", kSessionsColumns, 20},
};

void PrintTo(const TableCase& c, std::ostream* os) { *os << c.table; }

class SchemaTable : public Schema, public ::testing::WithParamInterface<TableCase> {};

TEST_P(SchemaTable, EmptyDatabaseGetsTheDesignedTable) {
  const TableCase& c = GetParam();
  ASSERT_FALSE(tableExists(q, c.table));
  create(c.table);
  EXPECT_TRUE(tableExists(q, c.table));

  const QStringList expected = QString(c.columns).split('\n');
  const QStringList actual = describedColumns(c.table);
  ASSERT_EQ(actual.size(), expected.size());
  for (int i = 0; i < expected.size(); ++i) {
    const QStringList e = expected[i].split('|');
    const QStringList a = actual[i].split('|');
    ASSERT_EQ(a.size(), 4);
    EXPECT_EQ(a[0], e[0]) << "column " << i;
    EXPECT_EQ(a[1], e[1]) << e[0].toStdString();
    EXPECT_EQ(a[2], e[2]) << e[0].toStdString();
    EXPECT_TRUE(sameDefault(a[3], e[3]))
        << e[0].toStdString() << ": default " << a[3].toStdString() << ", designed " << e[3].toStdString();
  }
  EXPECT_EQ(rowCount(c.table), c.rows);
}

INSTANTIATE_TEST_SUITE_P(Tables, SchemaTable, ::testing::ValuesIn(kTables),
                         [](const auto& info) { return std::string(info.param.table); });

TEST_F(Schema, SettingsRowsCarryBirdNumbersFoldersAndDates) {
  create("settings");
  // The cursor is left open on its first row.
  ASSERT_TRUE(current.isOpen());
  EXPECT_EQ(current.recNo(), 1);
  EXPECT_EQ(current.recordCount(), 13);
  const auto rows = db.rows(
      "SELECT num, bird_ID, input_folder, output_folder_sound, CAST(hatching_date AS CHAR), "
      "CAST(start_training AS CHAR), CAST(stop_training AS CHAR), quota, FFT_window, advance_window, "
      "frequency_range, hp_big, hp_small, song_quota FROM settings ORDER BY num");
  ASSERT_EQ(rows.size(), 13);
  for (int j = 0; j < 13; ++j) {
    const QString n = QString::number(std::max(j - 1, 0));
    const auto& r = rows[j];
    EXPECT_EQ(r[0].toInt(), j + 1);
    EXPECT_EQ(r[1].toString(), QString::number(j));
    EXPECT_EQ(r[2].toString(), "c:\\tirra\\in" + n);
    EXPECT_EQ(r[3].toString(), "c:\\tirra\\out" + n);
    EXPECT_EQ(r[4].toString(), "2010-01-02");
    EXPECT_EQ(r[5].toString(), "2010-02-02");
    EXPECT_EQ(r[6].toString(), "2010-03-02");
    EXPECT_EQ(r[7].toInt(), 10);
    EXPECT_EQ(r[8].toInt(), 441);
    EXPECT_EQ(r[9].toInt(), 44);
    EXPECT_EQ(r[10].toInt(), 2);
    EXPECT_EQ(r[11].toInt(), 500);
    EXPECT_EQ(r[12].toInt(), 50);
    EXPECT_EQ(r[13].toInt(), 10);  // left at its default
  }
  // The bird rows of channels 0 and 9, through the station's cursor.
  current.moveTo(3);
  EXPECT_EQ(current.fieldText("bird_ID"), "2");
  EXPECT_EQ(current.fieldText("input_folder"), "c:\\tirra\\in1");
  EXPECT_EQ(current.fieldText("output_folder_sound"), "c:\\tirra\\out1");
  EXPECT_EQ(current.fieldDate("hatching_date"), QDate(2010, 1, 2));
  current.moveTo(12);
  EXPECT_EQ(current.fieldText("bird_ID"), "11");
  EXPECT_EQ(current.fieldText("input_folder"), "c:\\tirra\\in10");
  EXPECT_EQ(current.fieldText("output_folder_sound"), "c:\\tirra\\out10");
}

TEST_F(Schema, NidaqRowsWireLinesInTurnAndTheMarkerIsHeldOpen) {
  ASSERT_FALSE(QFileInfo::exists(home.file("tirra/birds.txt")));
  create("nidaq");
  EXPECT_TRUE(NIDAQ.isOpen());
  EXPECT_EQ(NIDAQ.recNo(), 1);
  const auto rows = db.rows("SELECT recnum, device_ID, port, line FROM nidaq ORDER BY recnum");
  ASSERT_EQ(rows.size(), 40);
  for (int j = 0; j < 40; ++j) {
    EXPECT_EQ(rows[j][0].toInt(), j + 1);
    EXPECT_EQ(rows[j][1].toInt(), 1);
    EXPECT_EQ(rows[j][2].toInt(), 0);
    EXPECT_EQ(rows[j][3].toInt(), j % 8);
  }
  const QFileInfo markerInfo(home.file("tirra/birds.txt"));
  EXPECT_TRUE(markerInfo.isFile());
  EXPECT_EQ(markerInfo.size(), 0);
  EXPECT_TRUE(marker.isOpen());
}

TEST_F(Schema, MarkerIsMadeAnewEmptyAndRemovedWithoutComplaint) {
  ASSERT_TRUE(QDir().mkpath(home.file("tirra")));
  {
    QFile old(home.file("tirra/birds.txt"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("left over");
  }
  marker.recreate();
  EXPECT_EQ(QFileInfo(home.file("tirra/birds.txt")).size(), 0);
  marker.remove();
  EXPECT_FALSE(QFileInfo::exists(home.file("tirra/birds.txt")));
  marker.remove();  // nothing there: no error
  EXPECT_FALSE(marker.isOpen());

  // The folder is made when missing.
  tirra::test::StationHome bare;
  MarkerFile second;
  second.recreate();
  EXPECT_TRUE(QFileInfo(bare.file("tirra/birds.txt")).isFile());
}

TEST_F(Schema, ChannelsRowsAreATillJWithDefaults) {
  create("channels");
  const auto rows = db.rows("SELECT chan, id, m_sTempFilePath, morning_session_start, m_fIOM_InputScaler "
                            "FROM channels ORDER BY chan");
  ASSERT_EQ(rows.size(), 10);
  for (int j = 0; j < 10; ++j) {
    EXPECT_EQ(rows[j][0].toInt(), j + 1);
    EXPECT_EQ(rows[j][1].toString(), QString(QChar('a' + j)));
    EXPECT_EQ(rows[j][2].toString(), "c:\\TIRRA\\tmpSound\\");
    EXPECT_EQ(rows[j][3].toInt(), 900);
    EXPECT_DOUBLE_EQ(rows[j][4].toDouble(), 1.0);
  }
  EXPECT_TRUE(channels.isOpen());
  EXPECT_EQ(channels.recordCount(), 10);
}

TEST_F(Schema, SessionsRowsHoldDefaultsAndTheMarkerGoes) {
  marker.recreate();
  create("sessions");
  EXPECT_FALSE(QFileInfo::exists(home.file("tirra/birds.txt")));
  const auto rows = db.rows("SELECT session_ID, sound_folder, quota, gap, odds, enabled FROM sessions "
                            "ORDER BY session_ID");
  ASSERT_EQ(rows.size(), 20);
  for (int s = 0; s < 20; ++s) {
    EXPECT_EQ(rows[s][0].toInt(), s + 1);
    EXPECT_EQ(rows[s][1].toString(), "c:\\tirra");
    EXPECT_EQ(rows[s][2].toInt(), 10);
  }
  ASSERT_TRUE(sessions.isOpen());
  EXPECT_EQ(sessions.recNo(), 1);
  sessions.moveTo(20);
  EXPECT_DOUBLE_EQ(sessions.fieldDouble("gap"), 2.0);
  EXPECT_DOUBLE_EQ(sessions.fieldDouble("odds"), 0.1);
  EXPECT_EQ(sessions.fieldText("sound_folder"), "c:\\tirra");
}

TEST_F(Schema, ExistingSessionsAndAnimalsAreLeftAlone) {
  create("sessions");
  create("animals");
  db.exec("DELETE FROM sessions WHERE session_ID > 5");
  db.exec("INSERT INTO animals (bird_name) VALUES ('b1')");
  ASSERT_TRUE(QDir().mkpath(home.file("tirra")));
  QFile(home.file("tirra/birds.txt")).open(QIODevice::WriteOnly);
  Table otherSessions(conn, "sessions", 25);
  createSessionsTable(otherSessions, q, cmd, marker);
  createAnimalsTable(q, cmd);
  EXPECT_EQ(rowCount("sessions"), 5);
  EXPECT_EQ(rowCount("animals"), 1);
  EXPECT_FALSE(otherSessions.isOpen());
  // The marker goes even when the table is there.
  EXPECT_FALSE(QFileInfo::exists(home.file("tirra/birds.txt")));
}

TEST_F(Schema, TableNamesCompareExactly) {
  db.exec("CREATE TABLE `Settings` (n INT)");
  db.exec("CREATE TABLE `nidaq_old` (n INT)");
  EXPECT_TRUE(tableExists(q, "Settings"));
  EXPECT_FALSE(tableExists(q, "settings"));
  EXPECT_FALSE(tableExists(q, "nidaq"));
  create("settings");
  EXPECT_TRUE(tableExists(q, "settings"));
  EXPECT_EQ(rowCount("settings"), 13);
}

TEST_F(Schema, FirstStartCreatesAllSixInOrder) {
  for (const char* t : {"settings", "key_pecks", "nidaq", "channels", "animals", "sessions"}) {
    if (!tableExists(q, t)) create(t);
  }
  EXPECT_EQ(rowCount("settings"), 13);
  EXPECT_EQ(rowCount("key_pecks"), 0);
  EXPECT_EQ(rowCount("nidaq"), 40);
  EXPECT_EQ(rowCount("channels"), 10);
  EXPECT_EQ(rowCount("animals"), 0);
  EXPECT_EQ(rowCount("sessions"), 20);
  EXPECT_TRUE(keypeckTable.isOpen());
  // The sessions set-up removes the marker the nidaq set-up made.
  EXPECT_FALSE(QFileInfo::exists(home.file("tirra/birds.txt")));
  QStringList tables = db.tables();
  tables.sort();
  EXPECT_EQ(tables, QStringList({"animals", "channels", "key_pecks", "nidaq", "sessions", "settings"}));
}

TEST(SchemaStatements, OpenAndCloseAsTheServerExpects) {
  struct Form {
    const char* statement;
    const char* begins;
    const char* ends;
  };
  const Form forms[] = {
      {kCreateSettingsTable, "CREATE TABLE `settings` (`num` ", "PRIMARY KEY  (`num`))"},
      {kCreateKeyPecksTable, "CREATE TABLE `key_pecks` (`bird_ID` ", "`time` time NOT NULL default '00:00:00')"},
      {kCreateNidaqTable, "CREATE TABLE `nidaq`(`recnum` ", "PRIMARY KEY  (`recnum`))"},
      {kCreateChannelsTable, "CREATE TABLE `channels` (`chan` ", "PRIMARY KEY  (`chan`))"},
      {kCreateAnimalsTable, "CREATE TABLE  `animals` (`bird_name` ", "PRIMARY KEY  (`bird_name`))"},
      {kCreateSessionsTable, "CREATE TABLE `sessions` (`session_ID` ", "PRIMARY KEY  (`session_ID`));"},
  };
  for (const Form& f : forms) {
    const QString s = f.statement;
    EXPECT_TRUE(s.startsWith(f.begins)) << f.begins;
    EXPECT_TRUE(s.endsWith(f.ends)) << f.ends;
    EXPECT_FALSE(s.contains('\n'));
  }
}

}  // namespace
