// The component arrays: pointers to the window's own controls, so a handler reaches the
// control of channel c, session s, list l or key k by index. Filled once; a pointer never
// changes afterwards.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "recording/component/ztbird.h"
#include "shell/tform1.h"
#include "widgets/filelistbox.h"
#include "widgets/numlab.h"
#include "widgets/radiogroup.h"
#include "widgets/shape.h"
#include "widgets/spinbutton.h"

namespace {

// Fills family[i] with the control named pattern.arg(first + i).
template <class W, std::size_t N>
void fill(const TForm1* form, std::array<W*, N>& family, const char* pattern, int first) {
  for (std::size_t i = 0; i < N; ++i)
    family[i] = form->widget<W>(QString::fromLatin1(pattern).arg(first + int(i)));
}

}  // namespace

void TForm1::fillComponentArrays() {
  fill(this, birdControls, "ztBird%1", 1);
  fill(this, activeBoxes, "active%1", 1);
  fill(this, trainButtons, "train%1", 1);
  fill(this, sessionTrainButtons, "train%1a", 1);
  fill(this, triggerButtons, "trigger%1", 1);
  fill(this, biofeedbackBoxes, "biofeedback%1", 1);
  fill(this, feedbackLabels, "feedbackL%1", 1);
  fill(this, boxShapes, "Box%1", 1);
  fill(this, volumeBars, "vol%1", 1);
  fill(this, scalerBars, "scaler%1", 1);
  fill(this, scalerLabels, "scalerN%1", 1);
  fill(this, recordedBars, "recorded%1", 1);
  fill(this, passivePlayedLabels, "passive_played%1", 1);
  fill(this, playingImages, "playing%1", 1);
  fill(this, playbackErrorLabels, "playback_error%1", 1);
  fill(this, recPanels, "rec_panel%1", 1);
  fill(this, channelModeGroups, "channel_mode%1", 1);
  fill(this, saveEdits, "save%1", 1);
  fill(this, tmpSoundEdits, "tmpSound%1", 1);
  fill(this, muteRecordingBoxes, "playback_mute_rec%1", 1);
  fill(this, toTrainBoxes, "toTrain%1", 1);
  fill(this, toStopBoxes, "toStop%1", 1);
  fill(this, hatchPickers, "hatch%1", 1);
  fill(this, startPickers, "start%1", 1);
  fill(this, endPickers, "end%1", 1);
  fill(this, switchQuotaBars, "switch_quota_Tb%1", 1);
  fill(this, switchQuotaLabels, "switch_quota%1", 1);
  fill(this, switchListsBoxes, "switch_lists%1", 1);
  fill(this, listPanels, "list_%1a", 1);
  fill(this, lockButtons, "lock%1", 0);
  fill(this, sessionLockButtons, "session_lock%1", 1);
  fill(this, sessionBoxes, "session%1", 1);
  fill(this, sessionPanels, "session_panel%1", 1);
  fill(this, passivePanels, "passive_panel%1", 1);
  fill(this, sessionStartLabels, "session_startL%1", 1);
  fill(this, sessionEndLabels, "session_endL%1", 1);
  fill(this, sessionHourButtons, "session_hours%1", 1);
  fill(this, sessionMinuteButtons, "session_min%1", 1);
  fill(this, quotaLabels, "quota%1", 1);
  fill(this, quotaUpDowns, "quota_UpDown%1", 1);
  fill(this, enableQuotaBoxes, "enable_quota%1", 1);
  fill(this, gapLabels, "gap%1", 1);
  fill(this, gapUpDowns, "gap_UpDown%1", 1);
  fill(this, passiveOddsLabels, "passive_odds%1", 1);
  fill(this, passiveOddsUpDowns, "passive_odds_UpDown%1", 1);
  fill(this, onsetTimingGroups, "onset_timing%1", 1);
  fill(this, playbackControlCombos, "session_playback_control%1", 0);
  fill(this, playbackListCombos, "session_playback_list%1", 0);
  fill(this, playbackCountLabels, "Playbacks%1", 1);
  fill(this, folderEdits, "playbacks_folder%1", 0);
  fill(this, inputButtons, "input%1", 0);
  fill(this, playButtons, "play%1", 0);
  fill(this, randomSwitchBoxes, "random_switch%1", 0);
  fill(this, autoScrollBoxes, "auto_scroll%1", 0);
  fill(this, resetCountsButtons, "reset_counts%1", 0);
  fill(this, soundListBoxes, "playbacks_%1", 0);
  fill(this, songLabels, "song%1", 0);
  fill(this, playCountLabels, "Play_counts%1", 0);
  fill(this, keyShapes, "key%1", 1);
  fill(this, detectShapes, "detect%1", 1);
  fill(this, keyEffectBoxes, "key_effect%1", 1);
  fill(this, effectDurationBars, "effect_duration%1", 1);
  fill(this, effectDelayBars, "effect_delay%1", 1);
  for (int i = 0; i < 40; ++i) {
    portLineLabels[2 * i] = widget<NumLab>(QString("p%1").arg(i + 1));
    portLineLabels[2 * i + 1] = widget<NumLab>(QString("l%1").arg(i + 1));
  }
}
