// A channel's settings button, activation box and mode group, which move the channel's
// state (4 x mode + 1 when active; modes trigger, simple recording, slave) and refresh its
// panel from the recording control; and the panel's display switches.
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "platform/prompts.h"
#include "recording/bird_props.h"
#include "recording/component/ztbird.h"
#include "shell/tform1.h"
#include "widgets/colours.h"
#include "widgets/numlab.h"
#include "widgets/radiogroup.h"

namespace {

const char* const kNotConfigured =
    "Sorry, Tirra cannot activate this device because the input channel is not configured. Click the "
    "settings button above and select a valid input channel";
const char* const kNameChanged =
    "Important: You have changed bird name but this will not register properly with other Tirra modules "
    "(e.g., with Quenby) unless you go to the Animal tab and update the bird name and details.";

// The channel of a settings button options1..options10, -1 for none.
int optionsChannel(const TForm1* f, const QObject* sender) {
  for (int c = 0; c < 10; ++c)
    if (sender == f->findChild<QPushButton*>(QString("options%1").arg(c + 1))) return c;
  return -1;
}

void paintPanel(TForm1* f, int c, bool black) {
  if (black)
    colours::setBackground(f->recPanels[c], colours::Black);
  else
    f->recPanels[c]->setPalette(QApplication::palette(f->recPanels[c]));
}

}  // namespace

void TForm1::refreshChannelPanel(int c) {
  CZT_OCX_BirdProps props;
  props.readFromBird(birdControls[c]);
  activationEnabled = false;
  // The caption composed last stays for the states that compose none (4 and 8).
  QString& composed = activationCaption;
  switch (props.m_lBirdState) {
    case 0:
      activeBoxes[c]->setChecked(false);
      composed = "Off";
      channelModeGroups[c]->setItemIndex(2);
      break;
    case 1:
      activeBoxes[c]->setChecked(true);
      composed = "On trigger";
      channelModeGroups[c]->setItemIndex(0);
      break;
    case 5:
      activeBoxes[c]->setChecked(true);
      composed = "Simple recorder";
      channelModeGroups[c]->setItemIndex(1);
      break;
    case 9:
      activeBoxes[c]->setChecked(true);
      composed = "Slave";
      channelModeGroups[c]->setItemIndex(0);  // from another item this makes the slave a trigger channel
      break;
    default:
      break;
  }
  activeBoxes[c]->setText(composed);
  const int scaler = static_cast<int>(props.m_fIOM_InputScaler * 10);
  scalerBars[c]->setValue(scaler);
  scalerLabels[c]->setValue(scalerBars[c]->value() * 0.1);
  thresholdBars[c]->setValue(props.m_lPeakThreshold / 320);
  gainBars[c]->setValue(static_cast<int>(-props.m_fPeakGain));
  birdNames[c] = props.m_sBirdID;
  activationEnabled = true;
}

void TForm1::options1Click(QObject* sender) {
  const int c = optionsChannel(this, sender);
  if (c < 0) return;
  for (int i = 1; i <= 10; ++i) {
    QPushButton* b = widget<QPushButton>(QString("options%1").arg(i));
    QFont font = b->font();
    font.setBold(i == c + 1);
    b->setFont(font);
  }
  TztBird* bird = birdControls[c];
  const QPoint where(10, 80 * c);
  if (btnStartEngine->isEnabled()) {
    const QString before = bird->GetStringValue(5);
    bird->InvokeConfigureDlg();
    const QString after = bird->GetStringValue(5);
    if (after != before) {
      current.moveTo(c + 3);
      current.edit();
      current.setField("bird_ID", after);
      current.post();
      tirra::prompts().message(tirra::MsgKind::Warning, kNameChanged, where);
    }
    refreshChannelPanel(c);
  } else {
    tirra::prompts().message(tirra::MsgKind::Information,
                             "\r To set this chanel you must stop the recording \r\r \r Sound input: " +
                                 bird->GetStringValue(6) + "\r\r Sound playbacks: " + bird->GetStringValue(7),
                             where);
  }
}

