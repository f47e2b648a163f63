#include "records/animals_form.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "persistence/dataaccess.h"
#include "widgets/numlab.h"

namespace {

template <class W>
W* named(W* w, const QString& name) {
  w->setObjectName(name);
  return w;
}

// Texts are stored with a doubled "&&" for one shown "&"; labels show "&" as it is.
QLabel* caption(const QString& stored, const QString& name = {}) {
  QString shown = stored;
  shown.replace("&&", "&");
  auto* l = new QLabel(shown);
  if (!name.isEmpty()) l->setObjectName(name);
  return l;
}

// A text field no longer than its column in the register.
QLineEdit* field(const QString& name, int maxLength, const QString& text = {}) {
  auto* e = named(new QLineEdit(text), name);
  e->setMaxLength(maxLength);
  return e;
}

QDateEdit* dateField(const QString& name) {
  auto* d = named(new QDateEdit(QDate::currentDate()), name);
  d->setCalendarPopup(true);
  d->setDisplayFormat("yyyy-MM-dd");
  d->setMinimumWidth(110);
  return d;
}

QTimeEdit* timeField(const QString& name) {
  auto* t = named(new QTimeEdit(QTime(0, 0)), name);
  t->setDisplayFormat("HH:mm");
  return t;
}

QPushButton* nowButton(const QString& name, const QString& hint) {
  auto* b = named(new QPushButton("Now"), name);
  b->setToolTip(hint);
  b->setAutoDefault(false);
  b->setFixedWidth(50);
  return b;
}

NumLab* days(const QString& name) {
  auto* n = named(new NumLab(nullptr, 0, 0), name);
  n->setMinimumWidth(50);
  n->setFrameShape(QFrame::StyledPanel);
  n->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return n;
}

QPushButton* plainButton(const QString& name, const QString& text, const QString& hint = {}) {
  auto* b = named(new QPushButton(text), name);
  if (!hint.isEmpty()) b->setToolTip(hint);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

Tanimals_form::Tanimals_form(tirra::db::Connection& connection, QWidget* parent)
    : QDialog(parent),
      connection_(connection),
      // Opened the first time the register is read, just before the window is first
      // shown: at creation the table may not exist yet (start-up creates it on the first
      // tick) and the connection may still be closed.
      animals_(std::make_unique<tirra::db::Table>(connection, "animals", 0)) {
  setObjectName("animals_form");
  setWindowTitle("Animals");
  setModal(true);
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  resize(1000, 640);

  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(8, 8, 8, 8);
  pages_ = named(new QTabWidget, "animal_pages");
  pages_->addTab(buildSelectPage(), "Select Animal");
  pages_->addTab(buildNewPage(), "New Animal");
  v->addWidget(pages_, 1);
  v->addWidget(buildFooter());

  // The grid shows the register through a filter and sort layer.
  model_ = new QStandardItemModel(0, int(gridColumns.size()), this);
  QStringList titles;
  for (const auto& c : gridColumns) titles << c.name;
  model_->setHorizontalHeaderLabels(titles);
  proxy_ = new QSortFilterProxyModel(this);
  proxy_->setSourceModel(model_);
  proxy_->setFilterKeyColumn(-1);  // the filter bar matches any column
  grid_->setModel(proxy_);
  grid_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);  // register order
  applyGridColumns();
  connectHandlers();
}

Tanimals_form::~Tanimals_form() = default;

QWidget* Tanimals_form::buildSelectPage() {
  auto* page = named(new QWidget, "select_page");
  auto* v = new QVBoxLayout(page);

  auto* instruction = caption(
      "Click on the bird you want to select or use fillter && search fields to find it. Click Ok "
      "when done.",
      "select_caption");
  instruction->setStyleSheet("font-weight: bold;");
  v->addWidget(instruction);

  // Search and filter bars with their buttons.
  auto* bars = new QHBoxLayout;
  bars->addWidget(caption("Search:"));
  auto* search = named(new QLineEdit, "search_bar");
  search->setPlaceholderText("text in the sorted column");
  search->setClearButtonEnabled(true);
  bars->addWidget(search, 1);
  bars->addSpacing(12);
  bars->addWidget(caption("Filter:"));
  auto* filter = named(new QLineEdit, "filter_bar");
  filter->setPlaceholderText("text anywhere in the row");
  filter->setClearButtonEnabled(true);
  bars->addWidget(filter, 1);
  bars->addWidget(plainButton("filter", "Apply filter", "show only the birds that match the filter"));
  bars->addWidget(plainButton("clear_filters", "Clear filters", "show every bird, unsorted"));
  v->addLayout(bars);

  grid_ = named(new QTableView, "animals_grid");
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSortingEnabled(true);
  grid_->setAlternatingRowColors(true);
  grid_->verticalHeader()->setDefaultSectionSize(20);
  v->addWidget(grid_, 1);

  // The hint line, then the navigator, record count and help.
  auto* bottom = new QHBoxLayout;
  auto* navigator = named(new QFrame, "navigator");
  navigator->setFrameShape(QFrame::StyledPanel);
  auto* nav = new QHBoxLayout(navigator);
  nav->setContentsMargins(2, 2, 2, 2);
  nav->setSpacing(2);
  const struct {
    const char* name;
    const char* text;
    const char* hint;
  } navButtons[] = {{"nav_first", "First", "first bird"},
                    {"nav_last", "Last", "last bird"},
                    {"nav_delete", "Delete", "delete the selected bird from the register"},
                    {"nav_cancel", "Cancel edit", "cancel the change to the selected bird"},
                    {"nav_refresh", "Refresh", "read the register again"}};
  for (const auto& b : navButtons) {
    auto* t = named(new QToolButton, b.name);
    t->setText(b.text);
    t->setToolTip(b.hint);
    nav->addWidget(t);
  }
  bottom->addWidget(navigator);
  auto* count = caption("0 birds", "record_count");
  count->setMinimumWidth(70);
  bottom->addWidget(count);
  bottom->addStretch(1);
  bottom->addWidget(plainButton("help", "Help"));

  auto* hint = caption(
      "Navigate with arrow && up/down keys. Click field names to sort. Use search after sorting",
      "messages");
  hint->setStyleSheet("color: rgb(0,0,128);");
  v->addWidget(hint);
  v->addLayout(bottom);
  return page;
}

QWidget* Tanimals_form::buildNewPage() {
  auto* page = named(new QWidget, "new_page");
  auto* v = new QVBoxLayout(page);
  auto* h = new QHBoxLayout;
  h->setSpacing(10);
  v->addLayout(h);

  // The bird itself.
  auto* bird = new QGroupBox("Bird");
  auto* b = new QGridLayout(bird);
  b->addWidget(caption("Name"), 0, 0);
  b->addWidget(field("name", 10), 0, 1, 1, 2);
  auto* rule = caption("letters && numbers only ", "name_rule");
  rule->setStyleSheet("color: rgb(90,90,90);");
  b->addWidget(rule, 1, 1, 1, 2);
  b->addWidget(caption("Sex"), 2, 0);
  auto* gender = named(new QComboBox, "gender");
  gender->addItems({"male", "female"});
  gender->setCurrentIndex(0);
  b->addWidget(gender, 2, 1, 1, 2);
  b->addWidget(caption("Hatch"), 3, 0);
  b->addWidget(dateField("hatched"), 3, 1);
  b->addWidget(nowButton("set_time1", "hatched today"), 3, 2);
  b->addWidget(caption("Age (days)"), 4, 0);
  b->addWidget(days("age"), 4, 1);
  b->addWidget(caption("Weight"), 5, 0);
  b->addWidget(field("weight", 12), 5, 1, 1, 2);
  b->addWidget(caption("Location"), 6, 0);
  b->addWidget(field("cage", 6), 6, 1, 1, 2);
  b->setRowStretch(7, 1);
  h->addWidget(bird, 1);

  // Procedures and training: what, when, and the bird's age on that day.
  auto* dates = new QGroupBox("Procedures and training");
  auto* d = new QGridLayout(dates);
  int row = 0;
  for (const QString p : {"1", "2"}) {
    d->addWidget(caption("Procedure " + p), row, 0);
    d->addWidget(field("procedure" + p, 12, p == "1" ? "isolation" : QString()), row, 1, 1, 3);
    ++row;
    d->addWidget(dateField("procedure" + p + "_schedule"), row, 1);
    d->addWidget(timeField("procedure" + p + "_time"), row, 2);
    d->addWidget(nowButton("procedure" + p + "_now", "today"), row, 3);
    ++row;
    d->addWidget(caption("Procedure " + p + " age"), row, 0);
    d->addWidget(days("procedure" + p + "_age"), row, 1);
    ++row;
  }
  d->addWidget(caption("Training"), row, 0);
  d->addWidget(dateField("trained"), row, 1);
  d->addWidget(timeField("train_time"), row, 2);
  d->addWidget(nowButton("training_now", "today"), row, 3);
  ++row;
  d->addWidget(caption("Training age"), row, 0);
  auto* trainingAge = field("training", 6, "0");
  trainingAge->setToolTip("days from hatch to the start of training");
  trainingAge->setMaximumWidth(110);
  d->addWidget(trainingAge, row, 1);
  d->setRowStretch(row + 1, 1);
  h->addWidget(dates, 1);

  // Song, quota and free text.
  auto* notes = new QGroupBox("Song and notes");
  auto* n = new QGridLayout(notes);
  const struct {
    const char* label;
    const char* name;
    int maxLength;
  } texts[] = {{"Model", "song", 12},           {"Quota", "song_quota", 6},
               {"Audio", "audio", 16},          {"Attributes", "attributes", 12},
               {"Photoperiod", "photoperiod", 12}};
  row = 0;
  for (const auto& t : texts) {
    n->addWidget(caption(t.label), row, 0);
    n->addWidget(field(t.name, t.maxLength), row, 1);
    ++row;
  }
  n->setRowStretch(row, 1);
  h->addWidget(notes, 1);

  // Free-text comments get the whole width.
  auto* comments = new QHBoxLayout;
  comments->addWidget(caption("Details"));
  comments->addWidget(field("bird_comments", 80), 1);
  v->addSpacing(6);
  v->addLayout(comments);
  v->addStretch(1);
  return page;
}

QWidget* Tanimals_form::buildFooter() {
  auto* footer = named(new QFrame, "footer");
  auto* h = new QHBoxLayout(footer);
  h->setContentsMargins(0, 4, 0, 0);
  h->addWidget(caption("Selected bird"));
  auto* selected = named(new QLineEdit, "name_view");
  selected->setReadOnly(true);
  selected->setFixedWidth(140);
  selected->setStyleSheet("font-weight: bold;");
  h->addWidget(selected);
  h->addStretch(1);
  auto* ok = named(new QPushButton("OK"), "OKBtn");
  ok->setDefault(true);
  auto* cancel = plainButton("CancelBtn", "Cancel");
  for (QPushButton* b : {ok, cancel}) b->setMinimumWidth(90);
  h->addWidget(ok);
  h->addWidget(cancel);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  return footer;
}

void Tanimals_form::applyGridColumns() {
  if (!grid_->model()) return;
  const int n = std::min<int>(grid_->model()->columnCount(), gridColumns.size());
  for (int i = 0; i < n; ++i) grid_->horizontalHeader()->resizeSection(i, gridColumns[i].width);
}
