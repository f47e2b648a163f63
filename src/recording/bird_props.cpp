#include "recording/bird_props.h"

#include "recording/component/ztbird.h"

void CZT_OCX_BirdProps::readFromBird(const TztBird* b) {
  m_fPeakGain = b->GetFloatValue(0);
  m_fIOM_InputScaler = b->GetFloatValue(1);
  m_sID = b->GetStringValue(0);
  m_sBirdID = b->GetStringValue(5);
  m_sTempFilePath = b->GetStringValue(1);
  m_sStage1Folder = b->GetStringValue(3);
  m_sWaveFile = b->GetStringValue(2);
  m_sMasterID = b->GetStringValue(8);
  m_sIOM_InputModuleID = b->GetStringValue(9);
  m_sIOM_InputDeviceID = b->GetStringValue(10);
  m_sIOM_OutputModuleID = b->GetStringValue(11);
  m_sIOM_OutputDeviceID = b->GetStringValue(12);
  m_sInputDescription = b->GetStringValue(6);
  m_sOutputDescription = b->GetStringValue(7);
  m_lBirdState = b->GetLongValue(0);
  m_lPeakThreshold = b->GetLongValue(2);
  m_lPeakRecordDuration = b->GetLongValue(3);
  m_lMonitorDisplay = b->GetLongValue(4);
  m_lRecordingDisplay = b->GetLongValue(5);
  m_lRecordingCutoffMS = b->GetLongValue(6);
  m_lPeakComparator = b->GetLongValue(7);
  m_lPeakHP_Filter = b->GetLongValue(9);
  m_lPeakTrigger = b->GetLongValue(11);
  m_lValue12 = b->GetLongValue(12);
  m_lPlaybackVolume = b->GetLongValue(13);
  m_lValue14 = b->GetLongValue(14);
  m_lDisplaySpeed = b->GetLongValue(15);
  m_lDisplayType = b->GetLongValue(16);
  m_lPrebufferSamples = b->GetLongValue(17);
  m_lValue18 = b->GetLongValue(18);
  m_lValue19 = b->GetLongValue(19);
  m_lIOM_InputFormatIDX = b->GetLongValue(20);
  m_lIOM_InputChannel = b->GetLongValue(21);
  m_lIOM_InputPan = b->GetLongValue(22);
  m_lIOM_InputGain = b->GetLongValue(23);
  m_lValue24 = b->GetLongValue(24);
  m_lValue25 = b->GetLongValue(25);
  m_lIOM_OutputFormatIDX = b->GetLongValue(26);
  m_lIOM_OutputChannel = b->GetLongValue(27);
  m_lIOM_OutputPan = b->GetLongValue(28);
  m_lIOM_OutputGain = b->GetLongValue(29);
}

void CZT_OCX_BirdProps::writeToBird(TztBird* b) const {
  b->SetFloatValue(0, m_fPeakGain);
  b->SetFloatValue(1, m_fIOM_InputScaler);
  b->SetStringValue(0, m_sID);
  b->SetStringValue(5, m_sBirdID);
  b->SetStringValue(1, m_sTempFilePath);
  b->SetStringValue(3, m_sStage1Folder);
  b->SetStringValue(2, m_sWaveFile);
  b->SetStringValue(8, m_sMasterID);
  b->SetStringValue(9, m_sIOM_InputModuleID);
  b->SetStringValue(10, m_sIOM_InputDeviceID);
  b->SetStringValue(11, m_sIOM_OutputModuleID);
  b->SetStringValue(12, m_sIOM_OutputDeviceID);
  b->SetLongValue(0, m_lBirdState);
  b->SetLongValue(2, m_lPeakThreshold);
  b->SetLongValue(3, m_lPeakRecordDuration);
  b->SetLongValue(4, m_lMonitorDisplay);
  b->SetLongValue(5, m_lRecordingDisplay);
  b->SetLongValue(6, m_lRecordingCutoffMS);
  b->SetLongValue(7, m_lPeakComparator);
  b->SetLongValue(9, m_lPeakHP_Filter);
  b->SetLongValue(11, m_lPeakTrigger);
  b->SetLongValue(12, m_lValue12);
  b->SetLongValue(13, m_lPlaybackVolume);
  b->SetLongValue(14, m_lValue14);
  b->SetLongValue(15, m_lDisplaySpeed);
  b->SetLongValue(16, m_lDisplayType);
  b->SetLongValue(17, m_lPrebufferSamples);
  b->SetLongValue(20, m_lIOM_InputFormatIDX);
  b->SetLongValue(21, m_lIOM_InputChannel);
  b->SetLongValue(22, m_lIOM_InputPan);
  b->SetLongValue(23, m_lIOM_InputGain);
  b->SetLongValue(26, m_lIOM_OutputFormatIDX);
  b->SetLongValue(27, m_lIOM_OutputChannel);
  b->SetLongValue(28, m_lIOM_OutputPan);
  b->SetLongValue(29, m_lIOM_OutputGain);
}
