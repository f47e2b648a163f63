#pragma once
// The recording component's bird control: one per channel. It keeps the channel's long,
// string and float values by number (a set value reads back unchanged) and does the
// channel's recording and playback work around them.
#include <QHash>
#include <QString>
#include <QWidget>
#include <cstdint>

class TztBirdEngine;

class TztBird : public QWidget {
  Q_OBJECT
 public:
  explicit TztBird(QWidget* parent = nullptr);
  ~TztBird() override;

  std::int32_t GetLongValue(int id) const;
  void SetLongValue(int id, std::int32_t value);
  QString GetStringValue(int id) const;
  void SetStringValue(int id, const QString& text);
  float GetFloatValue(int id) const;
  void SetFloatValue(int id, float value);

  // Plays the WAV file named by string value 2; notification 6 follows when it ends.
  void TriggerSound();
  // The control's own modal setup dialog (input and output devices, bird name).
  void InvokeConfigureDlg();

  TztBirdEngine* engine() const { return engine_; }

 signals:
  void OnBirdNotification(TztBird* sender, int nEventID);

 private:
  friend class TztBirdEngine;
  TztBirdEngine* engine_ = nullptr;
  QHash<int, std::int32_t> longs_;
  QHash<int, QString> strings_;
  QHash<int, float> floats_;
};
