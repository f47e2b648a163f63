// The loader driving the stand-in card the way the station does: three port tasks, one
// read per port per tick, keys pressed from outside with tirra-keys.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QElapsedTimer>
#include <functional>

#include "daqsim/status.h"
#include "standin_card.h"

namespace tirra::test {
namespace {

using namespace tirra::daqmx;

// The levels of lines 0..7 of the three ports, as "11111111 11111111 11111111"; a byte
// other than 0 or 1 shows as '?'.
QString levels(const std::array<PortBuffer, 3>& buffers) {
  QString text;
  for (int port = 0; port < 3; ++port) {
    if (port > 0) text += ' ';
    for (int line = 0; line < 8; ++line) {
      const uint8 level = buffers[port][line];
      text += level == 0 ? '0' : level == 1 ? '1' : '?';
    }
  }
  return text;
}

// All lines released except the one given.
QString onlyPressed(int port, int line) {
  QString text = QStringLiteral("11111111 11111111 11111111");
  text[port * 9 + line] = '0';
  return text;
}

bool restUntouched(const PortBuffer& buffer) {
  return std::all_of(buffer.begin() + 8, buffer.end(), [](uint8 b) { return b == kUntouched; });
}

using StationReads = StandInCard;

TEST_F(StationReads, FreshCardReadsEveryLineReleasedAndWritesOnlyBytesZeroToSeven) {
  const auto tasks = setUpPorts();
  for (auto task : tasks) EXPECT_NE(task, nullptr);
  EXPECT_NE(tasks[0], tasks[1]);
  EXPECT_NE(tasks[1], tasks[2]);
  EXPECT_NE(tasks[0], tasks[2]);

  const auto buffers = readAllPorts(tasks);
  EXPECT_EQ(levels(buffers), QStringLiteral("11111111 11111111 11111111"));
  for (const auto& buffer : buffers) EXPECT_TRUE(restUntouched(buffer));
}

TEST_F(StationReads, PressingAKeyChangesExactlyItsByteUntilReleased) {
  struct Case {
    QStringList key;  // as given to tirra-keys after press/release
    int port, line;
  };
  // Keys by number follow a fresh key table: key K on port 0, line 2(K-1) mod 8.
  const Case cases[] = {
      {{"1"}, 0, 0},  {{"2"}, 0, 2},  {{"4"}, 0, 6},
      {{"5"}, 0, 0},  {{"20"}, 0, 6},
      {{"--port", "1", "--line", "3"}, 1, 3},
      {{"--line", "7", "--port", "2"}, 2, 7},
      {{"--port", "0", "--line", "1"}, 0, 1},
  };
  const auto tasks = setUpPorts();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key.join(' ').toStdString());
    const CommandRun press = runKeys(QStringList{"press"} + c.key);
    ASSERT_EQ(press.exitCode, 0) << press.err.toStdString();
    auto buffers = readAllPorts(tasks);
    EXPECT_EQ(levels(buffers), onlyPressed(c.port, c.line));
    for (const auto& buffer : buffers) EXPECT_TRUE(restUntouched(buffer));

    const CommandRun release = runKeys(QStringList{"release"} + c.key);
    ASSERT_EQ(release.exitCode, 0) << release.err.toStdString();
    buffers = readAllPorts(tasks);
    EXPECT_EQ(levels(buffers), QStringLiteral("11111111 11111111 11111111"));
  }
}

TEST_F(StationReads, HoldPressesForTheGivenTimeAndThenReleases) {
  const auto tasks = setUpPorts();
  QProcess hold;
  hold.start(qEnvironmentVariable("TIRRA_KEYS_COMMAND"), {"hold", "3", "1.5"});
  ASSERT_TRUE(hold.waitForStarted());

  // Key 3 reads port 0, line 4.
  bool sawPressed = false;
  QElapsedTimer waited;
  waited.start();
  PortBuffer buffer;
  while (!sawPressed && waited.elapsed() < 5000) {
    ASSERT_EQ(readPort(tasks[0], buffer), 0);
    sawPressed = buffer[4] == 0;
    if (!sawPressed) QThread::msleep(5);
  }
  EXPECT_TRUE(sawPressed);
  EXPECT_EQ(buffer[0], 1);

  ASSERT_TRUE(hold.waitForFinished(10000));
  EXPECT_EQ(hold.exitCode(), 0) << hold.readAllStandardError().toStdString();
  EXPECT_GE(waited.elapsed(), 1000);
  EXPECT_EQ(levels(readAllPorts(tasks)), QStringLiteral("11111111 11111111 11111111"));
}

