// The station's keys through the stand-in card: the per-tick reads, the detector
// display, the device choice and the close, and the key wiring stored in the nidaq table.
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QSlider>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "standin_card.h"
#include "support/station.h"
#include "widgets/numlab.h"
#include "widgets/radiogroup.h"
#include "widgets/shape.h"
#include "widgets/spinbutton.h"

namespace {

using tirra::test::runKeys;
using tirra::test::Station;

const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);

class StationKeys : public tirra::test::StandInCard {
 protected:
  void SetUp() override {
    StandInCard::SetUp();
    st = std::make_unique<Station>();
    st->start();
  }
  void TearDown() override {
    st.reset();
    StandInCard::TearDown();
  }
  TForm1& form() { return st->form(); }
  void enableCard() { form().NIcard_exists->setChecked(true); }
  QStringList callsNamed(const QString& function) const {
    QStringList out;
    for (const QString& l : logLines())
      if (l.startsWith(function + "(")) out << l;
    return out;
  }
  std::unique_ptr<Station> st;
};

TEST_F(StationKeys, APressChangesExactlyItsByteOnTheNextTick) {
  enableCard();
  st->tick();
  std::uint8_t before[3][100];
  memcpy(before, form().portLines, sizeof before);
  for (int p = 0; p < 3; ++p)
    for (int l = 0; l < 8; ++l) EXPECT_EQ(before[p][l], 1) << p << "/" << l;  // all released
  ASSERT_EQ(runKeys({"press", "--port", "1", "--line", "5"}).exitCode, 0);
  st->tick();
  for (int p = 0; p < 3; ++p)
    for (int l = 0; l < 100; ++l) {
      const int expected = (p == 1 && l == 5) ? 0 : before[p][l];
      EXPECT_EQ(form().portLines[p][l], expected) << p << "/" << l;
    }
  // Unchecked, the ticks read no more: the levels stay as last read.
  form().NIcard_exists->setChecked(false);
  ASSERT_EQ(runKeys({"release", "--port", "1", "--line", "5"}).exitCode, 0);
  st->tick();
  EXPECT_EQ(form().portLines[1][5], 0);
}

TEST_F(StationKeys, DetectorsShowPressedKeysRedOnTheDevicesPage) {
  enableCard();
  EXPECT_FALSE(form().NI_panel->isHidden());
  form().controls->setCurrentWidget(form().devices);
  // Fresh wiring: key K reads port 0, line 2(K-1) mod 8; keys 3, 7, 11, 15, 19 share line 4.
  ASSERT_EQ(runKeys({"press", "3"}).exitCode, 0);
  st->tick();
  for (int k = 0; k < 20; ++k) {
    const bool pressed = (2 * k) % 8 == 4;
    EXPECT_EQ(form().detectShapes[k]->brushColor(), pressed ? kRed : kYellow) << "detector " << k + 1;
  }
  ASSERT_EQ(runKeys({"release", "3"}).exitCode, 0);
  st->tick();
  for (int k = 0; k < 20; ++k) EXPECT_EQ(form().detectShapes[k]->brushColor(), kYellow) << k + 1;
}

TEST_F(StationKeys, ADeviceChangeSetsUpAgainOnItsLinesAfterStoppingTheOldTasks) {
  enableCard();
  ASSERT_EQ(callsNamed("DAQmxCreateDIChan").size(), 3);
  const QStringList firstTasks = callsNamed("DAQmxCreateTask");
  form().NI_device_num->setValue(3);
  EXPECT_EQ(form().NInum->value(), 3);
  EXPECT_EQ(form().daqDevice, 3);
  const QStringList chans = callsNamed("DAQmxCreateDIChan");
  ASSERT_EQ(chans.size(), 6);
  for (int p = 0; p < 3; ++p)
    EXPECT_TRUE(chans[3 + p].contains(QString("\"Dev3/port%1/line0:7\"").arg(p))) << chans[3 + p].toStdString();
  // The three tasks of the first set-up were stopped and cleared before the new ones.
  EXPECT_EQ(callsNamed("DAQmxStopTask").size(), 3);
  EXPECT_EQ(callsNamed("DAQmxClearTask").size(), 3);
  for (const QString& l : callsNamed("DAQmxClearTask")) EXPECT_TRUE(l.endsWith("= 0")) << l.toStdString();
  // Ports and directions set up again too, always the three input ports.
  form().widget<QSlider>("num_ports")->setValue(6);
  form().widget<RadioGroup>("port2")->clickItem(0);
  EXPECT_EQ(callsNamed("DAQmxCreateDIChan").size(), 12);
  EXPECT_EQ(callsNamed("DAQmxStartTask").size(), 12);
}

TEST_F(StationKeys, ClosingStopsThenClearsTheThreeTasks) {
  enableCard();
  QCloseEvent ev;
  QCoreApplication::sendEvent(&form(), &ev);
  EXPECT_TRUE(ev.isAccepted());
  const QStringList calls = logLines();
  ASSERT_GE(calls.size(), 6);
  const QStringList last = calls.mid(calls.size() - 6);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(last[i].startsWith("DAQmxStopTask(")) << last[i].toStdString();
    EXPECT_TRUE(last[i].endsWith("= 0")) << last[i].toStdString();
    EXPECT_TRUE(last[3 + i].startsWith("DAQmxClearTask(")) << last[3 + i].toStdString();
  }
}

