// The small widgets the pages are built from, driven as the station drives them.
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "widgets/filelistbox.h"
#include "widgets/numlab.h"
#include "widgets/radiogroup.h"
#include "widgets/spinbutton.h"

namespace {

void touch(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

TEST(FileListBox, ListsTheMaskedFilesSortedAndKeepsASelection) {
  QTemporaryDir dir;
  for (const char* n : {"b2.wav", "a1.WAV", "c3.wav", "notes.txt", "d4.wav.bak"}) touch(dir.filePath(n));
  QDir(dir.path()).mkdir("sub.wav");
  FileListBox list;
  list.setFolder(dir.path() + "/");
  EXPECT_EQ(list.count(), 3);
  EXPECT_EQ(list.fileName(0), "a1.WAV");
  EXPECT_EQ(list.fileName(2), "c3.wav");
  EXPECT_EQ(list.itemIndex(), -1);
  EXPECT_EQ(list.selectedPath(), "");
  list.setItemIndex(1);
  EXPECT_EQ(list.selectedPath(), dir.path() + "\\b2.wav");
  list.setItemIndex(3);  // beyond the files: no selection
  EXPECT_EQ(list.itemIndex(), -1);
  // A re-read sees new files and clears the selection.
  list.setItemIndex(0);
  touch(dir.filePath("a0.wav"));
  list.reread();
  EXPECT_EQ(list.count(), 4);
  EXPECT_EQ(list.fileName(0), "a0.wav");
  EXPECT_EQ(list.itemIndex(), -1);
  // Another mask.
  list.setMask("*.txt");
  EXPECT_EQ(list.count(), 1);
}

TEST(FileListBox, AMissingFolderGivesAnEmptyList) {
  FileListBox list;
  list.setFolder("/nonexistent/tirra/songs");
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.folder(), "/nonexistent/tirra/songs");
}

TEST(RadioGroup, ReportsAChangedItemFromUserOrProgramOnce) {
  RadioGroup g("onset", {"on time", "random"}, 0);
  QSignalSpy clicked(&g, &RadioGroup::clicked);
  g.setItemIndex(0);  // unchanged: nothing
  EXPECT_EQ(clicked.count(), 0);
  g.setItemIndex(1);
  EXPECT_EQ(clicked.count(), 1);
  g.clickItem(0);
  EXPECT_EQ(clicked.count(), 2);
  EXPECT_EQ(g.itemIndex(), 0);
  g.setItemIndex(-1);
  EXPECT_EQ(g.itemIndex(), -1);
  EXPECT_EQ(clicked.count(), 2);
}

TEST(UpDown, StepsWithinItsRangeAndReportsEveryClick) {
  UpDown u(nullptr, 0, 2, 1);
  QSignalSpy changing(&u, &UpDown::changing);
  u.clickUp();
  u.clickUp();  // stopped at 2, still reported
  EXPECT_EQ(u.position(), 2);
  u.clickDown();
  u.clickDown();
  u.clickDown();
  EXPECT_EQ(u.position(), 0);
  EXPECT_EQ(changing.count(), 5);
  u.setPosition(7);  // by program: clamped, not reported
  EXPECT_EQ(u.position(), 2);
  EXPECT_EQ(changing.count(), 5);
}

TEST(NumLab, ShowsItsDecimalsAndSuffix) {
  struct Case {
    double value;
    int decimals;
    const char* suffix;
    const char* shown;
  } cases[] = {{2, 1, "s", "2.0s"}, {0.1, 4, "/s", "0.1000/s"}, {30000, 0, "", "30000"}, {-1, 0, "", "-1"}};
  for (const Case& c : cases) {
    NumLab n(nullptr, c.value, c.decimals, c.suffix);
    EXPECT_EQ(n.text().toStdString(), c.shown);
    EXPECT_EQ(n.value(), c.value);
  }
}

}  // namespace
