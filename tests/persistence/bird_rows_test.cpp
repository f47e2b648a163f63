// The birds on the "Animals" page and their rows in the shared settings table.
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "recording/component/ztbird.h"
#include "support/station.h"

namespace {

using tirra::test::Station;

QString label(TForm1& f, const char* pattern, int n) { return f.widget<QLabel>(QString(pattern).arg(n))->text(); }

TEST(BirdRows, AFirstStartShowsTheNewRowsBirds) {
  Station st(QDateTime(QDate(2010, 1, 31), QTime(23, 59)));
  st.start();
  TForm1& f = st.form();
  for (int c = 0; c < 10; ++c) {
    const QString name = QString::number(c + 2);  // rows 3..12 hold the birds 2..11
    EXPECT_EQ(f.birdControls[c]->GetStringValue(5), name) << c;
    EXPECT_EQ(f.birdNames[c], name) << c;
    EXPECT_EQ(label(f, "ID%1", c + 1), name) << c;
    EXPECT_EQ(f.hatchPickers[c]->date(), QDate(2010, 1, 2));
    EXPECT_EQ(f.startPickers[c]->date(), QDate(2010, 2, 2));
    EXPECT_EQ(f.endPickers[c]->date(), QDate(2010, 3, 2));
    EXPECT_EQ(label(f, "Age%1", c + 1), "29");
  }
  EXPECT_TRUE(st.prompts().transcript.empty());
}

TEST(BirdRows, ADateChangeWritesItsOwnColumnOfItsOwnRowOnly) {
  Station st;
  st.start();
  TForm1& f = st.form();
  struct Case {
    QDateEdit* picker;
    int row;
    const char* column;
  } cases[] = {{f.endPickers[6], 9, "stop_training"}, {f.startPickers[2], 5, "start_training"},
               {f.hatchPickers[0], 3, "hatching_date"}};
  for (const Case& c : cases) {
    const auto before = st.db().rows("SELECT * FROM settings ORDER BY num");
    c.picker->setDate(QDate(2011, 6, 15));  // as the user picks it
    const auto after = st.db().rows("SELECT * FROM settings ORDER BY num");
    const auto columns = st.db().rows("SELECT COLUMN_NAME FROM information_schema.COLUMNS WHERE TABLE_SCHEMA='" +
                                      st.db().name() + "' AND TABLE_NAME='settings' ORDER BY ORDINAL_POSITION");
    for (int r = 0; r < before.size(); ++r)
      for (int k = 0; k < before[r].size(); ++k) {
        const bool target = r + 1 == c.row && columns[k][0].toString() == c.column;
        if (target)
          EXPECT_EQ(after[r][k].toDate(), QDate(2011, 6, 15)) << c.column;
        else
          EXPECT_EQ(after[r][k], before[r][k]) << "row " << r + 1 << " " << columns[k][0].toString().toStdString();
      }
  }
  // The hatch date moved: the age follows at once.
  EXPECT_EQ(label(f, "Age%1", 1), QString::number(QDate(2011, 6, 15).daysTo(QDate(2026, 3, 2))));
}

TEST(BirdRows, AgesCountWholeDaysAndMayBeNegative) {
  Station st(QDateTime(QDate(2010, 1, 31), QTime(0, 1)));
  st.start();
  TForm1& f = st.form();
  f.hatchPickers[3]->setDate(QDate(2010, 1, 1));
  EXPECT_EQ(label(f, "Age%1", 4), "30");
  f.hatchPickers[4]->setDate(QDate(2010, 2, 10));
  EXPECT_EQ(label(f, "Age%1", 5), "-10");
  // The half-minute work keeps the ages current as days pass.
  tirra::setNow(QDateTime(QDate(2010, 2, 3), QTime(12, 0)));
  f.clockHour = 12;
  st.tick(301);
  EXPECT_EQ(label(f, "Age%1", 4), "33");
}

TEST(BirdRows, UpdateAllShowsWhatAnotherProgramChanged) {
  Station st;
  st.start();
  TForm1& f = st.form();
  st.db().exec("UPDATE settings SET bird_ID='y12', hatching_date='2025-05-05', stop_training='2026-12-24' WHERE num=8");
  EXPECT_EQ(label(f, "ID%1", 6), "7");
  f.widget<QPushButton>("update_tables")->click();
  EXPECT_EQ(label(f, "ID%1", 6), "y12");
  EXPECT_EQ(f.birdControls[5]->GetStringValue(5), "y12");
  EXPECT_EQ(f.hatchPickers[5]->date(), QDate(2025, 5, 5));
  EXPECT_EQ(f.endPickers[5]->date(), QDate(2026, 12, 24));
  EXPECT_EQ(label(f, "Age%1", 6), QString::number(QDate(2025, 5, 5).daysTo(QDate(2026, 3, 2))));
}

TEST(BirdRows, AClosedTableKeepsTheScreenWorkingAndUpdateAllSaysWhy) {
  Station st;
  st.start();
  TForm1& f = st.form();
  const auto before = st.db().rows("SELECT * FROM settings ORDER BY num");
  f.current.close();
  f.hatchPickers[1]->setDate(QDate(2026, 2, 28));
  EXPECT_EQ(label(f, "Age%1", 2), "2");
  EXPECT_EQ(st.db().rows("SELECT * FROM settings ORDER BY num"), before);
  f.widget<QPushButton>("update_tables")->click();
  ASSERT_EQ(st.prompts().transcript.size(), 1u);
  EXPECT_EQ(st.prompts().transcript[0].kind, tirra::MsgKind::Error);
  EXPECT_EQ(label(f, "ID%1", 2), "3");
}

}  // namespace
