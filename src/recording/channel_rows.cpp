// Each channel's row of the `channels` table (record c+1) and its bird row of `settings`
// (record c+3): loading them into the channel's recording control and the station's
// switches once at start-up, and writing them back on "Save", "Save Default" and exit.
// The station-wide switches are held in every channel row: a full load leaves them with
// channel 10's values, a save writes their current values into every row.
#include <QCheckBox>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "platform/prompts.h"
#include "recording/bird_props.h"
#include "recording/component/ztbird.h"
#include "shell/tform1.h"
#include "widgets/numlab.h"
#include "widgets/radiogroup.h"

namespace {

using Props = CZT_OCX_BirdProps;

// Switch columns hold 0 or 1; anything but 0 reads as on.
int flag(bool on) { return on ? 1 : 0; }
bool isOn(const tirra::db::Table& t, const char* column) { return t.fieldInt(column) != 0; }

// The recording control keeps its display in visualization mode whatever a row holds.
constexpr std::int32_t kVisualizationOnly = 3;
// The pre-threshold bar is in milliseconds, the control counts samples at 44.1 kHz.
constexpr double kSamplesPerMs = 44.1;

// The columns that mirror a record field under the same name and are written back as the
// record holds them. The recording display and the cutoff are written apart (see save).
struct LongColumn { const char* name; std::int32_t Props::*field; };
struct FloatColumn { const char* name; float Props::*field; };
struct TextColumn { const char* name; QString Props::*field; };

const LongColumn kLongColumns[] = {
    {"m_lPrebufferSamples", &Props::m_lPrebufferSamples},
    {"m_lBirdState", &Props::m_lBirdState},
    {"m_lPeakThreshold", &Props::m_lPeakThreshold},
    {"m_lPeakRecordDuration", &Props::m_lPeakRecordDuration},
    {"m_lMonitorDisplay", &Props::m_lMonitorDisplay},
    {"m_lPeakComparator", &Props::m_lPeakComparator},
    {"m_lPeakHP_Filter", &Props::m_lPeakHP_Filter},
    {"m_lPeakTrigger", &Props::m_lPeakTrigger},
    {"m_lIOM_InputFormatIDX", &Props::m_lIOM_InputFormatIDX},
    {"m_lIOM_InputChannel", &Props::m_lIOM_InputChannel},
    {"m_lIOM_InputPan", &Props::m_lIOM_InputPan},
    {"m_lIOM_InputGain", &Props::m_lIOM_InputGain},
    {"m_lIOM_OutputFormatIDX", &Props::m_lIOM_OutputFormatIDX},
    {"m_lIOM_OutputChannel", &Props::m_lIOM_OutputChannel},
    {"m_lIOM_OutputPan", &Props::m_lIOM_OutputPan},
    {"m_lIOM_OutputGain", &Props::m_lIOM_OutputGain},
};
const FloatColumn kFloatColumns[] = {
    {"m_fPeakGain", &Props::m_fPeakGain},
    {"m_fIOM_InputScaler", &Props::m_fIOM_InputScaler},
};
const TextColumn kTextColumns[] = {
    {"m_sTempFilePath", &Props::m_sTempFilePath},
    {"m_sWaveFile", &Props::m_sWaveFile},
    {"m_sMasterID", &Props::m_sMasterID},
    {"m_sIOM_InputModuleID", &Props::m_sIOM_InputModuleID},
    {"m_sIOM_InputDeviceID", &Props::m_sIOM_InputDeviceID},
    {"m_sIOM_OutputModuleID", &Props::m_sIOM_OutputModuleID},
    {"m_sIOM_OutputDeviceID", &Props::m_sIOM_OutputDeviceID},
};

float floatOf(const tirra::db::Table& t, const char* column) { return static_cast<float>(t.fieldDouble(column)); }

// The channel row's switches into the station's controls, in the order of the row.
void loadSwitches(TForm1* f, int c) {
  const tirra::db::Table& row = f->channels;
  f->NIcard_exists->setChecked(isOn(row, "NIDAQ_exists"));
  f->direct_recording_duration->setValue(row.fieldInt("direct_recording_epochs"));
  f->widget<QCheckBox>("key_track")->setChecked(isOn(row, "keep_track_of_keypecks"));
  f->widget<RadioGroup>("mode")->setItemIndex(row.fieldInt("two_soundlists"));
  // modeClick() joins here with the sound lists: it runs after every load, changed or not,
  // and shows or hides the second lists for the mode just set.
  f->biofeedbackBoxes[c]->setChecked(isOn(row, "self_feedback"));
  f->randomSwitchBoxes[2 * c]->setChecked(isOn(row, "randomly_select_sounds1"));
  f->randomSwitchBoxes[2 * c + 1]->setChecked(isOn(row, "randomly_select_sounds2"));
  f->autoScrollBoxes[2 * c]->setChecked(isOn(row, "auto_scroll_sounds1"));
  f->autoScrollBoxes[2 * c + 1]->setChecked(isOn(row, "auto_scroll_sounds2"));
  f->muteRecordingBoxes[c]->setChecked(isOn(row, "mute_playbacks"));
  f->sessionLockButtons[c]->setChecked(isOn(row, "lock_sessions"));
  // applySessionLock(c) joins here with the session editor: it locks or frees the channel's
  // two sessions as the button now stands.
  f->lockButtons[c]->setChecked(isOn(row, "lock_playbacks"));
  // applyPlaybackLock(c) joins here with the sound lists: it locks or frees the channel's
  // two lists as the button now stands.
  f->lightsOn->setValue(row.fieldInt("lights_on"));
  f->lightsOff->setValue(row.fieldInt("lights_off"));
  f->dont_train_at_night->setChecked(isOn(row, "stop_training_at_night"));
  f->widget<QCheckBox>("let_go_of_key")->setChecked(isOn(row, "let_go_of_key"));
}

// The station's controls into the channel row being edited.
void saveSwitches(TForm1* f, int c) {
  tirra::db::Table& row = f->channels;
  row.setField("NIDAQ_exists", flag(f->NIcard_exists->isChecked()));
  row.setField("direct_recording_epochs", f->direct_recording_duration->value());
  row.setField("keep_track_of_keypecks", flag(f->widget<QCheckBox>("key_track")->isChecked()));
  row.setField("two_soundlists", f->widget<RadioGroup>("mode")->itemIndex());
  row.setField("self_feedback", flag(f->biofeedbackBoxes[c]->isChecked()));
  row.setField("randomly_select_sounds1", flag(f->randomSwitchBoxes[2 * c]->isChecked()));
  row.setField("randomly_select_sounds2", flag(f->randomSwitchBoxes[2 * c + 1]->isChecked()));
  row.setField("auto_scroll_sounds1", flag(f->autoScrollBoxes[2 * c]->isChecked()));
  row.setField("auto_scroll_sounds2", flag(f->autoScrollBoxes[2 * c + 1]->isChecked()));
  row.setField("mute_playbacks", flag(f->muteRecordingBoxes[c]->isChecked()));
  row.setField("lock_sessions", flag(f->sessionLockButtons[c]->isChecked()));
  row.setField("lock_playbacks", flag(f->lockButtons[c]->isChecked()));
  row.setField("lights_on", static_cast<int>(f->lightsOn->value()));
  row.setField("lights_off", static_cast<int>(f->lightsOff->value()));
  row.setField("stop_training_at_night", flag(f->dont_train_at_night->isChecked()));
  row.setField("let_go_of_key", flag(f->widget<QCheckBox>("let_go_of_key")->isChecked()));
  // The gap is shown in seconds with one decimal; the column holds whole seconds, and the
  // fraction is dropped. The column is kept for the suite's other modules and not read back.
  row.setField("interval_between_playbacks", static_cast<int>(f->gapLabels[c]->value()));
}

}  // namespace

