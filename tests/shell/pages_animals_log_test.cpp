// Structure of the "Animals" and "Log && options" pages, the animals window and the list
// dialog: every control a handler looks up by name is there, of the right kind, with its
// designed caption, range, default and visibility; the two dialogs close the way their
// buttons say.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QSlider>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

#include "support/widget_lookup.h"
#include "persistence/dataaccess.h"
#include "records/animals_form.h"
#include "records/table_dialog.h"
#include "shell/pages/pages.h"
#include "widgets/numlab.h"
#include "widgets/radiogroup.h"

namespace {

using tirra::test::child;
using tirra::test::shownText;

// Names in a window must be unique: a handler finds its control by name.
void expectUniqueNames(QWidget* root) {
  QSet<QString> seen;
  for (QObject* o : root->findChildren<QObject*>()) {
    const QString n = o->objectName();
    if (n.isEmpty() || n.startsWith("qt_") || n.startsWith("_q_")) continue;  // Qt's own parts
    EXPECT_FALSE(seen.contains(n)) << "name used twice: " << n.toStdString();
    seen.insert(n);
  }
}

int countNamed(QWidget* root, const QString& pattern) {
  const QRegularExpression re("^" + pattern + "$");
  int n = 0;
  for (QObject* o : root->findChildren<QObject*>())
    if (re.match(o->objectName()).hasMatch()) ++n;
  return n;
}

int labelsReading(QWidget* root, const QString& text) {
  int n = 0;
  for (QLabel* l : root->findChildren<QLabel*>())
    if (l->text() == text) ++n;
  return n;
}

// A mouse click, or a double click, on a row of a list as the user makes it.
void mouseOnRow(QListWidget* list, int row, bool twice) {
  const QPoint at = list->visualItemRect(list->item(row)).center();
  auto send = [&](QEvent::Type type) {
    QMouseEvent e(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &e);
  };
  send(QEvent::MouseButtonPress);
  send(QEvent::MouseButtonRelease);
  if (twice) {
    send(QEvent::MouseButtonDblClick);
    send(QEvent::MouseButtonRelease);
  }
}

}  // namespace

// ---------------------------------------------------------------- the "Animals" page

TEST(AnimalsPage, EveryChannelHasItsBirdControls) {
  std::unique_ptr<QWidget> page(buildAnimalsPage());
  EXPECT_EQ(page->objectName(), "TabSheet9");
  expectUniqueNames(page.get());

  // Families run 1..10, one member per channel.
  const struct {
    const char* family;
    const char* caption;  // nullptr for pickers
  } families[] = {{"set", "   New"},     {"chang_bird", "Change"}, {"ID", "------"},
                  {"Age", "----"},       {"toTrain", "Train"},     {"toStop", "Stop"},
                  {"hatch", nullptr},    {"start", nullptr},       {"end", nullptr}};
  for (const auto& f : families) {
    SCOPED_TRACE(f.family);
    EXPECT_EQ(countNamed(page.get(), QString(f.family) + "\\d+"), 10);
    EXPECT_EQ(page->findChild<QObject*>(QString(f.family) + "0"), nullptr);
    EXPECT_EQ(page->findChild<QObject*>(QString(f.family) + "11"), nullptr);
    for (int n : {1, 7, 10}) {
      const QString name = f.family + QString::number(n);
      if (f.caption) {
        QObject* o = page->findChild<QObject*>(name);
        ASSERT_NE(o, nullptr) << name.toStdString();
        EXPECT_EQ(shownText(o), f.caption) << name.toStdString();
      } else {
        child<QDateEdit>(page.get(), name);
      }
    }
  }

  // Kinds the handlers rely on: speed buttons that are not toggles, unchecked boxes.
  for (const QString name : {"set3", "chang_bird3"})
    EXPECT_FALSE(child<QToolButton>(page.get(), name)->isCheckable()) << name.toStdString();
  for (const QString name : {"toTrain5", "toStop5"})
    EXPECT_FALSE(child<QCheckBox>(page.get(), name)->isChecked()) << name.toStdString();
  child<QLabel>(page.get(), "ID4");
  child<QLabel>(page.get(), "Age4");

  EXPECT_EQ(labelsReading(page.get(), "Hatch:"), 10);
  EXPECT_EQ(child<QPushButton>(page.get(), "update_tables")->text(), "Update All");
}

