// The animals window at work: the register in the grid, a record copied into the
// "New Animal" page, the page's own helpers (name rule, ages, dates), and adding a bird.
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimeEdit>

#include "persistence/dataaccess.h"
#include "platform/clock.h"
#include "platform/errorguard.h"
#include "records/animals_form.h"
#include "widgets/numlab.h"

namespace {

const char* const kAllColumns[] = {"bird_name", "sex",        "hatched",    "weight",     "location", "procedure1",
                                   "proc1_date", "procedure2", "proc2_date", "procedure3", "proc3_date", "training",
                                   "model",      "quota",      "audio",      "attributes", "photoperiod", "details"};

QString text(const QVariant& v) {
  if (v.typeId() == QMetaType::QDate) return v.toDate().toString("yyyy-MM-dd");
  if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().toString("yyyy-MM-dd HH:mm");
  return v.toString();
}

}  // namespace

void Tanimals_form::attachRegister(tirra::db::Connection& connection) {
  connection_ = &connection;
  model_ = new QStandardItemModel(this);
  proxy_ = new QSortFilterProxyModel(this);
  proxy_->setSourceModel(model_);
  proxy_->setFilterKeyColumn(-1);
  grid_->setModel(proxy_);
  grid_->setSortingEnabled(true);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  auto* ok = findChild<QPushButton*>("OKBtn");
  auto* hint = findChild<QLabel*>("messages");
  connect(grid_, &QTableView::clicked, this, [this, ok] {
    tirra::guard([this] { showAnimalRecord(); });
    ok->setEnabled(true);
  });
  connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, [hint] {
    if (hint)
      hint->setText("Click field name above to sort, then search (case sensitive). To filter click 'enter', then "
                    "'Apply filter'.");
  });
  auto* filterBar = findChild<QLineEdit*>("filter_bar");
  if (auto* apply = findChild<QPushButton*>("filter"))
    connect(apply, &QPushButton::clicked, this, [this, filterBar] { proxy_->setFilterFixedString(filterBar->text()); });
  if (auto* clear = findChild<QPushButton*>("clear_filters"))
    connect(clear, &QPushButton::clicked, this, [this, filterBar] {
      filterBar->clear();
      proxy_->setFilterFixedString({});
      proxy_->sort(-1);
    });
  if (auto* search = findChild<QLineEdit*>("search_bar"))
    connect(search, &QLineEdit::returnPressed, this, [this, search] { selectBird(search->text()); });

  // "letters & numbers only": blanks, dashes and underscores are taken out as typed.
  auto* name = findChild<QLineEdit*>("name");
  auto* view = findChild<QLineEdit*>("name_view");
  connect(name, &QLineEdit::textChanged, this, [name, view](const QString& typed) {
    QString clean = typed;
    clean.remove(QRegularExpression("[_\\- ]"));
    if (clean != typed) name->setText(clean);
    view->setText(clean);
  });
  auto* hatched = findChild<QDateEdit*>("hatched");
  auto* age = findChild<NumLab*>("age");
  auto* trained = findChild<QDateEdit*>("trained");
  auto* trainingAge = findChild<QLineEdit*>("training");
  connect(hatched, &QDateEdit::dateChanged, this,
          [hatched, age] { age->setValue(hatched->date().daysTo(tirra::today())); });
  connect(findChild<QPushButton*>("set_time1"), &QPushButton::clicked, this, [hatched, age] {
    hatched->setDate(tirra::today());
    age->setValue(0);
  });
  connect(trainingAge, &QLineEdit::textChanged, this, [hatched, trained](const QString& days) {
    bool ok = false;
    const int n = days.toInt(&ok);
    trained->setDate(hatched->date().addDays(ok ? n : 0));
  });
}

void Tanimals_form::reloadRegister() {
  if (!connection_) return;
  tirra::db::Table animals(*connection_, "animals", 0);
  animals.open();
  records_.clear();
  for (int r = 1; r <= animals.recordCount(); ++r) {
    animals.moveTo(r);
    QVariantMap rec;
    for (const char* c : kAllColumns) rec[c] = animals.field(c);
    records_ << rec;
  }
  model_->clear();
  QStringList headers;
  for (const auto& c : gridColumns) headers << c.name;
  model_->setHorizontalHeaderLabels(headers);
  for (int r = 0; r < records_.size(); ++r) {
    QList<QStandardItem*> row;
    for (const auto& c : gridColumns) {
      auto* item = new QStandardItem(text(records_[r].value(c.name)));
      item->setData(r, Qt::UserRole);
      row << item;
    }
    model_->appendRow(row);
  }
  applyGridColumns();
}

bool Tanimals_form::selectBird(const QString& name) {
  for (int r = 0; r < proxy_->rowCount(); ++r) {
    const QModelIndex i = proxy_->index(r, 0);
    if (proxy_->data(i).toString() == name) {
      grid_->setCurrentIndex(i);
      showAnimalRecord();
      if (auto* ok = findChild<QPushButton*>("OKBtn")) ok->setEnabled(true);
      return true;
    }
  }
  return false;
}

