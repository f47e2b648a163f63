// The animals window at work: the register in the grid (sorting, filter, search), a
// record copied into the "New Animal" page, the page's own rules (name, ages, dates),
// and adding a bird to the register.
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <cmath>

#include "persistence/dataaccess.h"
#include "platform/clock.h"
#include "platform/errorguard.h"
#include "records/animals_form.h"
#include "widgets/numlab.h"

namespace {

// How the grid writes a column's value.
QString cellText(const QVariant& v) {
  if (v.typeId() == QMetaType::QDate) return v.toDate().toString("yyyy-MM-dd");
  if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().toString("yyyy-MM-dd HH:mm");
  return v.toString();
}

// The register stores record numbers in the grid's items, so a row found through sorting
// or filtering still leads back to its record.
constexpr int kRecordRole = Qt::UserRole + 1;

}  // namespace

void Tanimals_form::connectHandlers() {
  connect(grid_, &QTableView::clicked, this, [this](const QModelIndex& i) {
    tirra::guard([&] { animals_gridCellClick(i); });
  });
  connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this] { animals_gridTitleClick(); });
  connect(part<QPushButton>("filter"), &QPushButton::clicked, this, [this] { filterClick(); });
  connect(part<QLineEdit>("filter_bar"), &QLineEdit::returnPressed, this, [this] { filterClick(); });
  connect(part<QPushButton>("clear_filters"), &QPushButton::clicked, this, [this] { clear_filtersClick(); });
  connect(part<QLineEdit>("search_bar"), &QLineEdit::textChanged, this, [this] {
    tirra::guard([this] { searchChange(); });
  });
  connect(part<QLineEdit>("name"), &QLineEdit::textChanged, this, [this] { nameChange(); });
  connect(part<QDateEdit>("hatched"), &QDateEdit::dateChanged, this, [this] { hatchedClick(); });
  connect(part<QPushButton>("set_time1"), &QPushButton::clicked, this, [this] { set_time1Click(); });
  connect(part<QLineEdit>("training"), &QLineEdit::textChanged, this, [this] { trainingChange(); });
  connect(part<QPushButton>("OKBtn"), &QPushButton::clicked, this, [this] { OKBtnClick(); });
}

// ---------------------------------------------------------------- the grid

void Tanimals_form::reloadRegister() {
  if (animals_->isOpen())
    animals_->refresh();
  else
    animals_->open();
  model_->removeRows(0, model_->rowCount());
  for (int r = 1; r <= animals_->recordCount(); ++r) {
    animals_->moveTo(r);
    QList<QStandardItem*> row;
    for (const auto& c : gridColumns) {
      auto* item = new QStandardItem(cellText(animals_->field(c.name)));
      item->setData(r, kRecordRole);
      row << item;
    }
    model_->appendRow(row);
  }
  part<QLabel>("record_count")->setText(QString("%1 birds").arg(animals_->recordCount()));
}

void Tanimals_form::animals_gridCellClick(const QModelIndex& cell) {
  if (!cell.isValid()) return;
  grid_->setCurrentIndex(cell);
  showAnimalRecord();
  part<QPushButton>("OKBtn")->setEnabled(true);
}

bool Tanimals_form::selectBird(const QString& name) {
  for (int r = 0; r < proxy_->rowCount(); ++r) {
    const QModelIndex i = proxy_->index(r, 0);
    if (proxy_->data(i).toString() == name) {
      animals_gridCellClick(i);
      return true;
    }
  }
  return false;
}

void Tanimals_form::animals_gridTitleClick() {
  part<QLabel>("messages")->setText(
      "Click field name above to sort, then search (case sensitive). To filter click 'enter', then "
      "'Apply filter'.");
}

void Tanimals_form::filterClick() { proxy_->setFilterFixedString(part<QLineEdit>("filter_bar")->text()); }

void Tanimals_form::clear_filtersClick() {
  part<QLineEdit>("filter_bar")->clear();
  proxy_->setFilterFixedString(QString());
  grid_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);  // back to register order
}

// The search bar looks in the column the grid is sorted by (the name when unsorted) and
// makes the first row that starts with the typed text current.
void Tanimals_form::searchChange() {
  const QString wanted = part<QLineEdit>("search_bar")->text();
  if (wanted.isEmpty()) return;
  const int sorted = grid_->horizontalHeader()->sortIndicatorSection();
  const int column = sorted >= 0 && sorted < int(gridColumns.size()) ? sorted : 0;
  for (int r = 0; r < proxy_->rowCount(); ++r) {
    const QModelIndex i = proxy_->index(r, column);
    if (proxy_->data(i).toString().startsWith(wanted, Qt::CaseSensitive)) {
      animals_gridCellClick(i);
      return;
    }
  }
}

// ---------------------------------------------------------------- the "New Animal" page