void TForm1::active1Click(QObject* sender) {
  if (!activationEnabled) return;
  const int c = indexOfSender(activeBoxes, sender);
  if (c < 0) return;
  TztBird* bird = birdControls[c];
  if (engineRunning) {
    // While recording the box pauses and resumes the channel; its state stays.
    if (activeBoxes[c]->isChecked()) {
      bird->SetLongValue(10, 0);
      refreshChannelPanel(c);
      paintPanel(this, c, false);
    } else {
      bird->SetLongValue(10, 1);
      activeBoxes[c]->setText("Paused");
      paintPanel(this, c, true);
    }
    return;
  }
  CZT_OCX_BirdProps props;
  props.readFromBird(bird);
  if (activeBoxes[c]->isChecked()) {
    if (props.m_sInputDescription.startsWith("inva")) {
      tirra::prompts().message(tirra::MsgKind::Error, kNotConfigured, QPoint(10, 80));
      activeBoxes[c]->setChecked(false);  // runs this handler again, as a deactivation
      return;
    }
    switch (props.m_lBirdState) {
      case 0: props.m_lBirdState = 1; break;
      case 4: props.m_lBirdState = 5; break;
      case 8: props.m_lBirdState = 9; break;
      default: props.m_lBirdState = 1; break;
    }
  } else {
    switch (props.m_lBirdState) {
      case 1: props.m_lBirdState = 0; break;
      case 5: props.m_lBirdState = 4; break;
      case 9: props.m_lBirdState = 8; break;
      default: props.m_lBirdState = 0; break;
    }
  }
  props.m_lRecordingDisplay = 3;
  props.writeToBird(bird);
  refreshChannelPanel(c);
}

void TForm1::channel_mode1Click(QObject* sender) {
  const int c = indexOfSender(channelModeGroups, sender);
  if (c < 0) return;
  static const int kStateOfItem[3] = {1, 5, 0};
  const int item = channelModeGroups[c]->itemIndex();
  if (item < 0 || item > 2) return;
  birdControls[c]->SetLongValue(0, kStateOfItem[item]);
  refreshChannelPanel(c);
}

void TForm1::tmpSound1Change(QObject* sender) {
  if (!channelControlsLoaded) return;
  int c = indexOfSender(tmpSoundEdits, sender);
  if (c < 0) c = indexOfSender(saveEdits, sender);
  if (c < 0) return;
  // Every keystroke reaches the control; the folders are made only when recording starts.
  CZT_OCX_BirdProps props;
  props.readFromBird(birdControls[c]);
  props.m_sTempFilePath = tmpSoundEdits[c]->text();
  props.m_sStage1Folder = saveEdits[c]->text();
  props.writeToBird(birdControls[c]);
}

void TForm1::displayClick() {
  // Down: two columns of tall panels; up: one column of compact ones.
  const bool wide = display->isChecked();
  auto* grid = findChild<QGridLayout*>("channel_grid");
  for (int c = 0; c < 10; ++c) {
    if (grid) {
      grid->removeWidget(recPanels[c]);
      if (wide)
        grid->addWidget(recPanels[c], c / 2, c % 2);
      else
        grid->addWidget(recPanels[c], c, 0);
    }
    recPanels[c]->setFixedHeight(wide ? 200 : 97);
    birdControls[c]->setFixedHeight(wide ? 195 : 95);
  }
  resize(wide ? 970 : 510, height());
  display->setText(wide ? "Smaller" : "Bigger");
}

void TForm1::trigger1Click(QObject* sender) {
  const int c = indexOfSender(triggerButtons, sender);
  if (c < 0) return;
  const bool on = triggerButtons[c]->isChecked();
  triggerButtons[c]->setText(on ? "On" : "Off");
  for (const char* family : {"tl%1", "feedback_delay%1", "delay%1"})
    if (QWidget* w = findChild<QWidget*>(QString::fromLatin1(family).arg(c + 1))) w->setVisible(on);
}

void TForm1::statClick() {
  // Statistics on the recording views while the button is down.
  for (TztBird* b : birdControls)
    if (b) b->SetLongValue(5, stat->isChecked() ? 2 : 3);
}