TEST_F(StationReads, CallLogShowsEveryCallWithItsArguments) {
  const auto tasks = setUpPorts(3);
  PortBuffer buffer;
  ASSERT_EQ(readPort(tasks[1], buffer), 0);
  for (auto task : tasks) EXPECT_EQ(DAQmxStopTask(task), 0);
  for (auto task : tasks) EXPECT_EQ(DAQmxClearTask(task), 0);

  const QStringList lines = logLines();
  ASSERT_FALSE(lines.isEmpty());
  // Tasks are numbered in creation order within the process; earlier tests may have
  // created some, so take the first number from the log.
  const auto created = QRegularExpression(R"(-> task (\d+)$)").match(lines[0]);
  ASSERT_TRUE(created.hasMatch()) << lines[0].toStdString();
  const int first = created.captured(1).toInt();
  const auto task = [first](int port) { return QStringLiteral("task %1").arg(first + port); };

  QStringList expected;
  for (int port = 0; port < 3; ++port) expected << QStringLiteral("DAQmxCreateTask(\"\", *) = 0 -> %1").arg(task(port));
  for (int port = 0; port < 3; ++port) {
    expected << QStringLiteral("DAQmxCreateDIChan(%1, \"Dev3/port%2/line0:7\", \"\", 1) = 0").arg(task(port)).arg(port);
  }
  for (int port = 0; port < 3; ++port) expected << QStringLiteral("DAQmxStartTask(%1) = 0").arg(task(port));
  expected << QStringLiteral("DAQmxReadDigitalLines(%1, 1, 10, 0, *, 100, *, *, NULL) = 0 -> 11111111").arg(task(1));
  for (int port = 0; port < 3; ++port) expected << QStringLiteral("DAQmxStopTask(%1) = 0").arg(task(port));
  for (int port = 0; port < 3; ++port) expected << QStringLiteral("DAQmxClearTask(%1) = 0").arg(task(port));
  EXPECT_EQ(lines, expected);
}

TEST_F(StationReads, StopAndClearOfZeroHandlesReturnAnErrorAndAreLogged) {
  // The station closes this way when the card was never enabled.
  std::array<TaskHandle, 3> tasks{};
  for (auto task : tasks) EXPECT_EQ(DAQmxStopTask(task), daqsim::kUnknownTask);
  for (auto task : tasks) EXPECT_EQ(DAQmxClearTask(task), daqsim::kUnknownTask);
  const QString stop = QStringLiteral("DAQmxStopTask(task 0) = -201003 (unknown task)");
  const QString clear = QStringLiteral("DAQmxClearTask(task 0) = -201003 (unknown task)");
  EXPECT_EQ(logLines(), QStringList({stop, stop, stop, clear, clear, clear}));
}

TEST_F(StationReads, RefusedReadsLeaveBufferAndCountsUntouched) {
  struct Case {
    const char* situation;
    int32 expected;
    // Prepares a task and reads it (through readPort or directly), returning the status.
    std::function<int32(StationReads&, PortBuffer&)> attempt;
  };
  const auto stationTask = [](StationReads& t) { return t.setUpPorts()[0]; };
  const Case cases[] = {
      {"task never started", daqsim::kTaskNotRunning,
       [](StationReads& t, PortBuffer& b) {
         TaskHandle task = nullptr;
         EXPECT_EQ(DAQmxCreateTask("", &task), 0);
         EXPECT_EQ(DAQmxCreateDIChan(task, "Dev1/port0/line0:7", "", 1), 0);
         return t.readPort(task, b);
       }},
      {"task stopped", daqsim::kTaskNotRunning,
       [&](StationReads& t, PortBuffer& b) {
         TaskHandle task = stationTask(t);
         EXPECT_EQ(DAQmxStopTask(task), 0);
         return t.readPort(task, b);
       }},
      {"task cleared", daqsim::kUnknownTask,
       [&](StationReads& t, PortBuffer& b) {
         TaskHandle task = stationTask(t);
         EXPECT_EQ(DAQmxClearTask(task), 0);
         return t.readPort(task, b);
       }},
      {"zero handle", daqsim::kUnknownTask,
       [](StationReads& t, PortBuffer& b) { return t.readPort(nullptr, b); }},
      {"handle the card never gave out", daqsim::kUnknownTask,
       [](StationReads& t, PortBuffer& b) {
         int notATask = 0;
         return t.readPort(&notATask, b);
       }},
      {"array smaller than one port", daqsim::kBufferTooSmall,
       [&](StationReads& t, PortBuffer& b) {
         TaskHandle task = stationTask(t);
         b.fill(kUntouched);
         int32 read = kUntouchedCount, bytes = kUntouchedCount;
         const int32 status = DAQmxReadDigitalLines(task, 1, 10.0, 0, b.data(), 7, &read, &bytes, nullptr);
         EXPECT_EQ(read, kUntouchedCount);
         EXPECT_EQ(bytes, kUntouchedCount);
         return status;
       }},
      {"damaged state file", daqsim::kStateUnreadable,
       [&](StationReads& t, PortBuffer& b) {
         TaskHandle task = stationTask(t);
         QFile state(t.statePath());
         EXPECT_TRUE(state.open(QIODevice::WriteOnly));
         state.write("11111111 1111111x 11111111\n");
         state.close();
         return t.readPort(task, b);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    QFile::remove(statePath());
    PortBuffer buffer;
    EXPECT_EQ(c.attempt(*this, buffer), c.expected);
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](uint8 b) { return b == kUntouched; }));
  }
}