void TForm1::loadChannelRow(int c) {
  TztBird* bird = birdControls[c];
  // Whatever the row does not hold keeps the control's current value.
  Props props;
  props.readFromBird(bird);

  channels.open();
  channels.moveTo(c + 1);
  current.moveTo(c + 3);
  // The bird row is read now, so that a handler run by the switches below cannot move it.
  const QString birdName = current.fieldText("bird_ID");
  const QString stage1Folder = current.fieldText("input_folder");

  loadSwitches(this, c);

  props.m_sID = channels.fieldText("id");
  props.m_sBirdID = birdName;

  props.m_fPeakGain = floatOf(channels, "m_fPeakGain");
  props.m_lPrebufferSamples = channels.fieldInt("m_lPrebufferSamples");
  props.m_lBirdState = channels.fieldInt("m_lBirdState");
  // Only the plain states move the mode group; a slave (8, 9) or an inactive simple
  // recorder (4) leaves it as it stands for the panel refresh that follows.
  switch (props.m_lBirdState) {
    case 1: channelModeGroups[c]->setItemIndex(0); break;
    case 5: channelModeGroups[c]->setItemIndex(1); break;
    case 0: channelModeGroups[c]->setItemIndex(2); break;
    default: break;
  }

  props.m_lPeakThreshold = channels.fieldInt("m_lPeakThreshold");
  props.m_lPeakRecordDuration = channels.fieldInt("m_lPeakRecordDuration");
  // The two station-wide trigger bars follow the first channel's row only.
  if (c == 0) {
    minimum_recording_duration->setValue(props.m_lPeakRecordDuration / 1000);
    pre_thresh_buffer->setValue(static_cast<int>(props.m_lPrebufferSamples / kSamplesPerMs));
  }

  props.m_lMonitorDisplay = channels.fieldInt("m_lMonitorDisplay");
  props.m_lRecordingDisplay = kVisualizationOnly;

  // The two bars below set all ten channels through their handlers when they move.
  props.m_lRecordingCutoffMS = channels.fieldInt("m_lRecordingCutoffMS");
  MaxDur->setValue(props.m_lRecordingCutoffMS / 1000);
  props.m_lPeakComparator = channels.fieldInt("m_lPeakComparator");
  SoundDurTb->setValue(props.m_lPeakComparator);

  props.m_lPeakHP_Filter = channels.fieldInt("m_lPeakHP_Filter");
  props.m_lPeakTrigger = channels.fieldInt("m_lPeakTrigger");
  props.m_lIOM_InputFormatIDX = channels.fieldInt("m_lIOM_InputFormatIDX");
  props.m_lIOM_InputChannel = channels.fieldInt("m_lIOM_InputChannel");
  props.m_lIOM_InputPan = channels.fieldInt("m_lIOM_InputPan");
  props.m_lIOM_InputGain = channels.fieldInt("m_lIOM_InputGain");
  props.m_fIOM_InputScaler = floatOf(channels, "m_fIOM_InputScaler");
  props.m_lIOM_OutputFormatIDX = channels.fieldInt("m_lIOM_OutputFormatIDX");
  props.m_lIOM_OutputChannel = channels.fieldInt("m_lIOM_OutputChannel");
  props.m_lIOM_OutputPan = channels.fieldInt("m_lIOM_OutputPan");
  props.m_lIOM_OutputGain = channels.fieldInt("m_lIOM_OutputGain");

  props.m_sTempFilePath = channels.fieldText("m_sTempFilePath");
  props.m_sStage1Folder = stage1Folder;
  props.m_sWaveFile = channels.fieldText("m_sWaveFile");
  props.m_sMasterID = channels.fieldText("m_sMasterID");
  props.m_sIOM_InputModuleID = channels.fieldText("m_sIOM_InputModuleID");
  props.m_sIOM_InputDeviceID = channels.fieldText("m_sIOM_InputDeviceID");
  props.m_sIOM_OutputModuleID = channels.fieldText("m_sIOM_OutputModuleID");
  props.m_sIOM_OutputDeviceID = channels.fieldText("m_sIOM_OutputDeviceID");

  props.writeToBird(bird);
  channelRowLoaded[c] = true;
}

