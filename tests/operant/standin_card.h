#pragma once
// The stand-in card as the tests use it: the loader points at the built stand-in
// library, and each test gets its own state file and call log in a temporary folder.
// Keys are pressed with the real tirra-keys command.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <array>
#include <ostream>
#include <gtest/gtest.h>

#include "operant/daqmx.h"
#include "support/qt_print.h"


namespace tirra::test {

using daqmx::TaskHandle;

// One port's read buffer as the station keeps it: 100 bytes, of which a read fills 0..7.
using PortBuffer = std::array<daqmx::uint8, 100>;
// What a read must not touch is pre-filled with this.
inline constexpr daqmx::uint8 kUntouched = 0xAA;
inline constexpr daqmx::int32 kUntouchedCount = -7;

struct CommandRun {
  int exitCode = -1;  // -1 when the command could not run or crashed
  QString out;
  QString err;
};

// Runs the program with the arguments and the current environment; waits for it.
CommandRun runProgram(const QString& program, const QStringList& args);
// Runs the tirra-keys command named by TIRRA_KEYS_COMMAND.
CommandRun runKeys(const QStringList& args);

class StandInCard : public ::testing::Test {
 public:
  QString statePath() const { return dir_.filePath("lines.state"); }
  QString logPath() const { return dir_.filePath("calls.log"); }
  QString tempFile(const QString& name) const { return dir_.filePath(name); }
  QStringList logLines() const;  // the call log, one entry per call

  // The station's set-up: three tasks on Dev<device>/port0..2/line0:7, started.
  std::array<TaskHandle, 3> setUpPorts(int device = 1);
  // One read as the station does it, into a buffer pre-filled with kUntouched.
  daqmx::int32 readPort(TaskHandle task, PortBuffer& buffer);
  // Reads the three ports; fails the test if a read fails.
  std::array<PortBuffer, 3> readAllPorts(const std::array<TaskHandle, 3>& tasks);

 protected:
  void SetUp() override;
  void TearDown() override;

 private:
  QTemporaryDir dir_;
};

}  // namespace tirra::test
