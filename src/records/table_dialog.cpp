#include "records/table_dialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TtableDialog::TtableDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TtableDialog");
  setWindowTitle("Dialog");
  setModal(true);
  setWindowFlag(Qt::WindowStaysOnTopHint, true);

  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(10, 10, 10, 10);
  auto* h = new QHBoxLayout;
  list_ = new QListWidget;
  list_->setObjectName("ListBox1");
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  h->addWidget(list_, 1);

  auto* buttons = new QVBoxLayout;
  ok_ = new QPushButton("OK");
  ok_->setObjectName("OKBtn");
  ok_->setDefault(true);
  ok_->setEnabled(false);
  auto* cancel = new QPushButton("Cancel");
  cancel->setObjectName("CancelBtn");
  cancel->setAutoDefault(false);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);
  buttons->addStretch(1);
  h->addLayout(buttons);
  v->addLayout(h, 1);

  auto* note = new QPlainTextEdit;
  note->setObjectName("note");
  note->setReadOnly(true);
  note->setPlainText(
      "Note: before changing a database your should make\n"
      "sure that the database includes the following tables: \n"
      "key-pecks, nidaq, birds. You may copy those tables \n"
      "from c:/mysql/data/TIRRA");
  note->setLineWrapMode(QPlainTextEdit::NoWrap);
  note->setFixedHeight(note->fontMetrics().lineSpacing() * 4 + 14);
  v->addWidget(note);

  // A choice by mouse or keyboard enables OK; a double click chooses and closes.
  connect(list_, &QListWidget::itemSelectionChanged, this,
          [this] { ok_->setEnabled(!list_->selectedItems().isEmpty()); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  setFixedSize(420, 340);
}

void TtableDialog::fillFrom(const QStringList& names) {
  list_->clear();
  list_->addItems(names);
  list_->setCurrentRow(-1);
  list_->clearSelection();
  ok_->setEnabled(false);
}

QString TtableDialog::selectedEntry() const {
  const QList<QListWidgetItem*> chosen = list_->selectedItems();
  return chosen.isEmpty() ? QString() : chosen.first()->text();
}

void TtableDialog::showEvent(QShowEvent* e) {
  // Centred on the screen, whatever window opened it.
  if (QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    move(frame.topLeft());
  }
  QDialog::showEvent(e);
}
