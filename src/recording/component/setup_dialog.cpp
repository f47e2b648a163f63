#include "recording/component/setup_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace tirra::rec {

namespace {
// Item data of the device boxes: the device's place in the list, -1 for "none",
// -2 for a stored device that is not present now (kept as it was).
constexpr int kNone = -1;
constexpr int kAbsent = -2;
}  // namespace

BirdSetupDialog::BirdSetupDialog(const QList<AudioDevice>& devices, const QString& problem,
                                 const SetupChoice& current, const QString& channelLetter, QWidget* parent)
    : QDialog(parent), devices_(devices) {
  setObjectName(QStringLiteral("birdSetupDialog"));
  setWindowTitle(channelLetter.isEmpty() ? QStringLiteral("Channel setup")
                                         : QStringLiteral("Channel %1 setup").arg(channelLetter));
  setModal(true);

  inputDevice_ = new QComboBox(this);
  inputDevice_->setObjectName(QStringLiteral("inputDevice"));
  inputChannel_ = new QComboBox(this);
  inputChannel_->setObjectName(QStringLiteral("inputChannel"));
  outputDevice_ = new QComboBox(this);
  outputDevice_->setObjectName(QStringLiteral("outputDevice"));
  outputChannel_ = new QComboBox(this);
  outputChannel_->setObjectName(QStringLiteral("outputChannel"));
  birdName_ = new QLineEdit(current.birdName, this);
  birdName_->setObjectName(QStringLiteral("birdName"));
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("deviceNote"));
  note_->setWordWrap(true);

  auto fillDevices = [&](QComboBox* box, bool input, const QString& module, const QString& name) {
    box->addItem(input ? QStringLiteral("(no input)") : QStringLiteral("(no output)"), kNone);
    int selected = 0;
    for (int i = 0; i < devices_.size(); ++i) {
      const AudioDevice& d = devices_[i];
      if ((input ? d.maxInputs : d.maxOutputs) <= 0) continue;
      box->addItem(d.label(), i);
      if (d.name == name && (isUnsetId(module) || d.module == module)) selected = box->count() - 1;
    }
    if (!isUnsetId(name) && selected == 0) {
      // The stored device is missing now: keep it selectable so that OK does not lose it.
      box->addItem(QStringLiteral("%1 (not present)").arg(name), kAbsent);
      selected = box->count() - 1;
    }
    box->setCurrentIndex(selected);
  };
  fillDevices(inputDevice_, true, current.inputModule, current.inputDevice);
  fillDevices(outputDevice_, false, current.outputModule, current.outputDevice);
  fillChannels(inputDevice_, inputChannel_, true, current.inputChannel);
  fillChannels(outputDevice_, outputChannel_, false, current.outputChannel);
  connect(inputDevice_, &QComboBox::currentIndexChanged, this,
          [this] { fillChannels(inputDevice_, inputChannel_, true, 0); });
  connect(outputDevice_, &QComboBox::currentIndexChanged, this,
          [this] { fillChannels(outputDevice_, outputChannel_, false, 0); });
  inputDevice_->setProperty("storedModule", current.inputModule);
  inputDevice_->setProperty("storedName", current.inputDevice);
  outputDevice_->setProperty("storedModule", current.outputModule);
  outputDevice_->setProperty("storedName", current.outputDevice);

  if (!problem.isEmpty())
    note_->setText(QStringLiteral("The sound system cannot be used: %1").arg(problem));
  else if (devices_.isEmpty())
    note_->setText(QStringLiteral("No sound device was found on this machine."));
  else
    note_->setText(QStringLiteral("Choose where this channel's bird is heard and where its playbacks go."));

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Input device:"), inputDevice_);
  form->addRow(QStringLiteral("Input:"), inputChannel_);
  form->addRow(QStringLiteral("Output device:"), outputDevice_);
  form->addRow(QStringLiteral("Output:"), outputChannel_);
  form->addRow(QStringLiteral("Bird name:"), birdName_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("buttons"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note_);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void BirdSetupDialog::fillChannels(QComboBox* deviceBox, QComboBox* channelBox, bool input, int select) {
  channelBox->clear();
  const int pos = deviceBox->currentData().toInt();
  int count = 0;
  if (pos >= 0 && pos < devices_.size()) count = input ? devices_[pos].maxInputs : devices_[pos].maxOutputs;
  if (pos == kAbsent) count = std::max(1, select + 1);
  const QString word = input ? QStringLiteral("input %1") : QStringLiteral("output %1");
  for (int i = 0; i < count; ++i) channelBox->addItem(word.arg(i + 1), i);
  channelBox->setEnabled(count > 0);
  if (count > 0) channelBox->setCurrentIndex(std::clamp(select, 0, count - 1));
}

SetupChoice BirdSetupDialog::choice() const {
  SetupChoice c;
  c.birdName = birdName_->text();
  auto read = [this](QComboBox* deviceBox, QComboBox* channelBox, QString& module, QString& name,
                     std::int32_t& channel) {
    const int pos = deviceBox->currentData().toInt();
    if (pos >= 0 && pos < devices_.size()) {
      module = devices_[pos].module;
      name = devices_[pos].name;
    } else if (pos == kAbsent) {
      module = deviceBox->property("storedModule").toString();
      name = deviceBox->property("storedName").toString();
    } else {
      module.clear();
      name.clear();
    }
    channel = channelBox->count() > 0 ? channelBox->currentData().toInt() : 0;
  };
  read(inputDevice_, inputChannel_, c.inputModule, c.inputDevice, c.inputChannel);
  read(outputDevice_, outputChannel_, c.outputModule, c.outputDevice, c.outputChannel);
  return c;
}

}  // namespace tirra::rec
