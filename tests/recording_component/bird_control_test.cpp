// The bird control and engine as the station uses them, on a machine without any sound
// device: values, descriptions, the setup dialog, engine start and stop, playback
// requests that cannot play, and the waveform view.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QThread>
#include <functional>
#include <variant>

#include "platform/prompts.h"
#include "recording/component/waveform_view.h"
#include "recording/component/ztbird.h"
#include "recording/component/ztbirdengine.h"
#include "recording_component/test_devices.h"
#include "support/stationhome.h"

namespace {

bool waitFor(const std::function<bool()>& done, int ms = 10000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(2);
  }
  return true;
}

// Notifications as the window receives them, with the thread they arrived on.
struct Received {
  std::vector<std::pair<TztBird*, int>> events;
  bool allOnUiThread = true;
  void watch(TztBird* bird) {
    QObject::connect(bird, &TztBird::OnBirdNotification, [this](TztBird* sender, int code) {
      allOnUiThread = allOnUiThread && QThread::currentThread() == qApp->thread();
      events.emplace_back(sender, code);
    });
  }
  int count(int code) const {
    int n = 0;
    for (const auto& e : events) n += e.second == code;
    return n;
  }
};

TEST(BirdValues, AFreshBirdHasZerosEmptyStringsAndNoInput) {
  TztBird bird;
  for (int id = 0; id <= 29; ++id) EXPECT_EQ(bird.GetLongValue(id), 0) << "long " << id;
  for (int id = 0; id <= 12; ++id) {
    if (id == 6) continue;
    EXPECT_EQ(bird.GetStringValue(id), QString()) << "string " << id;
  }
  EXPECT_TRUE(bird.GetStringValue(6).startsWith(QStringLiteral("invalid"))) << bird.GetStringValue(6).toStdString();
  EXPECT_EQ(bird.GetFloatValue(0), 0.0f);
  EXPECT_EQ(bird.GetFloatValue(1), 0.0f);
}

TEST(BirdValues, EverySetValueReadsBackUnchanged) {
  using Value = std::variant<std::int32_t, QString, float>;
  struct Case {
    int id;
    Value value;
  };
  // The values the station writes, including those the control acts on (8, 10).
  const std::vector<Case> cases = {
      {0, 9},       {2, 51200},  {3, 1000},  {4, 3},   {5, 2},     {6, 30000000}, {7, 1000}, {8, 1},
      {8, 2},       {9, 1},      {10, 1},    {10, 0},  {11, 5000}, {12, -7},      {13, -4000}, {14, 32767},
      {15, 500},    {16, 2},     {17, 13230}, {20, 3}, {21, 5},    {22, -1},      {23, 30},  {26, 1},
      {27, 7},      {28, 2},     {29, -30},  {40, 123}, {2, std::numeric_limits<std::int32_t>::min()},
      {0, QStringLiteral("a")},  {1, QStringLiteral("c:\\TIRRA\\tmpSound\\")}, {2, QStringLiteral("c:\\songs\\tutor 1.wav")},
      {3, QStringLiteral("c:\\tirra\\in1\\")}, {5, QStringLiteral("Ørnulf's bird")}, {6, QStringLiteral("whatever was set")},
      {7, QStringLiteral("speaker")}, {8, QStringLiteral("0")}, {9, QStringLiteral("ALSA")}, {10, QStringLiteral("birdbox")},
      {11, QStringLiteral("0")}, {12, QString()},
      {0, 30.0f},   {1, 0.1f},   {1, 10.0f}, {0, -0.0f},
  };
  TztBird bird;
  for (const Case& c : cases) {
    if (const auto* l = std::get_if<std::int32_t>(&c.value)) {
      bird.SetLongValue(c.id, *l);
      EXPECT_EQ(bird.GetLongValue(c.id), *l) << "long " << c.id;
    } else if (const auto* s = std::get_if<QString>(&c.value)) {
      bird.SetStringValue(c.id, *s);
      EXPECT_EQ(bird.GetStringValue(c.id), *s) << "string " << c.id;
    } else {
      const float f = std::get<float>(c.value);
      bird.SetFloatValue(c.id, f);
      EXPECT_EQ(bird.GetFloatValue(c.id), f) << "float " << c.id;
    }
  }
}