// ---------------------------------------------------------------- the "Log && options" page

TEST(LogPage, ControlsCarryTheirCaptions) {
  std::unique_ptr<QWidget> page(buildLogPage());
  EXPECT_EQ(page->objectName(), "TabSheet4");
  expectUniqueNames(page.get());

  const struct {
    const char* name;
    const char* caption;
  } captions[] = {{"BitBtn6", "View playbacks table"},
                  {"ToExel", " To Excel"},
                  {"empty_table", "Empty table"},
                  {"key_track1", "Keep track of all key pecks in table"},
                  {"change_database", "Database"},
                  {"database", "TIRRA"},
                  {"defaults", "Restore Default Setting"},
                  {"resetLights", "Clear"},
                  {"display_types", "Display"}};
  for (const auto& c : captions) {
    QObject* o = page->findChild<QObject*>(c.name);
    ASSERT_NE(o, nullptr) << c.name;
    EXPECT_EQ(shownText(o), c.caption) << c.name;
  }
  EXPECT_FALSE(child<QCheckBox>(page.get(), "key_track1")->isChecked());
  for (const char* unnamed : {"Activity display range", "scroll"})
    EXPECT_EQ(labelsReading(page.get(), unnamed), 1) << unnamed;

  // The memo sits under its caption and starts empty.
  auto* memo = child<QPlainTextEdit>(page.get(), "messages");
  ASSERT_NE(memo, nullptr);
  EXPECT_TRUE(memo->toPlainText().isEmpty());
  auto* memoBox = qobject_cast<QGroupBox*>(memo->parentWidget());
  ASSERT_NE(memoBox, nullptr);
  EXPECT_EQ(memoBox->title(), "System Messages");
}

TEST(LogPage, SlidersGridAndDisplayChoiceStartAsDesigned) {
  std::unique_ptr<QWidget> page(buildLogPage());

  const struct {
    const char* name;
    int min, max, position, tickInterval;
  } sliders[] = {{"keypeck_Tb", 0, 20000, 0, 500}, {"speed", 10, 5999, 5500, -1}};
  for (const auto& s : sliders) {
    SCOPED_TRACE(s.name);
    auto* bar = child<QSlider>(page.get(), s.name);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->minimum(), s.min);
    EXPECT_EQ(bar->maximum(), s.max);
    EXPECT_EQ(bar->value(), s.position);
    EXPECT_EQ(bar->orientation(), Qt::Horizontal);
    if (s.tickInterval > 0) {
      EXPECT_EQ(bar->tickInterval(), s.tickInterval);
      EXPECT_NE(bar->tickPosition(), QSlider::NoTicks);
    }
  }
  EXPECT_EQ(child<NumLab>(page.get(), "keypeckVal")->value(), 0);

  auto* display = child<RadioGroup>(page.get(), "display_types");
  ASSERT_NE(display, nullptr);
  ASSERT_EQ(display->count(), 2);
  EXPECT_EQ(display->item(0), "Oscilloscope");
  EXPECT_EQ(display->item(1), "Scrolling");
  EXPECT_EQ(display->itemIndex(), 1);

  auto* grid = child<QTableView>(page.get(), "playbackDisplay");
  ASSERT_NE(grid, nullptr);
  EXPECT_TRUE(grid->isVisibleTo(page.get()));
  EXPECT_EQ(grid->model(), nullptr);
}

// ---------------------------------------------------------------- the animals window

class AnimalsWindow : public ::testing::Test {
 protected:
  tirra::db::Connection connection;  // never opened: these tests only look at the window
  Tanimals_form form{connection};
};

