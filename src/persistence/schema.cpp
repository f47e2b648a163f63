#include "persistence/schema.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "platform/errorguard.h"
#include "platform/paths.h"

namespace tirra::db {

// In the defaults below a doubled backslash inside the SQL literal stores one backslash:
// 'c:\\tirra\\in1' holds c:\tirra\in1.

const char* const kCreateSettingsTable =
    "CREATE TABLE `settings` ("
    "`num` tinyint(4) NOT NULL auto_increment,"
    "`bird_ID` char(10) NOT NULL default '99',"
    "`hatching_date` date NOT NULL default '2010-01-01',"
    "`start_training` date NOT NULL default '2010-01-01',"
    "`stop_training` date NOT NULL default '2010-01-01',"
    "`training` tinyint(4) NOT NULL default '0',"
    "`pecks` smallint(6) NOT NULL default '0',"
    "`song_quota` smallint(6) NOT NULL default '10',"
    "`input_folder` varchar(50) NOT NULL default 'c:\\\\tirra\\\\in1',"
    "`sound_folder_size` smallint(6) NOT NULL default '0',"
    "`output_folder_sound` varchar(50) NOT NULL default 'c:\\\\tirra\\\\out1',"
    "`output_folder_features` varchar(50) NOT NULL default 'recs0_features',"
    "`syllable_table` varchar(50) NOT NULL default 'syll_R0',"
    "`entropy_thresh` smallint(6) NOT NULL default '282',"
    "`deriv_thresh` smallint(6) NOT NULL default '116',"
    "`contrast_thresh` smallint(6) NOT NULL default '300',"
    "`syllable_duration_reject` smallint(6) NOT NULL default '300',"
    "`bout_duration_reject` smallint(6) NOT NULL default '0',"
    "`number_of_syllables_reject` smallint(3) unsigned NOT NULL default '255',"
    "`display_contrast` smallint(3) unsigned NOT NULL default '4500',"
    "`fine_segmentation` tinyint(4) NOT NULL default '0',"
    "`hp_small` smallint(6) NOT NULL default '50',"
    "`hp_big` smallint(6) NOT NULL default '500',"
    "`select_list1` tinyint(4) NOT NULL default '1',"
    "`quota` tinyint(4) NOT NULL default '1',"
    "`select_list2` tinyint(4) NOT NULL default '1',"
    "`passive_playbacks` tinyint(4) NOT NULL default '0',"
    "`passive_odds` float NOT NULL default '0',"
    "`passive_quota` smallint(6) NOT NULL default '10',"
    "`passive_quota_check` tinyint(4) NOT NULL default '0',"
    "`bio_feedback` tinyint(4) NOT NULL default '0',"
    "`update` tinyint(4) NOT NULL default '0',"
    "`save` tinyint(4) NOT NULL default '0',"
    "`slave_output` tinyint(4) NOT NULL default '1',"
    "`advance_window` smallint(6) NOT NULL default '44',"
    "`FFT_window` smallint(6) NOT NULL default '441',"
    "`frequency_range` smallint(6) NOT NULL default '2',"
    "`active_or_slave` tinyint(4) NOT NULL default '0',"
    "`pri_segmented_feature` tinyint(4) NOT NULL default '0',"
    "`adapt_thresh` tinyint(4) NOT NULL default '0',"
    "`smooth_feature` tinyint(4) NOT NULL default '0',"
    "`pri_lt` tinyint(4) NOT NULL default '0',"
    "`sec_segmentation` tinyint(4) NOT NULL default '0',"
    "`sec_segmented_feature` tinyint(4) NOT NULL default '0',"
    "`sec_lt` tinyint(4) NOT NULL default '0',"
    "`sec_logic` tinyint(4) NOT NULL default '0',"
    "`pagination` tinyint(4) NOT NULL default '0',"
    "`stop_duration_thresh` smallint(6) NOT NULL default '7',"
    "`bout_duration_thresh` smallint(6) NOT NULL default '100',"
    "PRIMARY KEY  (`num`))";

const char* const kCreateKeyPecksTable =
    "CREATE TABLE `key_pecks` ("
    "`bird_ID` char(16) default '0',"
    "`key_pecked` tinyint(4) default '0',"
    "`song_played` char(80) default '',"
    "`date` date NOT NULL default '2000-01-01',"
    "`time` time NOT NULL default '00:00:00')";

const char* const kCreateNidaqTable =
    "CREATE TABLE `nidaq`("
    "`recnum` int(11) NOT NULL auto_increment,"
    "`device_ID` tinyint(4) default '0',"
    "`port` tinyint(4) default '0',"
    "`line` tinyint(4) default '0',"
    "PRIMARY KEY  (`recnum`))";

const char* const kCreateChannelsTable =
    "CREATE TABLE `channels` ("
    "`chan` int(11) NOT NULL auto_increment,"
    "`id` varchar(100) NOT NULL default '',"
    "`m_sTempFilePath` varchar(100) NOT NULL default 'c:\\\\TIRRA\\\\tmpSound\\\\',"
    "`morning_session_start` smallint(6) NOT NULL default '900',"
    "`morning_session_end` smallint(6) NOT NULL default '1600',"
    "`afternoon_session_start` smallint(6) NOT NULL default '1700',"
    "`afternoon_session_end` smallint(6) NOT NULL default '2000',"
    "`lights_on` smallint(6) NOT NULL default '9',"
    "`lights_off` smallint(6) NOT NULL default '21',"
    "`stop_training_at_night` tinyint(4) NOT NULL default '0',"
    "`direct_recording_epochs` smallint(6) NOT NULL default '30',"
    "`interval_between_playbacks` smallint(6) NOT NULL default '20',"
    "`NIDAQ_exists` tinyint(4) NOT NULL default '0',"
    "`keep_track_of_keypecks` tinyint(4) NOT NULL default '1',"
    "`two_soundlists` tinyint(4) NOT NULL default '0',"
    "`self_feedback` tinyint(4) NOT NULL default '0',"
    "`randomly_select_sounds1` tinyint(4) NOT NULL default '0',"
    "`randomly_select_sounds2` tinyint(4) NOT NULL default '0',"
    "`auto_Scroll_sounds1` tinyint(4) NOT NULL default '0',"
    "`auto_Scroll_sounds2` tinyint(4) NOT NULL default '0',"
    "`mute_playbacks` tinyint(4) NOT NULL default '0',"
    "`lock_playbacks` tinyint(4) NOT NULL default '0',"
    "`lock_sessions` tinyint(4) NOT NULL default '0',"
    "`let_go_of_key` tinyint(4) NOT NULL default '1',"
    "`m_lPrebufferSamples` int(11) NOT NULL default '300',"
    "`m_fPeakGain` float NOT NULL default '30',"
    "`m_lBirdState` int(11) NOT NULL default '0',"
    "`m_lPeakThreshold` int(11) NOT NULL default '10000',"
    "`m_lPeakRecordDuration` int(11) NOT NULL default '1000',"
    "`m_lMonitorDisplay` int(11) NOT NULL default '3',"
    "`m_lRecordingDisplay` int(11) NOT NULL default '3',"
    "`m_lRecordingCutoffMS` int(11) NOT NULL default '30000',"
    "`m_lPeakComparator` int(11) NOT NULL default '1000',"
    "`m_lPeakHP_Filter` int(11) NOT NULL default '1',"
    "`m_lPeakTrigger` int(11) NOT NULL default '0',"
    "`m_lIOM_InputFormatIDX` int(20) NOT NULL default '0',"
    "`m_lIOM_InputChannel` int(20) NOT NULL default '0',"
    "`m_lIOM_InputPan` int(20) NOT NULL default '0',"
    "`m_fIOM_InputScaler` float NOT NULL default '1.0',"
    "`m_lIOM_InputGain` int(11) NOT NULL default '30',"
    "`m_lIOM_OutputFormatIDX` int(20) NOT NULL default '0',"
    "`m_lIOM_OutputChannel` int(20) NOT NULL default '0',"
    "`m_lIOM_OutputPan` int(11) NOT NULL default '0',"
    "`m_lIOM_OutputGain` int(11) NOT NULL default '0',"
    "`m_sWaveFile` varchar(100) NOT NULL default '',"
    "`m_sMasterID` varchar(100) NOT NULL default '0',"
    "`m_sIOM_InputModuleID` varchar(100) NOT NULL default '0',"
    "`m_sIOM_InputDeviceID` varchar(100) NOT NULL default '0',"
    "`m_sIOM_OutputModuleID` varchar(100) NOT NULL default '0',"
    "`m_sIOM_OutputDeviceID` varchar(100) NOT NULL default '0',"
    "PRIMARY KEY  (`chan`))";

const char* const kCreateAnimalsTable =
    "CREATE TABLE  `animals` ("
    "`bird_name` char(10) NOT NULL default '',"
    "`sex` char(1) NOT NULL default 'M',"
    "`hatched` date NOT NULL default '0000-00-00',"
    "`weight` float NOT NULL default '0',"
    "`location` smallint(6) NOT NULL default '0',"
    "`procedure1` char(12) NOT NULL default 'isolation',"
    "`proc1_date` datetime NOT NULL default '0000-00-00 00:00:00',"
    "`procedure2` char(12) NOT NULL default 'surgery',"
    "`proc2_date` datetime NOT NULL default '0000-00-00 00:00:00',"
    "`procedure3` char(12) NOT NULL default 'finish',"
    "`proc3_date` datetime NOT NULL default '0000-00-00 00:00:00',"
    "`training` datetime NOT NULL default '0000-00-00 00:00:00',"
    "`model` char(12) NOT NULL default '',"
    "`quota` smallint(6) NOT NULL default '0',"
    "`audio` char(16) NOT NULL default '',"
    "`attributes` char(12) NOT NULL default '',"
    "`photoperiod` char(12) NOT NULL default '',"
    "`details` char(80) NOT NULL default '',"
    "PRIMARY KEY  (`bird_name`))";

const char* const kCreateSessionsTable =
    "CREATE TABLE `sessions` ("
    "`session_ID` int(11) NOT NULL auto_increment,"
    "`sound_folder` varchar(100) NOT NULL default 'c:\\\\tirra',"
    "`quota` int(11) NOT NULL default '10',"
    "`gap` float NOT NULL default '2',"
    "`random_switch` tinyint(4) NOT NULL default '0',"
    "`auto_scroll` tinyint(4) NOT NULL default '0',"
    "`locked` tinyint(4) NOT NULL default '0',"
    "`random_onset` tinyint(4) NOT NULL default '0',"
    "`enabled` tinyint(4) NOT NULL default '0',"
    "`state` tinyint(4) NOT NULL default '0',"
    "`start_hour` int(11) NOT NULL default '0',"
    "`start_min` int(11) NOT NULL default '0',"
    "`end_hour` int(11) NOT NULL default '0',"
    "`end_min` int(11) NOT NULL default '0',"
    "`random_onset_delay` int(11) NOT NULL default '0',"
    "`playback_list` smallint(6) NOT NULL default '0',"
    "`enable_quota` tinyint(4) NOT NULL default '0',"
    "`song_played` int(11) NOT NULL default '0',"
    "`song_index` int(11) NOT NULL default '0',"
    "`gap_timer` int(11) NOT NULL default '0',"
    "`operant` int(11) NOT NULL default '0',"
    "`odds` float NOT NULL default '0.1',"
    "PRIMARY KEY  (`session_ID`));";

const char* const kNidaqMissingKeyDefaults =
    "could not find NIDAQ table, keys will be assigned with default values";
const char* const kSettingsMissing = "could not find setting table, recorder will start using default values";
const char* const kNidaqMissingNoPecks = "could not find NIDAQ table. Key pecks wont register";
const char* const kKeyPecksMissing = "could not find key-pecks table. Training records wont register";

// ---------------------------------------------------------------- marker file

QString MarkerFile::localFile() { return tirra::localPath(kStoredPath); }

void MarkerFile::recreate() {
  file_.close();
  const QString path = localFile();
  QFile::remove(path);
  QDir().mkpath(QFileInfo(path).absolutePath());
  file_.setFileName(path);
  if (!file_.open(QIODevice::ReadWrite | QIODevice::Truncate))
    throw StationError(QStringLiteral("cannot create %1: %2").arg(path, file_.errorString()));
}

void MarkerFile::remove() {
  file_.close();
  QFile::remove(localFile());
}

// ---------------------------------------------------------------- tables

bool tableExists(Query& q, const QString& name) {
  q.open(QStringLiteral("SHOW TABLES;"));
  q.first();
  for (int i = 0; i < q.recordCount(); ++i, q.next()) {
    if (q.firstColumn() == name) return true;  // exact, case counts
  }
  return false;
}

namespace {

// Appends rows holding nothing but the column defaults.
void appendDefaultRows(Table& t, int count) {
  for (int i = 0; i < count; ++i) {
    t.edit();
    t.append();
    t.post();
  }
}

}  // namespace

void createSettingsTable(Table& current, Command& cmd) {
  current.close();
  cmd.execute(kCreateSettingsTable);
  current.open();
  current.refresh();
  current.first();
  appendDefaultRows(current, 13);
  current.first();
  for (int j = 0; j < 13; ++j) {
    const QString folder = QString::number(std::max(j - 1, 0));
    current.edit();
    current.setField("bird_ID", QString::number(j));
    current.setField("hatching_date", "2010-01-02");
    current.setField("start_training", "2010-02-02");
    current.setField("stop_training", "2010-03-02");
    current.setField("quota", 10);
    current.setField("FFT_window", "441");
    current.setField("advance_window", "44");
    current.setField("frequency_range", "2");
    current.setField("hp_big", "500");
    current.setField("hp_small", "50");
    current.setField("input_folder", "c:\\tirra\\in" + folder);
    current.setField("output_folder_sound", "c:\\tirra\\out" + folder);
    current.post();
    current.next();
  }
  current.refresh();
  current.first();
}

void createKeyPecksTable(Table& keypeckTable, Command& cmd) {
  keypeckTable.close();
  cmd.execute(kCreateKeyPecksTable);
  keypeckTable.open();
  keypeckTable.refresh();
}

void createNidaqTable(Table& NIDAQ, Command& cmd, MarkerFile& marker) {
  NIDAQ.close();
  marker.recreate();
  cmd.execute(kCreateNidaqTable);
  NIDAQ.open();
  NIDAQ.refresh();
  NIDAQ.first();
  appendDefaultRows(NIDAQ, 40);
  NIDAQ.first();
  for (int j = 0; j < 40; ++j) {
    NIDAQ.edit();
    NIDAQ.setField("device_ID", 1);
    NIDAQ.setField("port", 0);
    NIDAQ.setField("line", j % 8);
    NIDAQ.post();
    NIDAQ.next();
  }
  NIDAQ.refresh();
  NIDAQ.first();
}

void createChannelsTable(Table& channels, Command& cmd) {
  cmd.execute(kCreateChannelsTable);
  channels.open();
  channels.edit();
  // Each insert writes the row filled before it.
  for (char id = 'a'; id <= 'j'; ++id) {
    channels.insert();
    channels.setField("id", QString(QChar(id)));
  }
  channels.post();
  channels.refresh();
}

void createAnimalsTable(Query& q, Command& cmd) {
  if (tableExists(q, "animals")) return;
  cmd.execute(kCreateAnimalsTable);
}

void createSessionsTable(Table& sessions, Query& q, Command& cmd, MarkerFile& marker) {
  marker.remove();
  if (tableExists(q, "sessions")) return;
  cmd.execute(kCreateSessionsTable);
  sessions.open();
  sessions.refresh();
  sessions.first();
  appendDefaultRows(sessions, 20);  // session_ID 1..20 for sessions 0..19
  sessions.refresh();
  sessions.first();
}

}  // namespace tirra::db
