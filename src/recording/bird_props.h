#pragma once
// A transient copy of every value of one recording control, moved in one sweep between
// the control and the channel's table rows.
#include <QString>
#include <cstdint>

class TztBird;

class CZT_OCX_BirdProps {
 public:
  virtual ~CZT_OCX_BirdProps() = default;

  // Fills every field from the control (floats 0, 1; strings 0, 5, 1, 3, 2, 8..12, 6, 7;
  // longs 0, 2..7, 9, 11..29).
  void readFromBird(const TztBird* bird);
  // Sets the control from the record; strings 6, 7 and longs 18, 19, 24, 25 are never written.
  void writeToBird(TztBird* bird) const;

  float m_fPeakGain = 0;
  std::int32_t m_lBirdState = 0;
  std::int32_t m_lPeakThreshold = 0;
  std::int32_t m_lPeakRecordDuration = 0;
  std::int32_t m_lMonitorDisplay = 0;
  std::int32_t m_lRecordingDisplay = 0;
  std::int32_t m_lRecordingCutoffMS = 0;
  std::int32_t m_lPeakComparator = 0;
  std::int32_t m_lPeakHP_Filter = 0;
  std::int32_t m_lPeakTrigger = 0;
  std::int32_t m_lValue12 = 0;
  std::int32_t m_lPlaybackVolume = 0;
  std::int32_t m_lValue14 = 0;
  std::int32_t m_lDisplaySpeed = 0;
  std::int32_t m_lDisplayType = 0;
  std::int32_t m_lPrebufferSamples = 0;
  std::int32_t m_lValue18 = 0, m_lValue19 = 0;
  std::int32_t m_lIOM_InputFormatIDX = 0, m_lIOM_InputChannel = 0, m_lIOM_InputPan = 0, m_lIOM_InputGain = 0;
  float m_fIOM_InputScaler = 0;
  std::int32_t m_lValue24 = 0, m_lValue25 = 0;
  std::int32_t m_lIOM_OutputFormatIDX = 0, m_lIOM_OutputChannel = 0, m_lIOM_OutputPan = 0, m_lIOM_OutputGain = 0;
  QString m_sID;
  QString m_sBirdID;
  QString m_sTempFilePath;
  QString m_sStage1Folder;
  QString m_sWaveFile;
  QString m_sMasterID;
  QString m_sIOM_InputModuleID, m_sIOM_InputDeviceID, m_sIOM_OutputModuleID, m_sIOM_OutputDeviceID;
  QString m_sInputDescription;
  QString m_sOutputDescription;
};