TEST_F(StationReads, OnlyWholePortLinesStringsMakeAChannel) {
  const struct {
    const char* lines;
    int port;  // -1: refused
  } cases[] = {
      {"Dev1/port0/line0:7", 0},   {"Dev3/port2/line0:7", 2},   {"Dev10/port1/line0:7", 1},
      {"Dev1/port3/line0:7", -1},  {"Dev1/port0/line0:3", -1},  {"Dev1/port0/line1:7", -1},
      {"dev1/port0/line0:7", -1},  {"Dev/port0/line0:7", -1},   {"Dev0/port0/line0:7", -1},
      {"Dev01/port0/line0:7", -1}, {"Dev1/port0", -1},          {"Dev1/port0/line0:7/", -1},
      {" Dev1/port0/line0:7", -1}, {"Dev1/port0/line0", -1},    {"", -1},
      {nullptr, -1},
  };
  // A pressed line on every port tells which port a task reads.
  ASSERT_EQ(runKeys({"press", "--port", "0", "--line", "5"}).exitCode, 0);
  ASSERT_EQ(runKeys({"press", "--port", "1", "--line", "6"}).exitCode, 0);
  ASSERT_EQ(runKeys({"press", "--port", "2", "--line", "7"}).exitCode, 0);
  const int pressedLine[] = {5, 6, 7};

  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines ? c.lines : "(null)");
    TaskHandle task = nullptr;
    ASSERT_EQ(DAQmxCreateTask("", &task), 0);
    const int32 status = DAQmxCreateDIChan(task, c.lines, "", kOneChannelForAllLines);
    PortBuffer buffer;
    if (c.port < 0) {
      EXPECT_EQ(status, daqsim::kBadLines);
      EXPECT_EQ(DAQmxStartTask(task), daqsim::kNoChannel);
      EXPECT_EQ(readPort(task, buffer), daqsim::kTaskNotRunning);
    } else {
      EXPECT_EQ(status, 0);
      // A task holds one channel.
      EXPECT_EQ(DAQmxCreateDIChan(task, "Dev1/port0/line0:7", "", 1), daqsim::kBadLines);
      EXPECT_EQ(DAQmxStartTask(task), 0);
      ASSERT_EQ(readPort(task, buffer), 0);
      for (int line = 0; line < 8; ++line) EXPECT_EQ(buffer[line], line == pressedLine[c.port] ? 0 : 1) << line;
    }
    EXPECT_EQ(DAQmxClearTask(task), 0);
  }

  TaskHandle task = nullptr;
  ASSERT_EQ(DAQmxCreateTask("", &task), 0);
  EXPECT_EQ(DAQmxCreateDIChan(task, "Dev1/port0/line0:7", "", 0), daqsim::kBadArgument)
      << "one channel per line is not simulated";
}

TEST_F(StationReads, StoppedTaskReadsAgainAfterARestart) {
  const auto tasks = setUpPorts();
  ASSERT_EQ(runKeys({"press", "8"}).exitCode, 0);
  PortBuffer buffer;
  EXPECT_EQ(DAQmxStopTask(tasks[0]), 0);
  EXPECT_EQ(readPort(tasks[0], buffer), daqsim::kTaskNotRunning);
  EXPECT_EQ(DAQmxStartTask(tasks[0]), 0);
  ASSERT_EQ(readPort(tasks[0], buffer), 0);
  EXPECT_EQ(buffer[6], 0);  // key 8: port 0, line 6
}

}  // namespace
}  // namespace tirra::test