TEST(BirdValues, InputDescriptionFollowsTheChosenInput) {
  struct Case {
    QString module, device;
    std::int32_t input;
    bool valid;
    QString expected;  // beginning of the description
  };
  const std::vector<Case> cases = {
      {QString(), QString(), 0, false, QStringLiteral("invalid")},
      // The channels table's defaults store "0" for no device.
      {QStringLiteral("0"), QStringLiteral("0"), 0, false, QStringLiteral("invalid")},
      {QStringLiteral("ALSA"), QStringLiteral("birdbox"), 2, true, QStringLiteral("birdbox (ALSA), input 3")},
      {QString(), QStringLiteral("hw:1"), 0, true, QStringLiteral("hw:1, input 1")},
  };
  for (const Case& c : cases) {
    TztBird bird;
    bird.SetStringValue(9, c.module);
    bird.SetStringValue(10, c.device);
    bird.SetLongValue(21, c.input);
    EXPECT_EQ(bird.GetStringValue(6).startsWith(QStringLiteral("inva")), !c.valid) << c.device.toStdString();
    EXPECT_TRUE(bird.GetStringValue(6).startsWith(c.expected)) << bird.GetStringValue(6).toStdString();
  }
}

// ---------------------------------------------------------------- engine without devices

class NoDeviceEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    tirra::test::selectNoSoundDevice();
    for (int i = 0; i < 3; ++i) {
      birds[i] = new TztBird(&window);
      birds[i]->SetStringValue(0, QString(QChar('a' + i)));
      birds[i]->SetStringValue(1, QStringLiteral("c:\\tirra\\tmpSound\\"));
      birds[i]->SetStringValue(3, QStringLiteral("c:\\tirra\\in%1\\").arg(i + 1));
      engine->addBird(birds[i]);
      received.watch(birds[i]);
    }
  }
  tirra::test::StationHome home;
  QWidget window;
  TztBirdEngine* engine = new TztBirdEngine(&window);
  TztBird* birds[3] = {};
  Received received;
};

TEST_F(NoDeviceEngine, StartsAndStopsCleanlyAndEachChannelSaysWhyNothingRecords) {
  if (!tirra::test::noSoundDevice()) GTEST_SKIP() << "this machine has a sound device";
  birds[0]->SetLongValue(0, 1);  // active, its device chosen earlier on another machine
  birds[0]->SetStringValue(9, QStringLiteral("ALSA"));
  birds[0]->SetStringValue(10, QStringLiteral("birdbox"));
  birds[1]->SetLongValue(0, 5);  // active simple recording, no input chosen
  // birds[2] stays inactive
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(engine->StartEngine(), 0);
    EXPECT_TRUE(engine->isRunning());
    EXPECT_EQ(birds[0]->GetStringValue(6), QStringLiteral("invalid: there is no sound device on this machine"));
    EXPECT_EQ(birds[0]->viewMessage(), birds[0]->GetStringValue(6));
    EXPECT_EQ(birds[1]->GetStringValue(6), QStringLiteral("invalid: no input chosen"));
    EXPECT_EQ(birds[1]->viewMessage(), birds[1]->GetStringValue(6));
    EXPECT_EQ(birds[2]->viewMessage(), QString()) << "an inactive channel is not expected to record";
    birds[1]->SetLongValue(8, 1);  // the station's epoch commands reach a channel with no sound
    birds[1]->SetLongValue(8, 2);
    EXPECT_EQ(engine->StopEngine(), 0);
    EXPECT_FALSE(engine->isRunning());
  }
  EXPECT_TRUE(received.events.empty());
  EXPECT_TRUE(tirra::test::wavFiles(home.path() + "/tirra/in2").isEmpty()) << "an epoch without sound leaves no file";
  EXPECT_TRUE(tirra::test::wavFiles(home.path() + "/tirra/tmpSound").isEmpty());
  EXPECT_EQ(engine->StopEngine(), 0) << "stopping a stopped engine is harmless";
}

