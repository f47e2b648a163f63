#include "recording/component/ztbird.h"

#include <QMetaObject>
#include <QPainter>
#include <cmath>

#include "platform/paths.h"
#include "platform/prompts.h"
#include "recording/component/audio_devices.h"
#include "recording/component/setup_dialog.h"
#include "recording/component/wav_files.h"
#include "recording/component/ztbirdengine.h"

using tirra::rec::ChannelCommand;
using tirra::rec::RecorderSettings;

namespace {
// The view redraws at this rate while the engine runs.
constexpr int kFrameMs = 40;

bool affectsRecorderLong(int id) {
  switch (id) {
    case 0: case 2: case 3: case 6: case 7: case 9: case 11: case 15: case 16: case 17: return true;
    default: return false;
  }
}
bool affectsRecorderString(int id) { return id == 0 || id == 1 || id == 3 || id == 5 || id == 8; }
}  // namespace

TztBird::TztBird(QWidget* parent) : QWidget(parent) {
  // No input is chosen yet, and the description says so.
  strings_[6] = tirra::rec::inputDescription(QString(), QString(), 0);
  setMinimumSize(60, 30);
  setAttribute(Qt::WA_OpaquePaintEvent);
  frameTimer_.setInterval(kFrameMs);
  connect(&frameTimer_, &QTimer::timeout, this, &TztBird::nextFrame);
}

TztBird::~TztBird() {
  if (engine_) engine_->birdDestroyed(this);
}

std::int32_t TztBird::GetLongValue(int id) const { return longs_.value(id, 0); }
QString TztBird::GetStringValue(int id) const { return strings_.value(id); }
float TztBird::GetFloatValue(int id) const { return floats_.value(id, 0.0f); }

void TztBird::SetLongValue(int id, std::int32_t value) {
  longs_[id] = value;
  if (id == 21) refreshInputDescription();
  if (id == 27) refreshOutputDescription();
  if (runtime_) {
    if (id == 8 && (value == 1 || value == 2)) {
      ChannelCommand c;
      c.kind = ChannelCommand::Kind::Epoch;
      c.value = value;
      runtime_->post(std::move(c));
    } else if (id == 10) {
      ChannelCommand c;
      c.kind = ChannelCommand::Kind::Suspend;
      c.value = value != 0 ? 1 : 0;
      runtime_->post(std::move(c));
    } else if (affectsRecorderLong(id)) {
      postConfiguration();
    }
  }
  update();
}

void TztBird::SetStringValue(int id, const QString& text) {
  strings_[id] = text;
  if (id == 9 || id == 10) refreshInputDescription();
  if (id == 11 || id == 12) refreshOutputDescription();
  if (runtime_ && affectsRecorderString(id)) postConfiguration();
  update();
}

void TztBird::SetFloatValue(int id, float value) {
  floats_[id] = value;
  if (runtime_ && (id == 0 || id == 1)) postConfiguration();
  update();
}

void TztBird::refreshInputDescription() {
  strings_[6] = tirra::rec::inputDescription(strings_.value(9), strings_.value(10), longs_.value(21));
}

void TztBird::refreshOutputDescription() {
  strings_[7] = tirra::rec::outputDescription(strings_.value(11), strings_.value(12), longs_.value(27));
}

RecorderSettings TztBird::recorderSettings() const {
  RecorderSettings s;
  const auto state = static_cast<std::uint32_t>(longs_.value(0));
  const std::uint32_t mode = (state >> 2) & 3u;
  s.active = (state & 1u) != 0 && mode <= 2;
  s.mode = mode == 1 ? RecorderSettings::Mode::Simple
           : mode == 2 ? RecorderSettings::Mode::Slave
                       : RecorderSettings::Mode::Trigger;
  s.threshold = longs_.value(2);
  s.postThresholdMs = longs_.value(3);
  s.maxDurationMs = longs_.value(6);
  s.peaksToKeep = longs_.value(7);
  s.highPass = longs_.value(9) != 0;
  s.peakTrigger = longs_.value(11);
  s.prebufferSamples = longs_.value(17);
  s.peakGainDb = floats_.value(0);
  s.inputScaler = floats_.value(1);
  s.letter = strings_.value(0);
  s.tempFolder = strings_.value(1);
  s.stage1Folder = strings_.value(3);
  s.birdName = strings_.value(5);
  return s;
}

