// Stored Windows-style paths mapped onto this machine's folders.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/paths.h"
#include "support/stationhome.h"

namespace {

// Sets (or clears) one environment variable for the lifetime of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray& value) : name_(name) {
    had_ = qEnvironmentVariableIsSet(name);
    old_ = qgetenv(name);
    if (value.isNull())
      qunsetenv(name);
    else
      qputenv(name, value);
  }
  ~ScopedEnv() {
    if (had_)
      qputenv(name_, old_);
    else
      qunsetenv(name_);
  }

 private:
  const char* name_;
  QByteArray old_;
  bool had_ = false;
};

TEST(DriveRoot, DriveCIsTheHomeFolderUnlessNamed) {
  {
    ScopedEnv unset("TIRRA_DRIVE_C", QByteArray());
    EXPECT_EQ(tirra::driveRoot('c'), QDir::homePath());
    EXPECT_EQ(tirra::localPath("c:\\tirra\\db.properties"), QDir::homePath() + "/tirra/db.properties");
  }
  QTemporaryDir dir;
  ScopedEnv set("TIRRA_DRIVE_C", dir.path().toLocal8Bit());
  EXPECT_EQ(tirra::driveRoot('c'), dir.path());
  EXPECT_EQ(tirra::driveRoot('C'), dir.path());
}

TEST(DriveRoot, OtherDrivesHaveFoldersOfTheirOwn) {
  QTemporaryDir dir;
  ScopedEnv set("TIRRA_DRIVE_D", dir.path().toLocal8Bit());
  ScopedEnv unset("TIRRA_DRIVE_E", QByteArray());
  EXPECT_EQ(tirra::localPath("D:\\songs\\a.wav"), dir.path() + "/songs/a.wav");
  EXPECT_EQ(tirra::driveRoot('e'), QDir::homePath() + "/drive_e");
}

struct MapCase {
  const char* label;
  const char* stored;
  const char* expected;  // relative to drive c; "" for the drive itself
};

// Drive c holds tirra/tmpsound, tirra/in1, and both Mixed and mixed.
const MapCase kMapCases[] = {
    {"NothingExistsKeepsSpelling", "c:\\Lab\\New\\x.wav", "Lab/New/x.wav"},
    {"ExistingComponentsMatchWithoutCase", "c:\\TIRRA\\tmpSound", "tirra/tmpsound"},
    {"TrailingBackslashKept", "c:\\TIRRA\\tmpSound\\", "tirra/tmpsound/"},
    {"MatchingStopsAtFirstMissingComponent", "c:\\TIRRA\\Out1\\Songs", "tirra/Out1/Songs"},
    {"ForwardSlashesToo", "c:/tirra/IN1", "tirra/in1"},
    {"UpperCaseDrive", "C:\\tirra\\in1", "tirra/in1"},
    {"DriveAlone", "c:\\", ""},
    {"ExactSpellingWinsOverOtherCase", "c:\\mixed", "mixed"},
    {"ExactSpellingWinsOverOtherCaseUpper", "c:\\Mixed", "Mixed"},
};

void PrintTo(const MapCase& c, std::ostream* os) { *os << c.label; }

class PathMapping : public ::testing::TestWithParam<MapCase> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir().mkpath(home.file("tirra/tmpsound")));
    ASSERT_TRUE(QDir().mkpath(home.file("tirra/in1")));
    ASSERT_TRUE(QDir().mkpath(home.file("Mixed")));
    ASSERT_TRUE(QDir().mkpath(home.file("mixed")));
  }
  tirra::test::StationHome home;
};

TEST_P(PathMapping, MapsOntoDriveC) {
  const MapCase& c = GetParam();
  const QString rel = QString::fromUtf8(c.expected);
  EXPECT_EQ(tirra::localPath(c.stored), rel.isEmpty() ? home.path() : home.path() + "/" + rel);
}

INSTANTIATE_TEST_SUITE_P(Stored, PathMapping, ::testing::ValuesIn(kMapCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(PathMappingPosix, AbsolutePathUsedAsItIs) {
  tirra::test::StationHome home;
  EXPECT_EQ(tirra::localPath("/var/Lib/Songs"), "/var/Lib/Songs");
  EXPECT_EQ(tirra::localPath(home.path() + "/X/"), home.path() + "/X/");
}

TEST(PathMappingRelative, TakenFromTheCurrentFolder) {
  tirra::test::StationHome home;
  ASSERT_TRUE(QDir().mkpath(home.file("work/Songs")));
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(home.file("work")));
  const QString mapped = tirra::localPath("songs\\a.wav");
  QDir::setCurrent(before);
  EXPECT_EQ(QDir(QFileInfo(mapped).path()).canonicalPath(), QDir(home.file("work/Songs")).canonicalPath());
  EXPECT_TRUE(mapped.endsWith("/Songs/a.wav")) << mapped.toStdString();
}

TEST(FolderServices, TestAndCreateThroughStoredPaths) {
  tirra::test::StationHome home;
  ASSERT_TRUE(QDir().mkpath(home.file("tirra")));
  QFile f(home.file("tirra/birds.txt"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();

  EXPECT_TRUE(tirra::folderExists("c:\\TIRRA"));
  EXPECT_FALSE(tirra::folderExists("c:\\TIRRA\\birds.txt"));
  EXPECT_TRUE(tirra::fileExists("c:\\Tirra\\Birds.TXT"));
  EXPECT_FALSE(tirra::fileExists("c:\\tirra"));
  EXPECT_FALSE(tirra::folderExists(""));
  EXPECT_FALSE(tirra::fileExists(""));

  // A new folder joins the existing one whatever case the stored path uses.
  EXPECT_TRUE(tirra::makeFolders("c:\\TIRRA\\in3\\deep"));
  EXPECT_TRUE(QFileInfo(home.file("tirra/in3/deep")).isDir());
  EXPECT_FALSE(QFileInfo::exists(home.file("TIRRA")));
  EXPECT_TRUE(tirra::makeFolders("c:\\tirra\\in3"));  // already there
  EXPECT_FALSE(tirra::makeFolders(""));
  EXPECT_FALSE(tirra::makeFolders("   "));
  // A file in the way cannot become a folder.
  EXPECT_FALSE(tirra::makeFolders("c:\\tirra\\birds.txt\\sub"));
}

}  // namespace
