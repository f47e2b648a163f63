// The one main() of every test program: a QApplication on the offscreen platform, as the
// station's window code needs one.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The build's facts for the tests (server folder, stand-in card, programs under test),
  // unless the caller's environment already says otherwise.
  for (const QByteArray& line : QByteArray(TIRRA_TEST_ENVIRONMENT).split('\n')) {
    const int eq = line.indexOf('=');
    if (eq <= 0) continue;
    const QByteArray name = line.left(eq);
    if (!qEnvironmentVariableIsSet(name.constData())) qputenv(name.constData(), line.mid(eq + 1));
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tirra Recorder");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
