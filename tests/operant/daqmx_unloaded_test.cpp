// The station on a machine without a usable card library: every call fails with the
// loader's status and writes nothing. Each case runs the probe program in a process of
// its own, since the loader loads once per process.
#include <QFile>
#include <QProcessEnvironment>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

#include "operant/daqmx.h"
#include "standin_card.h"  // PrintTo for texts

namespace tirra::test {
namespace {

struct ProbeRun {
  int exitCode = -1;
  QStringList lines;
};

// Runs the probe with TIRRA_DAQMX_LIBRARY set to library (unset when none).
ProbeRun probe(const std::optional<QString>& library) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("TIRRA_DAQMX_LIBRARY");
  if (library) env.insert("TIRRA_DAQMX_LIBRARY", *library);
  QProcess process;
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(DAQMX_PROBE_PROGRAM), {});
  ProbeRun run;
  if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) return run;
  run.exitCode = process.exitCode();
  run.lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  return run;
}

TEST(UnusableLibrary, EveryCallFailsWithTheLoadersStatusAndWritesNothing) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString notALibrary = dir.filePath("libcard.so");
  {
    QFile file(notALibrary);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is a text file\n");
  }
  const struct {
    const char* situation;
    QString library;
    QString problemMentions;
  } cases[] = {
      {"missing file", dir.filePath("absent/libcard.so"), dir.filePath("absent/libcard.so")},
      {"not a library", notALibrary, notALibrary},
      {"library without DAQmxClearTask", QStringLiteral(PARTIAL_CARD_LIBRARY), "DAQmxClearTask"},
  };
  const QString missing = QString::number(daqmx::kLibraryMissing);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.situation);
    const ProbeRun run = probe(c.library);
    ASSERT_EQ(run.exitCode, 0) << "the probe must not crash";
    const QStringList expected = {
        "loaded 0",
        "path " + c.library,
        run.lines.value(2),  // the problem, checked below
        "DAQmxCreateTask " + missing + " handle untouched",
        "DAQmxCreateDIChan " + missing,
        "DAQmxStartTask " + missing,
        "DAQmxReadDigitalLines " + missing + " buffer untouched counts untouched",
        "DAQmxStopTask " + missing,
        "DAQmxClearTask " + missing,
    };
    EXPECT_EQ(run.lines, expected);
    EXPECT_TRUE(run.lines.value(2).startsWith("problem ")) << run.lines.value(2).toStdString();
    EXPECT_TRUE(run.lines.value(2).contains(c.problemMentions)) << run.lines.value(2).toStdString();
  }
}

TEST(UnusableLibrary, WithoutTheVariableTheCardMakersLibraryIsTried) {
  // Unset, or set but empty.
  for (const std::optional<QString>& library : {std::optional<QString>(), std::optional<QString>(QString())}) {
    SCOPED_TRACE(library ? "empty" : "unset");
    const ProbeRun run = probe(library);
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.lines.value(1), QStringLiteral("path libnidaqmx.so"));
  }
}

TEST(UnusableLibrary, TheStandInLoadsThroughTheVariable) {
  // The same probe succeeds against the stand-in, so the failures above come from the
  // library, not from the probe.
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  qputenv("TIRRA_DAQSIM_STATE", dir.filePath("lines.state").toLocal8Bit());
  const QString standIn = qEnvironmentVariable("TIRRA_DAQSIM_LIBRARY");
  const ProbeRun run = probe(standIn);
  qunsetenv("TIRRA_DAQSIM_STATE");
  ASSERT_EQ(run.exitCode, 0);
  const QStringList expected = {
      "loaded 1",
      "path " + standIn,
      "problem ",
      "DAQmxCreateTask 0 handle written",
      "DAQmxCreateDIChan 0",
      "DAQmxStartTask 0",
      "DAQmxReadDigitalLines 0 buffer written counts written",
      "DAQmxStopTask 0",
      "DAQmxClearTask 0",
  };
  EXPECT_EQ(run.lines, expected);
}

}  // namespace
}  // namespace tirra::test
