// The one main() of every test program: a QApplication on the offscreen platform, as the
// station's window code needs one.
#include <QApplication>
#include <gtest/gtest.h>

#include "support/buildenv.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  tirra::test::applyBuildEnvironment();
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tirra Recorder");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
