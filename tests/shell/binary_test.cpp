// The real program, started as a user starts it: what it says and how it ends when its
// properties file is missing or incomplete, and that it builds its tables when it is not.
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include "support/stationhome.h"
#include "support/testdb.h"

namespace {

struct StationRun {
  int exitCode = -1;
  bool finished = false;
  QString stderrText;
};

// Starts the station program with drive c at home.
bool startStation(QProcess& p, const tirra::test::StationHome& home) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("TIRRA_DRIVE_C", home.path());
  env.insert("QT_QPA_PLATFORM", "offscreen");
  p.setProcessEnvironment(env);
  p.start(qEnvironmentVariable("TIRRA_STATION_BINARY"), {});
  return p.waitForStarted(10000);
}

// Runs the station; waits up to ms for it to end.
StationRun runStation(const tirra::test::StationHome& home, int ms) {
  QProcess p;
  StationRun r;
  if (!startStation(p, home)) return r;
  r.finished = p.waitForFinished(ms);
  if (!r.finished) {
    p.kill();
    p.waitForFinished(5000);
  } else {
    r.exitCode = p.exitCode();
  }
  r.stderrText = QString::fromLocal8Bit(p.readAllStandardError());
  return r;
}

TEST(StationProgram, NoPropertiesFileEndsWithCode2AndSaysWhichFile) {
  tirra::test::StationHome home;
  const StationRun r = runStation(home, 20000);
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 2);
  const QString line = "cannot open input file '" + home.path() + "/tirra/db.properties'";
  EXPECT_TRUE(r.stderrText.split('\n').contains(line)) << r.stderrText.toStdString();
}

TEST(StationProgram, AMissingKeyEndsWithCode4) {
  struct Case {
    const char* what;
    QByteArray text;
  } cases[] = {
      {"no password", "schema = tirra\nusername = tirra\n"},
      {"schema written without blanks", "schema=tirra\nusername = tirra\npassword = tirra\n"},
      {"password inside a group", "schema = tirra\nusername = tirra\ng = (\npassword = x\n)\n"},
  };
  for (const Case& c : cases) {
    tirra::test::StationHome home;
    home.writePropertiesText(c.text);
    const StationRun r = runStation(home, 20000);
    ASSERT_TRUE(r.finished) << c.what;
    EXPECT_EQ(r.exitCode, 4) << c.what;
  }
}

TEST(StationProgram, StartsOnAnEmptyDatabaseAndCreatesItsTables) {
  tirra::test::FreshDatabase db;
  tirra::test::StationHome home;
  home.writeProperties(db.name());
  QProcess p;
  ASSERT_TRUE(startStation(p, home));
  QElapsedTimer t;
  t.start();
  while (db.tables().size() < 6 && t.elapsed() < 30000) QThread::msleep(200);
  EXPECT_EQ(db.tables().size(), 6);
  EXPECT_EQ(p.state(), QProcess::Running);
  p.kill();
  p.waitForFinished(5000);
}

}  // namespace