TEST_F(AnimalsWindow, PagesFooterAndDesignedTexts) {
  EXPECT_EQ(form.windowTitle(), "Animals");
  EXPECT_TRUE(form.isModal());
  EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(form.newAnimal);
  expectUniqueNames(&form);

  QTabWidget* tabs = form.pages();
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), "Select Animal");
  EXPECT_EQ(tabs->widget(0)->objectName(), "select_page");
  EXPECT_EQ(tabs->tabText(1), "New Animal");
  EXPECT_EQ(tabs->widget(1)->objectName(), "new_page");

  // Texts as shown: a stored "&&" shows as one "&".
  const struct {
    const char* name;
    const char* shown;
  } texts[] = {
      {"filter", "Apply filter"},
      {"clear_filters", "Clear filters"},
      {"help", "Help"},
      {"set_time1", "Now"},
      {"OKBtn", "OK"},
      {"CancelBtn", "Cancel"},
      {"messages",
       "Navigate with arrow & up/down keys. Click field names to sort. Use search after sorting"},
      {"select_caption",
       "Click on the bird you want to select or use fillter & search fields to find it. Click Ok "
       "when done."},
      {"name_rule", "letters & numbers only "},
      {"procedure1", "isolation"},
  };
  for (const auto& t : texts) {
    QObject* o = form.findChild<QObject*>(t.name);
    ASSERT_NE(o, nullptr) << t.name;
    EXPECT_EQ(shownText(o), t.shown) << t.name;
  }
  EXPECT_EQ(labelsReading(&form, "Selected bird"), 1);
  EXPECT_TRUE(child<QPushButton>(&form, "OKBtn")->isDefault());
  EXPECT_TRUE(child<QLineEdit>(&form, "name_view")->isReadOnly());

  auto* grid = form.grid();
  EXPECT_EQ(grid->objectName(), "animals_grid");
  // The register's columns, empty until the window is shown with the register read.
  ASSERT_NE(grid->model(), nullptr);
  EXPECT_EQ(grid->model()->rowCount(), 0);
  ASSERT_EQ(grid->model()->columnCount(), int(Tanimals_form::gridColumns.size()));
  for (int c = 0; c < grid->model()->columnCount(); ++c)
    EXPECT_EQ(grid->model()->headerData(c, Qt::Horizontal).toString(), Tanimals_form::gridColumns[c].name);
  EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
  for (const char* nav : {"nav_first", "nav_last", "nav_delete", "nav_cancel", "nav_refresh"})
    child<QToolButton>(&form, nav);
}

TEST_F(AnimalsWindow, NewAnimalFieldsAreThereOfTheirKind) {
  auto* newPage = form.pages()->widget(1);
  for (const char* name : {"name", "procedure1", "procedure2", "training", "weight", "cage", "song",
                           "song_quota", "audio", "attributes", "photoperiod", "bird_comments"})
    child<QLineEdit>(newPage, name);
  for (const char* name : {"hatched", "procedure1_schedule", "procedure2_schedule", "trained"})
    child<QDateEdit>(newPage, name);
  for (const char* name : {"procedure1_time", "procedure2_time", "train_time"})
    child<QTimeEdit>(newPage, name);
  for (const char* name : {"age", "procedure1_age", "procedure2_age"})
    child<NumLab>(newPage, name);

  auto* gender = child<QComboBox>(newPage, "gender");
  ASSERT_NE(gender, nullptr);
  ASSERT_EQ(gender->count(), 2);
  EXPECT_EQ(gender->itemText(0), "male");
  EXPECT_EQ(gender->itemText(1), "female");
  EXPECT_EQ(gender->currentText(), "male");

  // Text fields hold no more than their column in the register takes.
  const struct {
    const char* name;
    int maxLength;
  } limits[] = {{"name", 10}, {"procedure1", 12}, {"song", 12}, {"audio", 16}, {"bird_comments", 80}};
  for (const auto& l : limits) EXPECT_EQ(child<QLineEdit>(newPage, l.name)->maxLength(), l.maxLength) << l.name;
}