TEST_F(NoDeviceEngine, PlaybackThatCannotPlayEndsAtOnceWithNotification6) {
  birds[0]->SetStringValue(2, QStringLiteral("c:\\songs\\missing.wav"));
  birds[0]->TriggerSound();  // engine stopped
  ASSERT_TRUE(waitFor([&] { return received.count(6) == 1; }));
  EXPECT_TRUE(birds[0]->viewMessage().contains(QStringLiteral("not played"))) << birds[0]->viewMessage().toStdString();

  birds[1]->SetStringValue(2, QStringLiteral("c:\\songs\\missing.wav"));
  birds[1]->SetStringValue(12, QStringLiteral("birdbox"));  // an output that is not there
  engine->StartEngine();
  EXPECT_TRUE(birds[1]->GetStringValue(7).startsWith(QStringLiteral("invalid"))) << birds[1]->GetStringValue(7).toStdString();
  birds[1]->TriggerSound();
  ASSERT_TRUE(waitFor([&] { return received.count(6) == 2; }));
  EXPECT_EQ(received.events.back().first, birds[1]);
  EXPECT_TRUE(birds[1]->viewMessage().startsWith(QStringLiteral("Playback"))) << birds[1]->viewMessage().toStdString();
  engine->StopEngine();
  EXPECT_TRUE(received.allOnUiThread);
}

TEST_F(NoDeviceEngine, DestroyingABirdWhileRunningStopsTheEngineSafely) {
  birds[0]->SetLongValue(0, 1);
  engine->StartEngine();
  delete birds[2];
  EXPECT_FALSE(engine->isRunning());
  EXPECT_EQ(engine->birds().size(), 2);
  EXPECT_EQ(engine->StartEngine(), 0);
  EXPECT_EQ(engine->StopEngine(), 0);
}

// ---------------------------------------------------------------- setup dialog

TEST(SetupDialog, AcceptedDialogWritesTheChoiceAndNamesTheBird) {
  tirra::test::selectNoSoundDevice();
  tirra::ScopedScriptedPrompts prompts;
  QStringList inputItems;
  prompts.dialogScripts.push_back([&](QDialog* d) {
    auto* name = d->findChild<QLineEdit*>(QStringLiteral("birdName"));
    auto* input = d->findChild<QComboBox*>(QStringLiteral("inputDevice"));
    if (!name || !input || !d->findChild<QComboBox*>(QStringLiteral("outputDevice"))) return int(QDialog::Rejected);
    for (int i = 0; i < input->count(); ++i) inputItems << input->itemText(i);
    name->setText(QStringLiteral("r17o5"));
    return int(QDialog::Accepted);
  });
  TztBird bird;
  bird.SetStringValue(5, QStringLiteral("old name"));
  bird.InvokeConfigureDlg();
  ASSERT_EQ(prompts.transcript.size(), 1u);
  EXPECT_EQ(prompts.transcript[0].text, QStringLiteral("birdSetupDialog"));
  if (tirra::test::noSoundDevice())
    EXPECT_EQ(inputItems, QStringList{QStringLiteral("(no input)")}) << "no device on this machine";
  else
    EXPECT_EQ(inputItems.value(0), QStringLiteral("(no input)"));
  EXPECT_EQ(bird.GetStringValue(5), QStringLiteral("r17o5"));
  EXPECT_TRUE(bird.GetStringValue(6).startsWith(QStringLiteral("invalid")));
  EXPECT_EQ(bird.GetStringValue(10), QString());
}

TEST(SetupDialog, CancelledDialogChangesNothing) {
  tirra::test::selectNoSoundDevice();
  tirra::ScopedScriptedPrompts prompts;
  prompts.dialogScripts.push_back([](QDialog* d) {
    if (auto* name = d->findChild<QLineEdit*>(QStringLiteral("birdName"))) name->setText(QStringLiteral("other"));
    return int(QDialog::Rejected);
  });
  TztBird bird;
  bird.SetStringValue(5, QStringLiteral("r17o5"));
  bird.SetStringValue(9, QStringLiteral("ALSA"));
  bird.SetStringValue(10, QStringLiteral("birdbox"));
  const QString description = bird.GetStringValue(6);
  bird.InvokeConfigureDlg();
  EXPECT_EQ(bird.GetStringValue(5), QStringLiteral("r17o5"));
  EXPECT_EQ(bird.GetStringValue(10), QStringLiteral("birdbox"));
  EXPECT_EQ(bird.GetStringValue(6), description);
}

