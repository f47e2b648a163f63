// "New" and "Change" on the Animals page with the animals window: the register in the
// grid, the "New Animal" page's rules, the channel and its settings row, new birds.
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QToolButton>
#include <gtest/gtest.h>

#include "recording/component/ztbird.h"
#include "support/station.h"
#include "widgets/numlab.h"

namespace {

using tirra::test::Station;

// The station's clock reads 2026-03-02 10:00 (Station's default).
const QDate kToday(2026, 3, 2);

class Animals : public ::testing::Test {
 protected:
  void SetUp() override {
    st = std::make_unique<Station>();
    st->start();
    st->db().exec(
        "INSERT INTO animals (bird_name, sex, hatched, model, quota, training, proc1_date) VALUES "
        "('o77', 'F', '2025-11-01', 'tutor3', 25, '2025-12-10 09:30:00', '2025-11-21 18:00:00'), "
        "('b12', 'M', '2025-10-05', 'tutor1', 40, '2025-09-01 00:00:00', '0000-00-00 00:00:00'), "
        "('y3', 'M', '2025-12-24', 'tutor3', 0, '2026-01-30 00:00:00', '0000-00-00 00:00:00')");
  }
  TForm1& form() { return st->form(); }
  Tanimals_form* window() { return form().animals_form; }
  template <class W>
  static W* in(QDialog* d, const char* name) {
    W* w = d->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  // Clicks the grid's cell of a bird, as the user would; fails the test if it is not shown.
  static void clickBird(Tanimals_form* w, const QString& name) {
    QAbstractItemModel* m = w->grid()->model();
    for (int r = 0; r < m->rowCount(); ++r)
      if (m->index(r, 0).data().toString() == name) {
        emit w->grid()->clicked(m->index(r, 2));
        return;
      }
    ADD_FAILURE() << name.toStdString() << " is not in the grid";
  }
  int registerSize() { return st->db().scalar("SELECT COUNT(*) FROM animals").toInt(); }
  std::unique_ptr<Station> st;
};

// ---------------------------------------------------------------- the "New Animal" page

TEST_F(Animals, TheNameTakesLettersAndNumbersOnly) {
  auto* name = window()->findChild<QLineEdit*>("name");
  name->setText("B_12 a");
  EXPECT_EQ(name->text(), "B12a");
  EXPECT_EQ(window()->findChild<QLineEdit*>("name_view")->text(), "B12a");
  name->setText("x-1");
  EXPECT_EQ(name->text(), "x1");
}

TEST_F(Animals, AgesFromTheHatchDate) {
  auto* hatched = window()->findChild<QDateEdit*>("hatched");
  auto* age = window()->findChild<NumLab*>("age");
  hatched->setDate(QDate(2026, 1, 31));
  EXPECT_EQ(age->value(), 30);
  hatched->setDate(QDate(2026, 1, 1));
  window()->findChild<QPushButton*>("set_time1")->click();  // "Now": hatched today
  EXPECT_EQ(hatched->date(), kToday);
  EXPECT_EQ(age->value(), 0);
  window()->findChild<QLineEdit*>("training")->setText("12");
  EXPECT_EQ(window()->findChild<QDateEdit*>("trained")->date(), QDate(2026, 3, 14));
  window()->findChild<QLineEdit*>("training")->setText("soon");  // not a number: 0 days
  EXPECT_EQ(window()->findChild<QDateEdit*>("trained")->date(), kToday);
}

TEST_F(Animals, AClickedBirdFillsTheNewAnimalPage) {
  Tanimals_form* w = window();
  w->reloadRegister();
  w->findChild<QPushButton*>("OKBtn")->setEnabled(false);
  clickBird(w, "o77");
  EXPECT_TRUE(w->findChild<QPushButton*>("OKBtn")->isEnabled());
  EXPECT_EQ(w->findChild<QLineEdit*>("name")->text(), "o77");
  EXPECT_EQ(w->findChild<QLineEdit*>("name_view")->text(), "o77");
  EXPECT_EQ(w->findChild<QComboBox*>("gender")->currentText(), "female");
  EXPECT_EQ(w->findChild<QDateEdit*>("hatched")->date(), QDate(2025, 11, 1));
  EXPECT_EQ(w->findChild<NumLab*>("age")->value(), QDate(2025, 11, 1).daysTo(kToday));
  EXPECT_EQ(w->findChild<QDateEdit*>("procedure1_schedule")->date(), QDate(2025, 11, 21));
  EXPECT_EQ(w->findChild<QTimeEdit*>("procedure1_time")->time(), QTime(18, 0));
  EXPECT_EQ(w->findChild<NumLab*>("procedure1_age")->value(), 20);  // 20.75 days, shown whole
  EXPECT_EQ(w->findChild<QDateEdit*>("trained")->date(), QDate(2025, 12, 10));
  EXPECT_EQ(w->findChild<QTimeEdit*>("train_time")->time(), QTime(9, 30));
  EXPECT_EQ(w->findChild<QLineEdit*>("training")->text(), "39");
  EXPECT_EQ(w->findChild<QLineEdit*>("song")->text(), "tutor3");
  EXPECT_EQ(w->findChild<QLineEdit*>("song_quota")->text(), "25");

  // b12 started training before it hatched: training age "0", training date = hatch date.
  // Twice in a row, so the second time the text does not change.
  for (int i = 0; i < 2; ++i) {
    clickBird(w, "b12");
    EXPECT_EQ(w->findChild<QLineEdit*>("training")->text(), "0");
    EXPECT_EQ(w->findChild<QDateEdit*>("trained")->date(), QDate(2025, 10, 5));
    EXPECT_EQ(w->findChild<QComboBox*>("gender")->currentText(), "male");
  }
}

// ---------------------------------------------------------------- finding a bird

TEST_F(Animals, FilterSearchSortingAndTheirHint) {
  Tanimals_form* w = window();
  w->reloadRegister();
  QAbstractItemModel* m = w->grid()->model();
  EXPECT_EQ(m->rowCount(), 3);
  EXPECT_EQ(w->findChild<QLabel*>("record_count")->text(), "3 birds");

  // The filter bar matches any column; "Clear filters" shows every bird in register order.
  w->findChild<QLineEdit*>("filter_bar")->setText("tutor3");
  w->findChild<QPushButton*>("filter")->click();
  ASSERT_EQ(m->rowCount(), 2);
  EXPECT_EQ(m->index(0, 0).data().toString(), "o77");
  EXPECT_EQ(m->index(1, 0).data().toString(), "y3");

  // A click on a column title sorts by it and shows how to search.
  w->show();
  QHeaderView* titles = w->grid()->horizontalHeader();
  const QPointF at(titles->sectionViewportPosition(2) + 10, titles->height() / 2);
  for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent click(t, at, titles->viewport()->mapToGlobal(at), Qt::LeftButton,
                      t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(titles->viewport(), &click);
  }
  EXPECT_EQ(w->findChild<QLabel*>("messages")->text(),
            "Click field name above to sort, then search (case sensitive). To filter click 'enter', then "
            "'Apply filter'.");
  EXPECT_EQ(titles->sortIndicatorSection(), 2);

  w->findChild<QPushButton*>("clear_filters")->click();
  EXPECT_TRUE(w->findChild<QLineEdit*>("filter_bar")->text().isEmpty());
  ASSERT_EQ(m->rowCount(), 3);
  QStringList shown;
  for (int r = 0; r < 3; ++r) shown << m->index(r, 0).data().toString();
  EXPECT_EQ(shown, QStringList({"b12", "o77", "y3"}));  // primary-key order

  // The search bar looks in the sorted column and makes the first match current.
  w->grid()->sortByColumn(2, Qt::DescendingOrder);  // hatched, latest first
  w->findChild<QLineEdit*>("search_bar")->setText("2025-1");
  EXPECT_EQ(w->findChild<QLineEdit*>("name_view")->text(), "y3");
  w->findChild<QLineEdit*>("search_bar")->setText("2025-10");
  EXPECT_EQ(w->findChild<QLineEdit*>("name_view")->text(), "b12");
  w->hide();
}

// ---------------------------------------------------------------- "Change"

TEST_F(Animals, ChangePutsARegisteredBirdOnTheChannel) {
  st->prompts().dialogScripts.push_back([](QDialog* d) {
    auto* w = static_cast<Tanimals_form*>(d);
    EXPECT_EQ(w->pages()->currentWidget()->objectName(), "select_page");
    clickBird(w, "o77");
    in<QPushButton>(d, "OKBtn")->click();
    return d->result();
  });
  form().widget<QToolButton>("chang_bird4")->click();
  EXPECT_TRUE(st->prompts().messages().isEmpty());
  EXPECT_EQ(form().widget<QLabel>("ID4")->text(), "o77");
  EXPECT_EQ(form().birdControls[3]->GetStringValue(5), "o77");
  EXPECT_EQ(form().birdNames[3], "o77");
  EXPECT_EQ(form().hatchPickers[3]->date(), QDate(2025, 11, 1));
  EXPECT_EQ(form().startPickers[3]->date(), QDate(2025, 12, 10));
  EXPECT_EQ(form().widget<QLabel>("Age4")->text(), QString::number(QDate(2025, 11, 1).daysTo(kToday)));
  const auto row = st->db().rows(
      "SELECT bird_ID, hatching_date, start_training, song_quota, syllable_table FROM settings WHERE num=6");
  ASSERT_EQ(row.size(), 1);
  EXPECT_EQ(row[0][0].toString(), "o77");
  EXPECT_EQ(row[0][1].toDate(), QDate(2025, 11, 1));
  EXPECT_EQ(row[0][2].toDate(), QDate(2025, 12, 10));
  EXPECT_EQ(row[0][3].toInt(), 25);
  EXPECT_EQ(row[0][4].toString(), "syll_o77");
  EXPECT_EQ(registerSize(), 3);  // nothing added
  EXPECT_FALSE(window()->newAnimal);
}

TEST_F(Animals, TheGridIsReadAgainEachTimeTheWindowOpens) {
  form().widget<QToolButton>("chang_bird1")->click();  // unscripted: cancelled
  st->db().exec("INSERT INTO animals (bird_name, quota) VALUES ('g40', 7)");  // another module
  st->prompts().dialogScripts.push_back([](QDialog* d) {
    clickBird(static_cast<Tanimals_form*>(d), "g40");
    return int(QDialog::Accepted);
  });
  form().widget<QToolButton>("chang_bird1")->click();
  EXPECT_EQ(st->db().scalar("SELECT song_quota FROM settings WHERE num=3").toInt(), 7);
  EXPECT_EQ(form().widget<QLabel>("ID1")->text(), "g40");
}

// ---------------------------------------------------------------- "New"

// Describes a new bird on the "New Animal" page and confirms with OK.
std::function<int(QDialog*)> describe(const QString& name, const QString& weight = "11.5",
                                      const QString& location = "4", const QString& quota = "30") {
  return [=](QDialog* d) {
    auto* w = static_cast<Tanimals_form*>(d);
    EXPECT_EQ(w->pages()->currentWidget()->objectName(), "new_page");
    w->findChild<QLineEdit*>("name")->setText(name);
    w->findChild<QComboBox*>("gender")->setCurrentIndex(1);
    w->findChild<QDateEdit*>("hatched")->setDate(QDate(2026, 1, 20));
    w->findChild<QLineEdit*>("weight")->setText(weight);
    w->findChild<QLineEdit*>("cage")->setText(location);
    w->findChild<QLineEdit*>("procedure1")->setText("isolation");
    w->findChild<QDateEdit*>("procedure1_schedule")->setDate(QDate(2026, 2, 1));
    w->findChild<QTimeEdit*>("procedure1_time")->setTime(QTime(15, 45));
    w->findChild<QLineEdit*>("training")->setText("25");
    w->findChild<QLineEdit*>("song")->setText("tutor9");
    w->findChild<QLineEdit*>("song_quota")->setText(quota);
    w->findChild<QLineEdit*>("audio")->setText("mic 2");
    w->findChild<QLineEdit*>("bird_comments")->setText("bird's first week");
    w->findChild<QPushButton*>("OKBtn")->click();
    return d->result();
  };
}

TEST_F(Animals, NewAddsTheBirdToTheRegisterOnce) {
  st->prompts().dialogScripts.push_back(describe("r5'b"));
  form().widget<QToolButton>("set1")->click();
  EXPECT_TRUE(st->prompts().messages().isEmpty());
  EXPECT_TRUE(window()->newAnimal);
  const auto row = st->db().rows(
      "SELECT bird_name, sex, hatched, weight, location, procedure1, CAST(proc1_date AS CHAR), procedure3, "
      "CAST(proc3_date AS CHAR), CAST(training AS CHAR), model, quota, audio, details FROM animals "
      "WHERE bird_name NOT IN ('o77', 'b12', 'y3')");
  ASSERT_EQ(row.size(), 1);
  EXPECT_EQ(row[0][0].toString(), "r5'b");  // a quote in the name is stored as typed
  EXPECT_EQ(row[0][1].toString(), "F");
  EXPECT_EQ(row[0][2].toDate(), QDate(2026, 1, 20));
  EXPECT_FLOAT_EQ(row[0][3].toFloat(), 11.5f);
  EXPECT_EQ(row[0][4].toInt(), 4);
  EXPECT_EQ(row[0][5].toString(), "isolation");
  EXPECT_EQ(row[0][6].toString(), "2026-02-01 00:00:00");  // a date, no time of day
  EXPECT_EQ(row[0][7].toString(), "");
  EXPECT_EQ(row[0][8].toString(), "0000-00-00 00:00:00");
  EXPECT_EQ(row[0][9].toString(), "2026-02-14 00:00:00");  // hatch + 25 days
  EXPECT_EQ(row[0][10].toString(), "tutor9");
  EXPECT_EQ(row[0][11].toInt(), 30);
  EXPECT_EQ(row[0][12].toString(), "mic 2");
  EXPECT_EQ(row[0][13].toString(), "bird's first week");
  const auto bird = st->db().rows(
      "SELECT bird_ID, hatching_date, start_training, song_quota, syllable_table FROM settings WHERE num=3");
  ASSERT_EQ(bird.size(), 1);
  EXPECT_EQ(bird[0][0].toString(), "r5'b");
  EXPECT_EQ(bird[0][1].toDate(), QDate(2026, 1, 20));
  EXPECT_EQ(bird[0][2].toDate(), QDate(2026, 2, 14));
  EXPECT_EQ(bird[0][3].toInt(), 30);
  EXPECT_EQ(bird[0][4].toString(), "syll_r5'b");
  EXPECT_EQ(form().widget<QLabel>("Age1")->text(), QString::number(QDate(2026, 1, 20).daysTo(kToday)));

  // The same name again: nothing added, nothing said; the channel still takes it.
  st->prompts().dialogScripts.push_back(describe("r5'b", "12"));
  form().widget<QToolButton>("set2")->click();
  EXPECT_EQ(registerSize(), 4);
  EXPECT_TRUE(st->prompts().messages().isEmpty());
  EXPECT_EQ(st->db().scalar("SELECT bird_ID FROM settings WHERE num=4").toString(), "r5'b");
  EXPECT_FLOAT_EQ(st->db().scalar("SELECT weight FROM animals WHERE bird_name='r5''b'").toFloat(), 11.5f);

  // After a "New", a "Change" checks the register too and finds the chosen bird there.
  st->prompts().dialogScripts.push_back([](QDialog* d) {
    clickBird(static_cast<Tanimals_form*>(d), "y3");
    return int(QDialog::Accepted);
  });
  form().widget<QToolButton>("chang_bird3")->click();
  EXPECT_EQ(registerSize(), 4);
  EXPECT_EQ(st->db().scalar("SELECT bird_ID FROM settings WHERE num=5").toString(), "y3");
}

TEST_F(Animals, ANumberThatIsNotOneIsReportedAndAddsNoRow) {
  const struct {
    const char* weight;
    const char* location;
    const char* quota;
    const char* shown;
  } cases[] = {{"heavy", "4", "30", "heavy"}, {"11", "cage 2", "30", "cage 2"}, {"11", "4", "many", "many"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    st->prompts().clear();
    st->prompts().dialogScripts.push_back(describe("w9", c.weight, c.location, c.quota));
    form().widget<QToolButton>("set3")->click();
    EXPECT_EQ(registerSize(), 3);
    ASSERT_EQ(st->prompts().messages().size(), 1);
    EXPECT_TRUE(st->prompts().messages()[0].contains(c.shown)) << st->prompts().messages()[0].toStdString();
  }
  // Empty number fields stand for 0, and the next bird is added normally.
  st->prompts().clear();
  st->prompts().dialogScripts.push_back(describe("w9", "", "", ""));
  form().widget<QToolButton>("set3")->click();
  EXPECT_TRUE(st->prompts().messages().isEmpty());
  EXPECT_EQ(st->db().scalar("SELECT quota FROM animals WHERE bird_name='w9'").toInt(), 0);
  EXPECT_EQ(registerSize(), 4);
}

TEST_F(Animals, CancelOrAnEmptyNameChangesNothing) {
  const auto before = st->db().rows("SELECT * FROM settings ORDER BY num");
  const QString shownBefore = form().widget<QLabel>("ID5")->text();
  form().widget<QToolButton>("set5")->click();  // unscripted: the window is cancelled
  st->prompts().dialogScripts.push_back([](QDialog* d) {
    in<QLineEdit>(d, "name")->setText("pp1");
    in<QPushButton>(d, "CancelBtn")->click();
    return d->result();
  });
  form().widget<QToolButton>("set5")->click();
  st->prompts().dialogScripts.push_back([](QDialog* d) {
    in<QLineEdit>(d, "name")->setText("");
    return int(QDialog::Accepted);
  });
  form().widget<QToolButton>("set5")->click();
  EXPECT_EQ(st->db().rows("SELECT * FROM settings ORDER BY num"), before);
  EXPECT_EQ(form().widget<QLabel>("ID5")->text(), shownBefore);
  EXPECT_EQ(form().birdNames[4], shownBefore);
  EXPECT_EQ(registerSize(), 3);
}

}  // namespace
