#include "standin_card.h"

#include <QFile>
#include <QProcess>

namespace tirra::test {

CommandRun runProgram(const QString& program, const QStringList& args) {
  CommandRun run;
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(30000)) {
    process.kill();
    process.waitForFinished();
    run.err = QStringLiteral("did not finish: ") + program + " " + args.join(' ');
    return run;
  }
  run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
  run.err = QString::fromLocal8Bit(process.readAllStandardError());
  if (process.exitStatus() == QProcess::NormalExit) run.exitCode = process.exitCode();
  return run;
}

CommandRun runKeys(const QStringList& args) {
  return runProgram(qEnvironmentVariable("TIRRA_KEYS_COMMAND"), args);
}

void StandInCard::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  const QByteArray library = qgetenv("TIRRA_DAQSIM_LIBRARY");
  ASSERT_FALSE(library.isEmpty()) << "TIRRA_DAQSIM_LIBRARY names the built stand-in library";
  ASSERT_FALSE(qEnvironmentVariableIsEmpty("TIRRA_KEYS_COMMAND"));
  // The loader reads this once, at its first call in the process; every test sets the same.
  qputenv("TIRRA_DAQMX_LIBRARY", library);
  qputenv("TIRRA_DAQSIM_STATE", statePath().toLocal8Bit());
  qputenv("TIRRA_DAQSIM_LOG", logPath().toLocal8Bit());
  ASSERT_TRUE(daqmx::libraryLoaded()) << daqmx::loadProblem();
}

void StandInCard::TearDown() {
  qunsetenv("TIRRA_DAQSIM_STATE");
  qunsetenv("TIRRA_DAQSIM_LOG");
}

QStringList StandInCard::logLines() const {
  QFile file(logPath());
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

std::array<TaskHandle, 3> StandInCard::setUpPorts(int device) {
  std::array<TaskHandle, 3> tasks{};
  for (auto& task : tasks) EXPECT_EQ(daqmx::DAQmxCreateTask("", &task), 0);
  for (int port = 0; port < 3; ++port) {
    const std::string lines = "Dev" + std::to_string(device) + "/port" + std::to_string(port) + "/line0:7";
    EXPECT_EQ(daqmx::DAQmxCreateDIChan(tasks[port], lines.c_str(), "", daqmx::kOneChannelForAllLines), 0)
        << lines;
  }
  for (auto task : tasks) EXPECT_EQ(daqmx::DAQmxStartTask(task), 0);
  return tasks;
}

daqmx::int32 StandInCard::readPort(TaskHandle task, PortBuffer& buffer) {
  buffer.fill(kUntouched);
  daqmx::int32 read = kUntouchedCount;
  daqmx::int32 bytesPerSample = kUntouchedCount;
  const daqmx::int32 status = daqmx::DAQmxReadDigitalLines(
      task, 1, 10.0, daqmx::kGroupByChannel, buffer.data(), buffer.size(), &read, &bytesPerSample, nullptr);
  if (status == 0) {
    EXPECT_EQ(read, 1);
    EXPECT_EQ(bytesPerSample, 1);
  } else {
    EXPECT_EQ(read, kUntouchedCount);
    EXPECT_EQ(bytesPerSample, kUntouchedCount);
  }
  return status;
}

std::array<PortBuffer, 3> StandInCard::readAllPorts(const std::array<TaskHandle, 3>& tasks) {
  std::array<PortBuffer, 3> buffers{};
  for (int port = 0; port < 3; ++port) EXPECT_EQ(readPort(tasks[port], buffers[port]), 0) << "port " << port;
  return buffers;
}

}  // namespace tirra::test