TEST(SetupDialog, AStoredDeviceThatIsAbsentSurvivesOk) {
  tirra::test::selectNoSoundDevice();
  tirra::ScopedScriptedPrompts prompts;
  QString shown;
  prompts.dialogScripts.push_back([&](QDialog* d) {
    shown = d->findChild<QComboBox*>(QStringLiteral("inputDevice"))->currentText();
    return int(QDialog::Accepted);
  });
  TztBird bird;
  bird.SetStringValue(9, QStringLiteral("ALSA"));
  bird.SetStringValue(10, QStringLiteral("birdbox"));
  bird.SetLongValue(21, 3);
  bird.InvokeConfigureDlg();
  EXPECT_EQ(shown, QStringLiteral("birdbox (not present)"));
  EXPECT_EQ(bird.GetStringValue(9), QStringLiteral("ALSA"));
  EXPECT_EQ(bird.GetStringValue(10), QStringLiteral("birdbox"));
  EXPECT_EQ(bird.GetLongValue(21), 3);
}

// ---------------------------------------------------------------- waveform view

// Rows of the picture holding the threshold's red line.
QList<int> redRows(const QImage& img) {
  QList<int> rows;
  for (int y = 0; y < img.height(); ++y) {
    int red = 0;
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      red += c.red() > 200 && c.green() < 100 && c.blue() < 100;
    }
    if (red > img.width() / 4) rows << y;
  }
  return rows;
}

TEST(WaveformView, ThresholdLineSitsAtTheGainedThresholdLevel) {
  TztBird bird;
  bird.resize(230, 95);
  bird.SetLongValue(16, 1);
  bird.SetLongValue(5, 3);
  bird.SetLongValue(2, 16384);  // half of full scale
  const QList<int> rows = redRows(bird.grab().toImage());
  ASSERT_EQ(rows.size(), 2) << "a line above and below the middle";
  EXPECT_NEAR(rows[0], 95 / 2 - 23, 2);
  EXPECT_NEAR(rows[1], 95 / 2 + 23, 2);

  bird.SetFloatValue(0, 6.0206f);  // +6 dB: the threshold is reached at a quarter of full scale
  const QList<int> gained = redRows(bird.grab().toImage());
  ASSERT_EQ(gained.size(), 2);
  EXPECT_NEAR(gained[0], 95 / 2 - 12, 2);

  bird.SetLongValue(16, 0);  // no display
  EXPECT_TRUE(redRows(bird.grab().toImage()).isEmpty());
}

// Columns of the picture where the waveform reaches far from the middle line.
QList<int> loudColumns(const tirra::rec::WaveformDisplay& display, int type) {
  QImage img(230, 95, QImage::Format_RGB32);
  QPainter p(&img);
  tirra::rec::ViewState v;
  v.displayType = type;
  v.recordingDisplay = 3;
  display.paint(p, img.rect(), v);
  p.end();
  QList<int> xs;
  for (int x = 0; x < img.width(); ++x) {
    int drawn = 0;
    for (int y = 0; y < img.height(); ++y) drawn += img.pixelColor(x, y).green() > 150 && img.pixelColor(x, y).red() < 150;
    if (drawn > 30) xs << x;
  }
  return xs;
}

TEST(WaveformView, ScrollingMovesNewSoundInFromTheRight) {
  tirra::rec::WaveformDisplay display;
  const std::vector<tirra::rec::WaveColumn> quiet(300, {-100, 100});
  display.append(quiet, 1, 230);
  display.append({{-30000, 30000}}, 1, 230);
  EXPECT_EQ(loudColumns(display, 1), QList<int>{229});
  display.append(std::vector<tirra::rec::WaveColumn>(10, {-100, 100}), 1, 230);
  EXPECT_EQ(loudColumns(display, 1), QList<int>{219});
}

TEST(WaveformView, PlotDrawsInPlaceAndSweepsAcross) {
  tirra::rec::WaveformDisplay display;
  display.append(std::vector<tirra::rec::WaveColumn>(5, {-100, 100}), 2, 230);
  display.append({{-30000, 30000}}, 2, 230);
  EXPECT_EQ(loudColumns(display, 2), QList<int>{5});
  display.append(std::vector<tirra::rec::WaveColumn>(100, {-100, 100}), 2, 230);
  EXPECT_EQ(loudColumns(display, 2), QList<int>{5}) << "the plot does not scroll";
  display.append(std::vector<tirra::rec::WaveColumn>(130, {-100, 100}), 2, 230);
  EXPECT_TRUE(loudColumns(display, 2).isEmpty()) << "the next sweep drew over it";
}

}  // namespace