ChannelCommand TztBird::configurationCommand() const {
  ChannelCommand c;
  c.kind = ChannelCommand::Kind::Configure;
  c.settings = recorderSettings();
  c.masterLetter = strings_.value(8);
  c.displayType = longs_.value(16);
  c.displaySpeed = longs_.value(15);
  return c;
}

void TztBird::postConfiguration() {
  if (runtime_) runtime_->post(configurationCommand());
}

void TztBird::TriggerSound() {
  const QString stored = strings_.value(2);
  if (!runtime_) {
    // Nothing can play while the engine is stopped; the station still hears the end.
    setViewMessage(QStringLiteral("Playback: the engine is stopped; %1 not played").arg(stored));
    QMetaObject::invokeMethod(this, [this] { deliverNotification(tirra::rec::kSoundFinished); }, Qt::QueuedConnection);
    return;
  }
  ChannelCommand c;
  c.kind = ChannelCommand::Kind::Play;
  c.file = stored.trimmed().isEmpty() ? QString() : tirra::localPath(stored);
  c.gain = tirra::rec::volumeGain(longs_.value(13));
  runtime_->post(std::move(c));
}

void TztBird::InvokeConfigureDlg() {
  tirra::rec::AudioSession session;
  tirra::rec::SetupChoice current;
  current.inputModule = strings_.value(9);
  current.inputDevice = tirra::rec::isUnsetId(strings_.value(10)) ? QString() : strings_.value(10);
  current.inputChannel = longs_.value(21);
  current.outputModule = strings_.value(11);
  current.outputDevice = tirra::rec::isUnsetId(strings_.value(12)) ? QString() : strings_.value(12);
  current.outputChannel = longs_.value(27);
  current.birdName = strings_.value(5);
  tirra::rec::BirdSetupDialog dialog(session.devices(), session.ok() ? QString() : session.error(), current,
                                     strings_.value(0), this);
  if (tirra::prompts().execDialog(&dialog) != QDialog::Accepted) return;
  const tirra::rec::SetupChoice c = dialog.choice();
  SetStringValue(5, c.birdName);
  SetStringValue(9, c.inputModule);
  SetStringValue(10, c.inputDevice);
  SetLongValue(21, c.inputChannel);
  SetStringValue(11, c.outputModule);
  SetStringValue(12, c.outputDevice);
  SetLongValue(27, c.outputChannel);
  // Strings 6 and 7 now describe the choice (refreshed by the sets above).
}

tirra::rec::ChannelStatus TztBird::status() const {
  return runtime_ ? runtime_->status() : lastStatus_;
}

void TztBird::deliverNotification(int code) { emit OnBirdNotification(this, code); }

void TztBird::setViewMessage(const QString& message) {
  message_ = message;
  update();
}

void TztBird::attachRuntime(tirra::rec::ChannelRuntime* runtime) {
  runtime_ = runtime;
  runtime_->setViewWidth(width());
  display_.clear();
  frameTimer_.start();
  update();
}

void TztBird::detachRuntime() {
  if (!runtime_) return;
  lastStatus_ = runtime_->status();
  lastStatus_.running = false;
  lastStatus_.recording = false;
  runtime_ = nullptr;
  frameTimer_.stop();
  update();
}

void TztBird::nextFrame() {
  if (!runtime_) return;
  const std::vector<tirra::rec::WaveColumn> columns = runtime_->takeColumns();
  lastStatus_ = runtime_->status();
  if (!columns.empty()) display_.append(columns, longs_.value(16), width());
  if (isVisible()) update();
}

void TztBird::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (runtime_) runtime_->setViewWidth(width());
}

void TztBird::paintEvent(QPaintEvent*) {
  QPainter p(this);
  tirra::rec::ViewState v;
  const QString letter = strings_.value(0);
  const QString name = strings_.value(5);
  v.title = letter.isEmpty() ? name : (name.isEmpty() ? letter : letter + QStringLiteral("  ") + name);
  v.message = message_;
  if (v.message.isEmpty() && strings_.value(6).startsWith(QStringLiteral("invalid"))) v.message = strings_.value(6);
  v.displayType = longs_.value(16);
  v.recordingDisplay = longs_.value(5);
  v.threshold = longs_.value(2);
  v.peakGainDb = floats_.value(0);
  v.thresholdLevel = longs_.value(2) / std::pow(10.0, floats_.value(0) / 20.0);
  v.active = (longs_.value(0) & 1) != 0;
  v.running = runtime_ != nullptr;
  v.status = lastStatus_;
  display_.paint(p, rect(), v);
}
