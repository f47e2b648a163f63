// The station on a machine without the card's library: nothing complains, the keys read
// as pressed (levels 0), and the window still closes.
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "operant/daqmx.h"
#include "support/station.h"
#include "widgets/shape.h"

namespace {

TEST(StationWithoutCard, EnablingSaysNothingDetectorsStayRedAndClosingWorks) {
  qputenv("TIRRA_DAQMX_LIBRARY", "/nonexistent/libnidaqmx.so");
  tirra::test::Station st;
  st.start();
  TForm1& f = st.form();
  f.NIcard_exists->setChecked(true);
  EXPECT_FALSE(tirra::daqmx::libraryLoaded());
  f.controls->setCurrentWidget(f.devices);
  st.tick(3);
  EXPECT_TRUE(st.prompts().transcript.empty());
  for (int k = 0; k < 20; ++k) EXPECT_EQ(f.detectShapes[k]->brushColor(), QColor(255, 0, 0)) << k;
  QCloseEvent ev;
  QCoreApplication::sendEvent(&f, &ev);
  EXPECT_TRUE(ev.isAccepted());
  EXPECT_EQ(f.windowTitle(), "Please wait");
  EXPECT_TRUE(st.prompts().transcript.empty());
}

}  // namespace
