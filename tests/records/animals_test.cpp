// "New" and "Change" on the Animals page with the animals window.
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include "recording/component/ztbird.h"
#include "support/station.h"
#include "widgets/numlab.h"

namespace {

using tirra::test::Station;

class Animals : public ::testing::Test {
 protected:
  void SetUp() override {
    st = std::make_unique<Station>();
    st->start();
    st->db().exec(
        "INSERT INTO animals (bird_name, sex, hatched, model, quota, training) "
        "VALUES ('o77', 'F', '2025-11-01', 'tutor3', 25, '2025-12-10 09:00:00')");
  }
  TForm1& form() { return st->form(); }
  Tanimals_form* window() { return form().animals_form; }
  template <class W>
  static W* in(QDialog* d, const char* name) {
    return d->findChild<W*>(name);
  }
  std::unique_ptr<Station> st;
};

TEST_F(Animals, TheNameTakesLettersAndNumbersOnly) {
  auto* name = window()->findChild<QLineEdit*>("name");
  name->setText("B_12 a");
  EXPECT_EQ(name->text(), "B12a");
  EXPECT_EQ(window()->findChild<QLineEdit*>("name_view")->text(), "B12a");
}

TEST_F(Animals, AgesFromTheHatchDate) {
  auto* hatched = window()->findChild<QDateEdit*>("hatched");
  hatched->setDate(QDate(2026, 1, 1));
  window()->findChild<QPushButton*>("set_time1")->click();  // "Now": hatched today
  EXPECT_EQ(hatched->date(), QDate(2026, 3, 2));
  EXPECT_EQ(window()->findChild<NumLab*>("age")->value(), 0);
  window()->findChild<QLineEdit*>("training")->setText("12");
  EXPECT_EQ(window()->findChild<QDateEdit*>("trained")->date(), QDate(2026, 3, 14));
  window()->findChild<QLineEdit*>("training")->setText("soon");  // not a number: 0 days
  EXPECT_EQ(window()->findChild<QDateEdit*>("trained")->date(), QDate(2026, 3, 2));
}

TEST_F(Animals, ChangePutsARegisteredBirdOnTheChannel) {
  st->prompts().dialogScripts.push_back([](QDialog* d) {
    auto* w = static_cast<Tanimals_form*>(d);
    EXPECT_EQ(w->pages()->currentWidget()->objectName(), "select_page");
    EXPECT_TRUE(w->selectBird("o77"));
    return int(QDialog::Accepted);
  });
  form().widget<QToolButton>("chang_bird4")->click();
  EXPECT_EQ(form().widget<QLabel>("ID4")->text(), "o77");
  EXPECT_EQ(form().birdControls[3]->GetStringValue(5), "o77");
  EXPECT_EQ(form().birdNames[3], "o77");
  EXPECT_EQ(form().hatchPickers[3]->date(), QDate(2025, 11, 1));
  EXPECT_EQ(form().startPickers[3]->date(), QDate(2025, 12, 10));
  EXPECT_EQ(form().widget<QLabel>("Age4")->text(), QString::number(QDate(2025, 11, 1).daysTo(QDate(2026, 3, 2))));
  const auto row = st->db().rows(
      "SELECT bird_ID, hatching_date, start_training, song_quota, syllable_table FROM settings WHERE num=6");
  ASSERT_EQ(row.size(), 1);
  EXPECT_EQ(row[0][0].toString(), "o77");
  EXPECT_EQ(row[0][1].toDate(), QDate(2025, 11, 1));
  EXPECT_EQ(row[0][2].toDate(), QDate(2025, 12, 10));
  EXPECT_EQ(row[0][3].toInt(), 25);
  EXPECT_EQ(row[0][4].toString(), "syll_o77");
  EXPECT_EQ(st->db().scalar("SELECT COUNT(*) FROM animals").toInt(), 1);  // nothing added
}

TEST_F(Animals, NewAddsTheBirdToTheRegisterOnce) {
  auto describe = [](const QString& name, const QString& weight) {
    return [name, weight](QDialog* d) {
      EXPECT_EQ(static_cast<Tanimals_form*>(d)->pages()->currentWidget()->objectName(), "new_page");
      in<QLineEdit>(d, "name")->setText(name);
      in<QComboBox>(d, "gender")->setCurrentIndex(1);
      in<QDateEdit>(d, "hatched")->setDate(QDate(2026, 1, 20));
      in<QLineEdit>(d, "weight")->setText(weight);
      in<QLineEdit>(d, "song_quota")->setText("30");
      in<QLineEdit>(d, "bird_comments")->setText("bird's first week");
      return int(QDialog::Accepted);
    };
  };
  st->prompts().dialogScripts.push_back(describe("r5'b", "11.5"));
  form().widget<QToolButton>("set1")->click();
  const auto row = st->db().rows("SELECT bird_name, sex, hatched, weight, quota, details, procedure3 FROM animals "
                                 "WHERE bird_name<>'o77'");
  ASSERT_EQ(row.size(), 1);
  EXPECT_EQ(row[0][0].toString(), "r5'b");  // a quote in the name is stored as typed
  EXPECT_EQ(row[0][1].toString(), "F");
  EXPECT_EQ(row[0][2].toDate(), QDate(2026, 1, 20));
  EXPECT_FLOAT_EQ(row[0][3].toFloat(), 11.5f);
  EXPECT_EQ(row[0][4].toInt(), 30);
  EXPECT_EQ(row[0][5].toString(), "bird's first week");
  EXPECT_EQ(row[0][6].toString(), "");
  EXPECT_EQ(st->db().scalar("SELECT bird_ID FROM settings WHERE num=3").toString(), "r5'b");

  // The same name again: nothing added, nothing said; the channel still takes it.
  st->prompts().dialogScripts.push_back(describe("r5'b", "12"));
  form().widget<QToolButton>("set2")->click();
  EXPECT_EQ(st->db().scalar("SELECT COUNT(*) FROM animals").toInt(), 2);
  EXPECT_TRUE(st->prompts().messages().isEmpty());
  EXPECT_EQ(st->db().scalar("SELECT bird_ID FROM settings WHERE num=4").toString(), "r5'b");

  // A weight that is not a number is reported and adds no row.
  st->prompts().dialogScripts.push_back(describe("w9", "heavy"));
  form().widget<QToolButton>("set3")->click();
  EXPECT_EQ(st->db().scalar("SELECT COUNT(*) FROM animals").toInt(), 2);
  ASSERT_EQ(st->prompts().messages().size(), 1);
  EXPECT_TRUE(st->prompts().messages()[0].contains("heavy"));
}

TEST_F(Animals, CancelOrAnEmptyNameChangesNothing) {
  const auto before = st->db().rows("SELECT * FROM settings ORDER BY num");
  form().widget<QToolButton>("set5")->click();  // unscripted: the window is cancelled
  st->prompts().dialogScripts.push_back([](QDialog* d) {
    in<QLineEdit>(d, "name")->setText("");
    return int(QDialog::Accepted);
  });
  form().widget<QToolButton>("set5")->click();
  EXPECT_EQ(st->db().rows("SELECT * FROM settings ORDER BY num"), before);
  EXPECT_EQ(form().widget<QLabel>("ID5")->text(), "6");
  EXPECT_EQ(st->db().scalar("SELECT COUNT(*) FROM animals").toInt(), 1);
}

}  // namespace
