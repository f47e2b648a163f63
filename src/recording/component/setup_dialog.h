#pragma once
// The bird control's setup dialog: input device and input, output device and output,
// and the bird's name. Every widget carries an objectName so a script can fill it.
#include <QDialog>
#include <QList>
#include <QString>
#include <cstdint>

#include "recording/component/audio_devices.h"

class QComboBox;
class QLineEdit;
class QLabel;

namespace tirra::rec {

struct SetupChoice {
  QString inputModule, inputDevice;  // strings 9 and 10; device empty: no input
  std::int32_t inputChannel = 0;     // long 21
  QString outputModule, outputDevice;  // strings 11 and 12; device empty: no output
  std::int32_t outputChannel = 0;    // long 27
  QString birdName;                  // string 5
};

class BirdSetupDialog : public QDialog {
  Q_OBJECT
 public:
  // devices as listed now; problem is shown when the sound system could not be used.
  BirdSetupDialog(const QList<AudioDevice>& devices, const QString& problem, const SetupChoice& current,
                  const QString& channelLetter, QWidget* parent = nullptr);

  SetupChoice choice() const;

 private:
  void fillChannels(QComboBox* deviceBox, QComboBox* channelBox, bool input, int select);

  QList<AudioDevice> devices_;
  QComboBox* inputDevice_;
  QComboBox* inputChannel_;
  QComboBox* outputDevice_;
  QComboBox* outputChannel_;
  QLineEdit* birdName_;
  QLabel* note_;
};

}  // namespace tirra::rec