void TForm1::saveChannelRow(int c) {
  // A channel whose rows never reached its controls (the start-up stopped before it) is
  // not saved: its controls hold no settings of the lab's, and writing them would replace
  // the stored ones.
  if (!channelRowLoaded[c]) return;
  Props props;
  props.readFromBird(birdControls[c]);

  channels.open();
  channels.moveTo(c + 1);
  channels.edit();
  saveSwitches(this, c);
  for (const LongColumn& col : kLongColumns) channels.setField(col.name, props.*col.field);
  for (const FloatColumn& col : kFloatColumns) channels.setField(col.name, static_cast<double>(props.*col.field));
  for (const TextColumn& col : kTextColumns) channels.setField(col.name, props.*col.field);
  // The display is always stored as visualization only, and the cutoff as the bar shows it.
  channels.setField("m_lRecordingDisplay", kVisualizationOnly);
  channels.setField("m_lRecordingCutoffMS", MaxDur->value() * 1000);
  // The channel letter (`id`) is never written: it stays as the table was created.
  channels.post();

  current.moveTo(c + 3);
  current.edit();
  current.setField("bird_ID", props.m_sBirdID);
  current.setField("input_folder", props.m_sStage1Folder);
  current.post();
}

void TForm1::saveAllChannels() {
  for (int c = 0; c < 10; ++c) saveChannelRow(c);
  // The training settings other modules read from the bird rows. Channel c's row takes the
  // quota controls numbered c, which are those of session c.
  for (int c = 0; c < 10; ++c) {
    if (!channelRowLoaded[c]) continue;
    current.moveTo(c + 3);
    current.edit();
    current.setField("quota", flag(enableQuotaBoxes[c]->isChecked()));
    current.setField("song_quota", static_cast<int>(quotaLabels[c]->value()));
    current.setField("bio_feedback", flag(biofeedbackBoxes[c]->isChecked()));
    current.post();
  }
}

void TForm1::SaveDefaultClick() { saveAllChannels(); }

void TForm1::save_configClick() {
  // While recording runs the buttons keep their running arrangement, so that Stop stays
  // available after a save.
  if (!engineRunning) applyStoppedButtons();
  saveAllChannels();
  for (int c = 0; c < 10; ++c) saveChannelRow(c);
  // saveSession(s) for s = 0..19 joins here with the session storage.
  tirra::prompts().message(tirra::MsgKind::Information, "Configuration saved.", QPoint(40, 20));
}