TEST_F(StationKeys, ClosingWithoutEverEnablingStillCallsStopAndClear) {
  QCloseEvent ev;
  QCoreApplication::sendEvent(&form(), &ev);
  EXPECT_TRUE(ev.isAccepted());
  EXPECT_EQ(callsNamed("DAQmxStopTask").size(), 3);
  EXPECT_EQ(callsNamed("DAQmxClearTask").size(), 3);
}

// ---- key wiring in the nidaq table --------------------------------------------------

TEST_F(StationKeys, AFreshTableWiresKeyKToPortZeroLineTwoKModEight) {
  for (int k = 0; k < 20; ++k) {
    EXPECT_EQ(form().keyInputs[k].port, 0) << k;
    EXPECT_EQ(form().keyInputs[k].line, (2 * k) % 8) << k;
    EXPECT_EQ(form().keyInputs[k].effectorLine, (2 * k + 1) % 8) << k;
  }
  EXPECT_EQ(form().daqDevice, 1);
}

TEST_F(StationKeys, ASpinClickRewritesAllFortyRows) {
  // Another program changes two rows behind the station's back.
  st->db().exec("UPDATE nidaq SET line=5 WHERE recnum=20");
  st->db().exec("UPDATE nidaq SET device_ID=9 WHERE recnum=1");
  form().daqDevice = 4;
  form().widget<SpinButton>("l7s")->clickUp();  // slot 7: key 3's detector line, 6 -> 7
  const auto rows = st->db().rows("SELECT recnum, device_ID, port, line FROM nidaq ORDER BY recnum");
  ASSERT_EQ(rows.size(), 40);
  EXPECT_EQ(rows[0][1].toInt(), 4);  // row 1 carries the device
  for (int n = 1; n <= 40; ++n) {
    EXPECT_EQ(rows[n - 1][2].toInt(), 0) << n;
    EXPECT_EQ(rows[n - 1][3].toInt(), n == 7 ? 7 : (n - 1) % 8) << n;
  }
  EXPECT_EQ(form().keyInputs[3].line, 7);
}

TEST_F(StationKeys, PortsAndLinesOutsideTheCardAreStoredAsTheyAre) {
  form().widget<SpinButton>("p1s")->clickDown();  // 0 -> -1
  for (int i = 0; i < 8; ++i) form().widget<SpinButton>("l3s")->clickUp();  // 2 -> 10
  EXPECT_EQ(st->db().scalar("SELECT port FROM nidaq WHERE recnum=1").toInt(), -1);
  EXPECT_EQ(st->db().scalar("SELECT line FROM nidaq WHERE recnum=3").toInt(), 10);
  EXPECT_EQ(form().widget<NumLab>("p1")->value(), -1);
  // Such keys read as released and never outside the buffers.
  enableCard();
  form().controls->setCurrentWidget(form().devices);
  ASSERT_EQ(runKeys({"press", "--port", "0", "--line", "0"}).exitCode, 0);
  st->tick();
  EXPECT_EQ(form().keyLevel(0), 1);
  EXPECT_EQ(form().detectShapes[0]->brushColor(), kYellow);
  // Line 10 lies in the buffer but no read writes it: it keeps 0 and reads as pressed.
  EXPECT_EQ(form().keyLevel(1), 0);
  // Port 3 is not on the card: released.
  for (int i = 0; i < 3; ++i) form().widget<SpinButton>("p5s")->clickUp();
  EXPECT_EQ(form().keyInputs[2].port, 3);
  EXPECT_EQ(form().keyLevel(2), 1);
  st->tick();
  EXPECT_EQ(form().detectShapes[2]->brushColor(), kYellow);
}

TEST_F(StationKeys, AClosedTableKeepsTheLabelsAndChangesNothingStored) {
  const auto before = st->db().rows("SELECT recnum, device_ID, port, line FROM nidaq ORDER BY recnum");
  form().NIDAQ.close();
  form().widget<SpinButton>("p5s")->clickUp();
  EXPECT_EQ(form().widget<NumLab>("p5")->value(), 1);
  EXPECT_EQ(form().keyInputs[2].port, 1);  // the key follows the label at once
  EXPECT_EQ(st->db().rows("SELECT recnum, device_ID, port, line FROM nidaq ORDER BY recnum"), before);
}

TEST(StationKeyWiring, AnUnreadableTableLeavesTheDesignedWiring) {
  Station st;
  st.db().exec("CREATE TABLE gone (x INT)");
  st.db().exec("CREATE VIEW nidaq AS SELECT x FROM gone");
  st.db().exec("DROP TABLE gone");
  st.start();
  EXPECT_EQ(st.prompts().messages(),
            (QStringList{"could not find NIDAQ table, keys will be assigned with default values",
                         "could not find NIDAQ table. Key pecks wont register"}));
  // Designed wiring: key 1 port 2 line 1, key 7 port 2 line 7, key 9 port 0 line 7.
  EXPECT_EQ(st.form().keyInputs[1].port, 2);
  EXPECT_EQ(st.form().keyInputs[1].line, 1);
  EXPECT_EQ(st.form().keyInputs[7].line, 7);
  EXPECT_EQ(st.form().keyInputs[9].port, 0);
  EXPECT_EQ(st.form().keyInputs[9].line, 7);
  EXPECT_FALSE(st.form().wait->isVisible());
}

}  // namespace
