#pragma once
// The station's main window. It owns every widget, the database components, the eleven
// recording controls and all run-time state. Its member functions live in the folder of
// their concern (shell/, persistence/, recording/, training/, operant/, records/); this
// header is the table of contents.
#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <array>
#include <cstdint>
#include <memory>

#include "operant/daqmx.h"
#include "operant/key_input.h"
#include "persistence/dataaccess.h"
#include "persistence/schema.h"
#include "training/session_record.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QTabWidget;
class QToolButton;
class FileListBox;
class NumLab;
class RadioGroup;
class Shape;
class SpinButton;
class TztBird;
class TztBirdEngine;
class UpDown;
class Tanimals_form;

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  // Builds the window, reads the properties file "c:/tirra/db.properties" and connects.
  // A missing file ends the process with exit code 2, a missing key with code 4.
  TForm1();
  ~TForm1() override;

  template <class W>
  W* widget(const QString& name) const;  // a widget by its design name; throws when absent

  // ---- shell: lifecycle (shell/lifecycle.cpp) -------------------------------------
  void FormShow();
  void FormCloseQuery();
  void ExitClick();
  bool formShown() const { return formShown_; }

  // ---- shell: deferred initialisation (shell/deferred_init.cpp) ------------------
  void deferredInitialise();
  void fillComponentArrays();
  void loadTrainingButtons();
  void refreshChannelControls();
  void loadSessionsAndChannels();

  // ---- shell: main timer (shell/main_timer.cpp) ----------------------------------
  void Timer1Timer();
  void timer_intervalChange();
  int tickRate() const;  // T = 1000 div the timer interval

  // ---- persistence: tables (persistence/tables.cpp) -----------------------------
  bool tableExists(const QString& name);
  void createSettingsTable();
  void createKeyPecksTable();
  void createNidaqTable();
  void createChannelsTable();
  void createAnimalsTable();
  void createSessionsTable();
  void openTables();

  // ---- persistence: bird rows (persistence/bird_rows.cpp) --------------------------
  void loadBirdRows();
  void refreshBirdNamesAndAges();
  void refreshAges();
  void hatch1Change(QObject* sender);
  void start1Change(QObject* sender);
  void end1Change(QObject* sender);
  void update_tablesClick();

  // ---- persistence: database switch and defaults (persistence/database_switch.cpp) --
  void listDatabases();
  void change_databaseClick();
  void defaultsClick();
  void restoreDefaults();

  // ---- records: key-peck log view (records/keypeck_view.cpp) -----------------------
  void BitBtn6Click();
  void ToExelClick();
  void empty_tableClick();
  void keypeck_TbChange();
  void key_trackClick();
  void key_track1Click();

  // ---- records: birds from the animals register (records/set_bird.cpp) ------------
  void set1Click(QObject* sender);
  Tanimals_form* animals_form = nullptr;  // the animals window, created at start and reused

  // ---- recording: station-wide bars (recording/channel_controls.cpp) -------------
  void pre_thresh_bufferChange();
  void minimum_recording_durationChange();
  void MaxDurChange();
  void SoundDurTbChange();
  void speedChange();
  void display_typesClick();
  void direct_recording_durationChange();
  // the per-channel bars
  void trckThreshold1Change(QObject* sender);
  void gain1Change(QObject* sender);
  void vol1Change(QObject* sender);
  void scaler1Change(QObject* sender);

  // ---- recording: channel rows (recording/channel_rows.cpp) ----------------------
  void loadChannelRow(int c);
  void saveChannelRow(int c);
  void saveAllChannels();
  void SaveDefaultClick();
  void save_configClick();
  std::array<bool, 10> channelRowLoaded{};  // channel c's rows have reached its controls

  // ---- recording: engine start, stop, notifications (recording/engine.cpp) --------
  void btnStartEngineClick();
  void btnStopEngineClick();
  void checkChannelFolders(int c);
  void ztBird1BirdNotification(QObject* sender, int nEventID);
  void applyRunningButtons();
  void applyStoppedButtons();
  bool folderError = false;

  // ---- recording: activation and panel switches (recording/activation.cpp) --------
  void refreshChannelPanel(int c);
  void options1Click(QObject* sender);
  void active1Click(QObject* sender);
  void channel_mode1Click(QObject* sender);
  void tmpSound1Change(QObject* sender);
  void displayClick();
  void trigger1Click(QObject* sender);
  void statClick();
  QString activationCaption = QStringLiteral("Active");  // the caption the refresh composed last

  // ---- operant: digital input (operant/key_inputs.cpp) ---------------------------
  void setUpKeyTasks();
  void readKeyLines();
  void showDetectorStates();
  void stopKeyTasks();
  void NIcard_existsClick();
  void NI_device_numChange();
  void num_portsChange();
  void port0Click();
  // key line assignment (operant/key_lines.cpp)
  void loadKeyLines();
  void saveKeyLines();
  void p1sDownClick(QObject* sender);
  void p1sUpClick(QObject* sender);
  void l1sDownClick(QObject* sender);
  void l1sUpClick(QObject* sender);
  int keyLevel(int k) const;  // the level byte of key k's detector (released when unwired)

  // ---- state (see the window's design) --------------------------------------------
  QString dateText;
  QString timeText;
  std::int32_t clockHour = 0;
  std::int32_t clockMinute = 0;
  std::int32_t sessionStartCount = 0;
  bool engineRunning = false;
  bool activationEnabled = false;
  bool channelControlsLoaded = false;
  std::int32_t daqDevice = 0;
  std::array<std::int32_t, 10> recordingsToday{};
  std::array<QString, 10> birdNames;

  std::array<SessionRecord, 20> sessionRecords{};
  std::array<KeyInput, 20> keyInputs{};
  std::uint8_t portLines[3][100] = {};
  std::array<tirra::daqmx::TaskHandle, 3> keyTasks{};
  std::int32_t sampsPerChanRead = 0;
  std::int32_t numBytesPerSamp = 0;

  // main timer counters
  bool firstTick = true;
  std::int32_t tickCount = 0;
  std::int32_t halfMinuteCount = 0;
  std::int32_t toggleCount = 9999999;
  bool toggleOn = false;
  bool minimumDurationFirstCall = true;  // the first change of the post-threshold bar is ignored

  // ---- components --------------------------------------------------------------
  tirra::db::Connection MyConnection1;
  tirra::db::Table current{MyConnection1, "settings", 1000};
  tirra::db::Table NIDAQ{MyConnection1, "nidaq", 50};
  tirra::db::Table keypeckTable{MyConnection1, "key_pecks", 2000};
  tirra::db::Table channels{MyConnection1, "channels", 0};
  tirra::db::Table sessions{MyConnection1, "sessions", 25};
  tirra::db::Query MyQuery1{MyConnection1};
  tirra::db::Command MyCommand1{MyConnection1};
  tirra::db::MarkerFile birdsMarker;

  QTimer* Timer1 = nullptr;
  QTimer* biofeedbacktimer = nullptr;
  QTabWidget* controls = nullptr;
  TztBirdEngine* ztBirdEngine1 = nullptr;

  // ---- component arrays (filled by fillComponentArrays, except the first two) -----
  std::array<QSlider*, 10> thresholdBars{};
  std::array<QSlider*, 10> gainBars{};

  std::array<TztBird*, 10> birdControls{};
  std::array<QCheckBox*, 10> activeBoxes{};
  std::array<QToolButton*, 10> trainButtons{};
  std::array<QToolButton*, 10> sessionTrainButtons{};
  std::array<QToolButton*, 10> triggerButtons{};
  std::array<QCheckBox*, 10> biofeedbackBoxes{};
  std::array<QLabel*, 10> feedbackLabels{};
  std::array<Shape*, 10> boxShapes{};
  std::array<QSlider*, 10> volumeBars{};
  std::array<QSlider*, 10> scalerBars{};
  std::array<NumLab*, 10> scalerLabels{};
  std::array<QProgressBar*, 10> recordedBars{};
  std::array<NumLab*, 10> passivePlayedLabels{};
  std::array<QLabel*, 10> playingImages{};
  std::array<QLabel*, 10> playbackErrorLabels{};
  std::array<QFrame*, 10> recPanels{};
  std::array<RadioGroup*, 10> channelModeGroups{};
  std::array<QLineEdit*, 10> saveEdits{};
  std::array<QLineEdit*, 10> tmpSoundEdits{};
  std::array<QCheckBox*, 10> muteRecordingBoxes{};
  std::array<QCheckBox*, 10> toTrainBoxes{};
  std::array<QCheckBox*, 10> toStopBoxes{};
  std::array<QDateEdit*, 10> hatchPickers{};  // hatch1..hatch10 (found with the arrays)
  std::array<QDateEdit*, 10> startPickers{};
  std::array<QDateEdit*, 10> endPickers{};
  std::array<QSlider*, 10> switchQuotaBars{};
  std::array<NumLab*, 10> switchQuotaLabels{};
  std::array<QCheckBox*, 10> switchListsBoxes{};
  std::array<QFrame*, 10> listPanels{};
  std::array<QToolButton*, 10> lockButtons{};
  std::array<QToolButton*, 10> sessionLockButtons{};
  std::array<QCheckBox*, 20> sessionBoxes{};
  std::array<QFrame*, 20> sessionPanels{};
  std::array<QFrame*, 20> passivePanels{};
  std::array<QLabel*, 20> sessionStartLabels{};
  std::array<QLabel*, 20> sessionEndLabels{};
  std::array<SpinButton*, 40> sessionHourButtons{};
  std::array<SpinButton*, 40> sessionMinuteButtons{};
  std::array<NumLab*, 20> quotaLabels{};
  std::array<UpDown*, 20> quotaUpDowns{};
  std::array<QCheckBox*, 20> enableQuotaBoxes{};
  std::array<NumLab*, 20> gapLabels{};
  std::array<UpDown*, 20> gapUpDowns{};
  std::array<NumLab*, 20> passiveOddsLabels{};
  std::array<UpDown*, 20> passiveOddsUpDowns{};
  std::array<RadioGroup*, 20> onsetTimingGroups{};
  std::array<QComboBox*, 20> playbackControlCombos{};
  std::array<QComboBox*, 20> playbackListCombos{};
  std::array<NumLab*, 20> playbackCountLabels{};
  std::array<QLineEdit*, 20> folderEdits{};
  std::array<QPushButton*, 20> inputButtons{};
  std::array<QPushButton*, 20> playButtons{};
  std::array<QCheckBox*, 20> randomSwitchBoxes{};
  std::array<QCheckBox*, 20> autoScrollBoxes{};
  std::array<QPushButton*, 20> resetCountsButtons{};
  std::array<FileListBox*, 20> soundListBoxes{};
  std::array<QLabel*, 20> songLabels{};
  std::array<NumLab*, 20> playCountLabels{};
  std::array<Shape*, 20> keyShapes{};
  std::array<Shape*, 20> detectShapes{};
  std::array<QCheckBox*, 20> keyEffectBoxes{};
  std::array<QSlider*, 20> effectDurationBars{};
  std::array<QSlider*, 20> effectDelayBars{};
  std::array<NumLab*, 80> portLineLabels{};

  // ---- single controls the handlers use -------------------------------------------
  QLabel* wait = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* sessionLb = nullptr;
  QPushButton* btnStartEngine = nullptr;
  QPushButton* btnStopEngine = nullptr;
  QPushButton* save_config = nullptr;
  QPushButton* SaveDefault = nullptr;
  QPushButton* loadConfig = nullptr;
  QToolButton* display = nullptr;
  QToolButton* stat = nullptr;
  QCheckBox* NIcard_exists = nullptr;
  QSlider* NI_device_num = nullptr;
  NumLab* NInum = nullptr;
  QSlider* num_ports = nullptr;
  NumLab* num_portsVal = nullptr;
  QFrame* NI_panel = nullptr;
  QWidget* devices = nullptr;
  QSlider* direct_recording_duration = nullptr;
  NumLab* direct_recording_duration_val = nullptr;
  QSlider* timer_interval = nullptr;
  NumLab* timer_val = nullptr;
  NumLab* lightsOn = nullptr;
  NumLab* lightsOff = nullptr;
  QCheckBox* dont_train_at_night = nullptr;
  QSlider* pre_thresh_buffer = nullptr;
  NumLab* pre_thresh_buffer_val = nullptr;
  QSlider* minimum_recording_duration = nullptr;
  NumLab* duration = nullptr;
  QSlider* MaxDur = nullptr;
  NumLab* MaxDurN = nullptr;
  QSlider* SoundDurTb = nullptr;
  NumLab* peaksN = nullptr;
  QSlider* speed = nullptr;
  RadioGroup* display_types = nullptr;
  QPlainTextEdit* messages = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void buildWindow();
  void findSingleControls();
  void connectHandlers();
  void readPropertiesAndConnect();
  bool formShown_ = false;
  bool closing_ = false;
};

#include "shell/tform1_widget.h"