void Tanimals_form::showAnimalRecord() {
  const QModelIndex cell = grid_->currentIndex();
  if (!cell.isValid()) return;
  animals_->moveTo(proxy_->data(cell, kRecordRole).toInt());
  auto line = [this](const QString& n) { return findChild<QLineEdit*>(n); };
  auto date = [this](const QString& n) { return findChild<QDateEdit*>(n); };
  auto days = [this](const QString& n) { return findChild<NumLab*>(n); };

  // A zero date in the register leaves the picker's date as it was.
  const QDate hatch = animals_->fieldDate("hatched");
  if (hatch.isValid()) date("hatched")->setDate(hatch);
  const QDate hatchShown = date("hatched")->date();
  days("age")->setValue(hatchShown.daysTo(tirra::today()));

  for (const QString p : {"1", "2"}) {
    const QDateTime when = animals_->field("proc" + p + "_date").toDateTime();
    line("procedure" + p)->setText(animals_->fieldText("procedure" + p));
    double age = 0;
    if (when.isValid()) {
      date("procedure" + p + "_schedule")->setDate(when.date());
      findChild<QTimeEdit*>("procedure" + p + "_time")->setTime(when.time());
      age = hatchShown.startOfDay().secsTo(when) / 86400.0;
    }
    days("procedure" + p + "_age")->setValue(age < 0 ? 0 : std::trunc(age));
  }

  const QDateTime training = animals_->field("training").toDateTime();
  if (training.isValid()) {
    date("trained")->setDate(training.date());
    findChild<QTimeEdit*>("train_time")->setTime(training.time());
  }
  const qint64 trainingDays = training.isValid() ? hatchShown.daysTo(training.date()) : 0;
  {
    // The training date then follows from hatch + days even when the text stays the same
    // (a training date before the hatch date becomes the hatch date).
    const QSignalBlocker quiet(line("training"));
    line("training")->setText(QString::number(trainingDays < 0 ? 0 : trainingDays));
  }
  trainingChange();

  line("audio")->setText(animals_->fieldText("audio"));
  line("attributes")->setText(animals_->fieldText("attributes"));
  line("photoperiod")->setText(animals_->fieldText("photoperiod"));
  line("name")->setText(animals_->fieldText("bird_name"));
  line("name_view")->setText(line("name")->text());
  part<QComboBox>("gender")->setCurrentIndex(animals_->fieldText("sex") == "M" ? 0 : 1);
  line("weight")->setText(animals_->fieldText("weight"));
  line("cage")->setText(animals_->fieldText("location"));
  line("song")->setText(animals_->fieldText("model"));
  line("song_quota")->setText(animals_->fieldText("quota"));
  line("bird_comments")->setText(animals_->fieldText("details"));
}

// "letters & numbers only": blanks, dashes and underscores are taken out as typed.
void Tanimals_form::nameChange() {
  auto* name = part<QLineEdit>("name");
  QString clean = name->text();
  clean.remove(QRegularExpression("[_\\- ]"));
  if (clean != name->text()) name->setText(clean);  // runs this handler once more, unchanged
  part<QLineEdit>("name_view")->setText(clean);
}

void Tanimals_form::hatchedClick() {
  part<NumLab>("age")->setValue(part<QDateEdit>("hatched")->date().daysTo(tirra::today()));
}

void Tanimals_form::set_time1Click() {
  part<QDateEdit>("hatched")->setDate(tirra::today());
  part<NumLab>("age")->setValue(0);
}

void Tanimals_form::trainingChange() {
  bool ok = false;
  const int n = part<QLineEdit>("training")->text().toInt(&ok);
  part<QDateEdit>("trained")->setDate(part<QDateEdit>("hatched")->date().addDays(ok ? n : 0));
}

void Tanimals_form::OKBtnClick() {
  if (pages_->currentWidget()->objectName() == "new_page") newAnimal = true;
  accept();
}

// ---------------------------------------------------------------- adding a bird

void Tanimals_form::addAnimal() {
  auto line = [this](const char* n) { return part<QLineEdit>(n)->text(); };
  auto date = [this](const char* n) { return part<QDateEdit>(n)->date(); };
  const QString name = line("name");
  // The name is bound as a value: a quote in it neither breaks the query nor reaches SQL.
  tirra::db::Query count(connection_);
  count.open("SELECT COUNT(*) FROM animals where bird_name=?;", {name});
  if (count.value(0).toInt() != 0) return;

  // Numbers typed as text must be numbers: a wrong one is reported and no row is added.
  // An empty field stands for 0.
  auto number = [](const QString& typed, const char* what, bool whole) -> QVariant {
    const QString t = typed.trimmed();
    if (t.isEmpty()) return 0;
    bool ok = false;
    const QVariant v = whole ? QVariant(t.toInt(&ok)) : QVariant(t.toDouble(&ok));
    if (!ok)
      throw tirra::StationError(
          QString("The %1 \"%2\" is not a %3; the bird was not added.").arg(what, typed, whole ? "whole number" : "number"));
    return v;
  };
  const QVariant weight = number(line("weight"), "weight", false);
  const QVariant location = number(line("cage"), "location", true);
  const QVariant quota = number(line("song_quota"), "quota", true);

  if (!animals_->isOpen()) animals_->open();
  animals_->append();
  try {
    animals_->setField("bird_name", name);
    animals_->setField("sex", part<QComboBox>("gender")->currentText() == "male" ? "M" : "F");
    animals_->setField("hatched", date("hatched"));
    animals_->setField("weight", weight);
    animals_->setField("location", location);
    animals_->setField("procedure1", line("procedure1"));
    animals_->setField("proc1_date", QDateTime(date("procedure1_schedule"), QTime(0, 0)));
    animals_->setField("procedure2", line("procedure2"));
    animals_->setField("proc2_date", QDateTime(date("procedure2_schedule"), QTime(0, 0)));
    // The third procedure is left empty; its date keeps the column's zero date.
    animals_->setField("procedure3", QString(""));
    animals_->setField("training", QDateTime(date("trained"), QTime(0, 0)));
    animals_->setField("model", line("song"));
    animals_->setField("quota", quota);
    animals_->setField("audio", line("audio"));
    animals_->setField("attributes", line("attributes"));
    animals_->setField("photoperiod", line("photoperiod"));
    animals_->setField("details", line("bird_comments"));
    animals_->post();
  } catch (...) {
    animals_->cancel();  // a refused row must not be written by a later move
    throw;
  }
  QApplication::beep();
  reloadRegister();
}
