// The main window: construction from the six pages, the properties file and the
// connection.
#include "shell/tform1.h"

#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "persistence/config.h"
#include "platform/paths.h"
#include "recording/component/ztbird.h"
#include "recording/component/ztbirdengine.h"
#include "shell/pages/pages.h"
#include "widgets/numlab.h"
#include "widgets/radiogroup.h"

namespace {
// Where the station learns how to reach its database.
const char* const kPropertiesFile = "c:/tirra/db.properties";
}  // namespace

TForm1::TForm1() {
  // 1. The window and its designed components.
  buildWindow();
  // 2. Text fields empty.
  dateText.clear();
  timeText.clear();
  for (QString& n : birdNames) n.clear();
  // 3.-7. Properties file and connection.
  readPropertiesAndConnect();
  // 8. Guard flags.
  activationEnabled = true;
  channelControlsLoaded = false;
}

TForm1::~TForm1() = default;

void TForm1::buildWindow() {
  setObjectName("Form1");
  setWindowTitle("Tirra Recorder Noll 1.12");
  auto* central = new QWidget(this);
  auto* lay = new QVBoxLayout(central);
  lay->setContentsMargins(0, 0, 0, 0);
  controls = new QTabWidget(central);
  controls->setObjectName("controls");
  controls->addTab(buildMainPage(), "Main");
  controls->addTab(buildRecordingPage(), "Recording");
  controls->addTab(buildPlaybacksPage(), "Playbacks");
  controls->addTab(buildDevicesPage(), "Operant devices");
  controls->addTab(buildAnimalsPage(), "Animals");
  controls->addTab(buildLogPage(), "Log && options");
  controls->setCurrentIndex(0);
  lay->addWidget(controls);
  setCentralWidget(central);
  resize(1040, 838);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(100);
  biofeedbacktimer = new QTimer(this);
  biofeedbacktimer->setObjectName("biofeedbacktimer");
  biofeedbacktimer->setInterval(20000);

  findSingleControls();
  // The engine drives the ten bird controls of the channel panels, in channel order.
  for (int n = 1; n <= 10; ++n) ztBirdEngine1->addBird(widget<TztBird>(QString("ztBird%1").arg(n)));
  // Stopped at start: Start, Save Default and Load Config on, Stop off (the Play buttons
  // are built off).
  btnStartEngine->setEnabled(true);
  SaveDefault->setEnabled(true);
  loadConfig->setEnabled(true);
  btnStopEngine->setEnabled(false);
  connectHandlers();
  Timer1->start();  // enabled from the start; the first tick runs the deferred initialisation
}

void TForm1::findSingleControls() {
  ztBirdEngine1 = widget<TztBirdEngine>("ztBirdEngine1");
  wait = widget<QLabel>("wait");
  Label1 = widget<QLabel>("Label1");
  sessionLb = widget<QLabel>("sessionLb");
  btnStartEngine = widget<QPushButton>("btnStartEngine");
  btnStopEngine = widget<QPushButton>("btnStopEngine");
  save_config = widget<QPushButton>("save_config");
  SaveDefault = widget<QPushButton>("SaveDefault");
  loadConfig = widget<QPushButton>("loadConfig");
  display = widget<QToolButton>("display");
  stat = widget<QToolButton>("stat");
  direct_recording_duration = widget<QSlider>("direct_recording_duration");
  direct_recording_duration_val = widget<NumLab>("direct_recording_duration_val");
  pre_thresh_buffer = widget<QSlider>("pre_thresh_buffer");
  pre_thresh_buffer_val = widget<NumLab>("pre_thresh_buffer_val");
  minimum_recording_duration = widget<QSlider>("minimum_recording_duration");
  duration = widget<NumLab>("duration");
  MaxDur = widget<QSlider>("MaxDur");
  MaxDurN = widget<NumLab>("MaxDurN");
  SoundDurTb = widget<QSlider>("SoundDurTb");
  peaksN = widget<NumLab>("peaksN");
  // Controls of the pages built by other concern folders; absent ones stay null until
  // their page carries them.
  NIcard_exists = findChild<QCheckBox*>("NIcard_exists");
  NI_device_num = findChild<QSlider*>("NI_device_num");
  NInum = findChild<NumLab*>("NInum");
  num_ports = findChild<QSlider*>("num_ports");
  num_portsVal = findChild<NumLab*>("num_portsVal");
  NI_panel = findChild<QFrame*>("NI_panel");
  devices = findChild<QWidget*>("devices");
  timer_interval = findChild<QSlider*>("timer_interval");
  timer_val = findChild<NumLab*>("timer_val");
  lightsOn = findChild<NumLab*>("lightsOn");
  lightsOff = findChild<NumLab*>("lightsOff");
  dont_train_at_night = findChild<QCheckBox*>("dont_train_at_night");
  speed = findChild<QSlider*>("speed");
  display_types = findChild<RadioGroup*>("display_types");
  messages = findChild<QPlainTextEdit*>("messages");
}

void TForm1::readPropertiesAndConnect() {
  // The reader ends the process with code 2 when the file cannot be opened and with code
  // 4 when one of the three keys is missing, before any window is shown.
  const QString path = tirra::localPath(kPropertiesFile);
  Config config(path.toLocal8Bit().toStdString());
  const std::string schema = config.valueOf("schema");
  const std::string username = config.valueOf("username");
  const std::string password = config.valueOf("password");
  // Optional keys for a server elsewhere or a private one.
  const auto host = config.find("host");
  const auto port = config.find("port");
  const auto socket = config.find("socket");

  // 8-bit text from the system code page.
  MyConnection1.Database = QString::fromLocal8Bit(schema.c_str());
  MyConnection1.Username = QString::fromLocal8Bit(username.c_str());
  MyConnection1.Password = QString::fromLocal8Bit(password.c_str());
  if (host) MyConnection1.Server = QString::fromLocal8Bit(host->c_str());
  if (port) MyConnection1.Port = QString::fromLocal8Bit(port->c_str()).trimmed().toInt();
  if (socket) MyConnection1.Socket = QString::fromLocal8Bit(socket->c_str());
  sessionStartCount = 1;
  try {
    MyConnection1.Connect();
  } catch (...) {
    // Silent: the next database access asks the user through the connect dialog.
    MyConnection1.LoginPrompt = true;
  }
}