void Tanimals_form::showAnimalRecord() {
  const QModelIndex current = grid_->currentIndex();
  if (!current.isValid()) return;
  const QVariantMap rec = records_.value(proxy_->data(current, Qt::UserRole).toInt());
  auto line = [this](const char* n) { return findChild<QLineEdit*>(n); };
  auto date = [this](const char* n) { return findChild<QDateEdit*>(n); };
  const QDate hatch = rec.value("hatched").toDate();
  if (hatch.isValid()) date("hatched")->setDate(hatch);
  findChild<NumLab*>("age")->setValue(date("hatched")->date().daysTo(tirra::today()));
  int p = 1;
  for (const char* proc : {"procedure1", "procedure2"}) {
    const QDateTime when = rec.value(p == 1 ? "proc1_date" : "proc2_date").toDateTime();
    line(proc)->setText(rec.value(proc).toString());
    if (when.isValid()) {
      date(qPrintable(QString("%1_schedule").arg(proc)))->setDate(when.date());
      findChild<QTimeEdit*>(QString("%1_time").arg(proc))->setTime(when.time());
    }
    const double days = when.isValid() ? hatch.startOfDay().secsTo(when) / 86400.0 : 0;
    findChild<NumLab*>(QString("%1_age").arg(proc))->setValue(days < 0 ? 0 : static_cast<qint64>(days));
    ++p;
  }
  const QDateTime training = rec.value("training").toDateTime();
  if (training.isValid()) {
    date("trained")->setDate(training.date());
    findChild<QTimeEdit*>("train_time")->setTime(training.time());
  }
  const qint64 trainingDays = training.isValid() && hatch.isValid() ? hatch.daysTo(training.date()) : 0;
  line("training")->setText(QString::number(trainingDays < 0 ? 0 : trainingDays));
  line("audio")->setText(rec.value("audio").toString());
  line("attributes")->setText(rec.value("attributes").toString());
  line("photoperiod")->setText(rec.value("photoperiod").toString());
  line("name")->setText(rec.value("bird_name").toString());
  line("name_view")->setText(line("name")->text());
  findChild<QComboBox*>("gender")->setCurrentIndex(rec.value("sex").toString() == "M" ? 0 : 1);
  line("weight")->setText(rec.value("weight").toString());
  line("cage")->setText(rec.value("location").toString());
  line("song")->setText(rec.value("model").toString());
  line("song_quota")->setText(rec.value("quota").toString());
  line("bird_comments")->setText(rec.value("details").toString());
}

void Tanimals_form::addAnimal() {
  auto line = [this](const char* n) { return findChild<QLineEdit*>(n)->text(); };
  auto date = [this](const char* n) { return findChild<QDateEdit*>(n)->date(); };
  const QString name = line("name");
  // The name is bound as a value: a quote in it neither breaks the query nor reaches SQL.
  tirra::db::Query count(*connection_);
  count.open("SELECT COUNT(*) FROM animals where bird_name=?;", {name});
  if (count.value(0).toInt() != 0) return;
  // Numbers typed as text must be numbers: a wrong one is reported, and no row is added.
  auto number = [](const QString& typed, const char* what) -> QVariant {
    if (typed.trimmed().isEmpty()) return 0;
    bool ok = false;
    const double v = typed.toDouble(&ok);
    if (!ok) throw tirra::StationError(QString("The %1 \"%2\" is not a number; the bird was not added.").arg(what, typed));
    return v;
  };
  const QVariant weight = number(line("weight"), "weight");
  const QVariant location = number(line("cage"), "location");
  const QVariant quota = number(line("song_quota"), "quota");
  tirra::db::Table animals(*connection_, "animals", 0);
  animals.open();
  animals.append();
  animals.setField("bird_name", name);
  animals.setField("sex", findChild<QComboBox*>("gender")->currentText() == "male" ? "M" : "F");
  animals.setField("hatched", date("hatched"));
  animals.setField("weight", weight);
  animals.setField("location", location);
  animals.setField("procedure1", line("procedure1"));
  animals.setField("proc1_date", QDateTime(date("procedure1_schedule"), QTime(0, 0)));
  animals.setField("procedure2", line("procedure2"));
  animals.setField("proc2_date", QDateTime(date("procedure2_schedule"), QTime(0, 0)));
  animals.setField("procedure3", QString(""));  // the third procedure and its date stay empty
  animals.setField("training", QDateTime(date("trained"), QTime(0, 0)));
  animals.setField("model", line("song"));
  animals.setField("quota", quota);
  animals.setField("audio", line("audio"));
  animals.setField("attributes", line("attributes"));
  animals.setField("photoperiod", line("photoperiod"));
  animals.setField("details", line("bird_comments"));
  animals.post();
  QApplication::beep();
  reloadRegister();
}
