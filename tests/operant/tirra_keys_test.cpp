// The tirra-keys command as a person at a training rig uses it: what it prints, what it
// refuses, and what the station then reads through the stand-in card.
#include <QFile>
#include <QProcess>
#include <memory>
#include <vector>

#include "daqsim/status.h"
#include "standin_card.h"

namespace tirra::test {
namespace {

using namespace tirra::daqmx;

using KeysCommand = StandInCard;

QByteArray fileContent(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(KeysCommand, BadArgumentsShowUsageExitTwoAndChangeNothing) {
  const QStringList cases[] = {
      {},
      {"press"},
      {"press", "0"},
      {"press", "21"},
      {"press", "-1"},
      {"press", "x"},
      {"press", "1", "2"},
      {"release", "1.5"},
      {"press", "--port", "3", "--line", "0"},
      {"press", "--port", "0", "--line", "8"},
      {"press", "--port", "0"},
      {"press", "--line", "0"},
      {"press", "--port"},
      {"press", "1", "--port", "0", "--line", "0"},
      {"press", "--port", "0", "--port", "1", "--line", "0"},
      {"press", "--key", "1"},
      {"hold", "1"},
      {"hold", "1", "-1"},
      {"hold", "1", "soon"},
      {"hold", "1", "nan"},
      {"hold", "--port", "0", "--line", "0"},
      {"show", "1"},
      {"all-released", "now"},
      {"push", "1"},
  };
  for (const QStringList& args : cases) {
    SCOPED_TRACE(args.join(' ').toStdString());
    const CommandRun run = runKeys(args);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("tirra-keys: ")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("usage: tirra-keys")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(statePath()));
  }
}

TEST_F(KeysCommand, HelpPrintsUsageAndExplainsTheWiring) {
  const CommandRun run = runKeys({"--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.out.contains("usage: tirra-keys")) << run.out.toStdString();
  EXPECT_TRUE(run.out.contains("line 2(K-1) mod 8")) << run.out.toStdString();
  EXPECT_TRUE(run.out.contains("--port P")) << run.out.toStdString();
}

TEST_F(KeysCommand, ShowPrintsLineLevelsAndKeysOfAFreshKeyTable) {
  ASSERT_EQ(runKeys({"press", "3"}).exitCode, 0);
  ASSERT_EQ(runKeys({"press", "--port", "1", "--line", "6"}).exitCode, 0);

  const CommandRun run = runKeys({"show"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QStringList lines = run.out.split('\n');
  EXPECT_TRUE(lines.contains("          line 0 1 2 3 4 5 6 7")) << run.out.toStdString();
  EXPECT_TRUE(lines.contains("  port 0       1 1 1 1 0 1 1 1")) << run.out.toStdString();
  EXPECT_TRUE(lines.contains("  port 1       1 1 1 1 1 1 0 1")) << run.out.toStdString();
  EXPECT_TRUE(lines.contains("  port 2       1 1 1 1 1 1 1 1")) << run.out.toStdString();
  // Key 3 is on port 0, line 4, which keys 7, 11, 15 and 19 share.
  for (int key = 1; key <= 20; ++key) {
    const int line = (2 * (key - 1)) % 8;
    const bool pressed = line == 4;
    const QString row = QStringLiteral("  key %1 port 0 line %2  %3")
                            .arg(QString::number(key).leftJustified(3))
                            .arg(line)
                            .arg(pressed ? "pressed" : "released");
    EXPECT_TRUE(lines.contains(row)) << row.toStdString() << "\n" << run.out.toStdString();
  }
}

TEST_F(KeysCommand, PressAndReleaseSayWhatTheyDid) {
  CommandRun run = runKeys({"press", "6"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "key 6 (port 0, line 2) pressed\n");
  run = runKeys({"release", "--port", "2", "--line", "1"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "port 2, line 1 released\n");
  EXPECT_EQ(fileContent(statePath()), "11011111 11111111 11111111\n");
}

TEST_F(KeysCommand, DamagedStateFileIsReportedAndAllReleasedRepairsIt) {
  const QByteArray damaged = "11111111 11111111\n";
  {
    QFile state(statePath());
    ASSERT_TRUE(state.open(QIODevice::WriteOnly));
    state.write(damaged);
  }
  for (const QStringList& args : {QStringList{"press", "1"}, QStringList{"show"}}) {
    SCOPED_TRACE(args.join(' ').toStdString());
    const CommandRun run = runKeys(args);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("is damaged")) << run.err.toStdString();
    EXPECT_EQ(fileContent(statePath()), damaged);
  }
  const auto tasks = setUpPorts();
  PortBuffer buffer;
  EXPECT_EQ(readPort(tasks[0], buffer), daqsim::kStateUnreadable);

  EXPECT_EQ(runKeys({"all-released"}).exitCode, 0);
  EXPECT_EQ(fileContent(statePath()), "11111111 11111111 11111111\n");
  ASSERT_EQ(readPort(tasks[0], buffer), 0);
  EXPECT_EQ(buffer[0], 1);
}

TEST_F(KeysCommand, AllReleasedLetsEveryLineGo) {
  ASSERT_EQ(runKeys({"press", "1"}).exitCode, 0);
  ASSERT_EQ(runKeys({"press", "--port", "2", "--line", "3"}).exitCode, 0);
  const CommandRun run = runKeys({"all-released"});
  EXPECT_EQ(run.exitCode, 0);
  const auto tasks = setUpPorts();
  const auto buffers = readAllPorts(tasks);
  for (const auto& buffer : buffers) {
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.begin() + 8, [](uint8 b) { return b == 1; }));
  }
}

TEST_F(KeysCommand, PressesMadeAtTheSameTimeAllTakeEffect) {
  // Eight rigs' keys pressed at once: each change must survive the others.
  std::vector<std::unique_ptr<QProcess>> presses;
  for (int i = 0; i < 8; ++i) {
    auto process = std::make_unique<QProcess>();
    process->start(qEnvironmentVariable("TIRRA_KEYS_COMMAND"),
                   {"press", "--port", QString::number(i % 3), "--line", QString::number(i)});
    presses.push_back(std::move(process));
  }
  for (auto& process : presses) {
    ASSERT_TRUE(process->waitForFinished(30000));
    EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
  }
  const auto tasks = setUpPorts();
  const auto buffers = readAllPorts(tasks);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(buffers[i % 3][i], 0) << "port " << i % 3 << " line " << i;
}

}  // namespace
}  // namespace tirra::test