TEST_F(AnimalsWindow, OkAndCancelCloseAndOkOnNewPageMarksANewBird) {
  const struct {
    int page;
    const char* button;
    int result;
    bool newAnimal;
  } cases[] = {{0, "CancelBtn", QDialog::Rejected, false},
               {0, "OKBtn", QDialog::Accepted, false},
               {1, "CancelBtn", QDialog::Rejected, false},
               {1, "OKBtn", QDialog::Accepted, true},
               // Once set, the flag stays for the rest of the run.
               {0, "OKBtn", QDialog::Accepted, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "page " << c.page << " " << c.button);
    form.pages()->setCurrentIndex(c.page);
    form.show();
    ASSERT_TRUE(form.isVisible());
    child<QPushButton>(&form, c.button)->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), c.result);
    EXPECT_EQ(form.newAnimal, c.newAnimal);
  }
}

TEST_F(AnimalsWindow, GridColumnsTakeTheirWidthsOnceAModelIsSet) {
  QStandardItemModel model(0, int(Tanimals_form::gridColumns.size()));
  form.grid()->setModel(&model);
  form.applyGridColumns();
  const struct {
    int column;
    int width;
  } widths[] = {{0, 80}, {1, 35}, {5, 88}, {10, 110}, {11, 565}};
  for (const auto& w : widths)
    EXPECT_EQ(form.grid()->horizontalHeader()->sectionSize(w.column), w.width) << w.column;
  EXPECT_STREQ(Tanimals_form::gridColumns[0].name, "bird_name");
  EXPECT_STREQ(Tanimals_form::gridColumns[11].name, "details");
}

// ---------------------------------------------------------------- the list dialog

class ListDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    list = dialog.findChild<QListWidget*>("ListBox1");
    ok = dialog.findChild<QPushButton*>("OKBtn");
    cancel = dialog.findChild<QPushButton*>("CancelBtn");
    ASSERT_TRUE(list && ok && cancel);
    dialog.fillFrom({"information_schema", "mysql", "tirra", "tirra_old"});
    dialog.show();
  }
  TtableDialog dialog;
  QListWidget* list = nullptr;
  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
};

TEST_F(ListDialog, DesignedLook) {
  EXPECT_EQ(dialog.objectName(), "TtableDialog");
  EXPECT_EQ(dialog.windowTitle(), "Dialog");
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
  const QPoint screenCentre = dialog.screen()->availableGeometry().center();
  EXPECT_LE((dialog.frameGeometry().center() - screenCentre).manhattanLength(), 2);

  auto* note = dialog.findChild<QPlainTextEdit*>("note");
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(note->isReadOnly());
  EXPECT_EQ(note->toPlainText().split('\n'),
            QStringList({"Note: before changing a database your should make",
                         "sure that the database includes the following tables: ",
                         "key-pecks, nidaq, birds. You may copy those tables ",
                         "from c:/mysql/data/TIRRA"}));
  EXPECT_EQ(cancel->text(), "Cancel");
  EXPECT_EQ(ok->text(), "OK");
}

TEST_F(ListDialog, OkWaitsForAChoiceAndFillingStartsAfresh) {
  ASSERT_EQ(list->count(), 4);
  EXPECT_EQ(list->item(2)->text(), "tirra");
  EXPECT_FALSE(ok->isEnabled());
  EXPECT_EQ(dialog.selectedEntry(), "");

  mouseOnRow(list, 2, false);
  EXPECT_TRUE(ok->isEnabled());
  EXPECT_EQ(dialog.selectedEntry(), "tirra");
  EXPECT_TRUE(dialog.isVisible()) << "a single click only chooses";

  dialog.fillFrom({"other"});
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), "other");
  EXPECT_FALSE(ok->isEnabled());
  EXPECT_EQ(dialog.selectedEntry(), "");
}

TEST_F(ListDialog, ClosingButtonsAndDoubleClick) {
  mouseOnRow(list, 1, true);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.selectedEntry(), "mysql");

  dialog.show();
  mouseOnRow(list, 3, false);
  ok->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.selectedEntry(), "tirra_old");

  // Cancel closes without OK; the caller still sees the entry chosen.
  dialog.show();
  mouseOnRow(list, 0, false);
  cancel->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(dialog.selectedEntry(), "information_schema");
}
