#pragma once
// The list dialog: a fixed-size list of names to pick one from (the "Database" button of
// "Log && options" fills it with the databases of the server). OK is enabled once an
// entry is chosen; a double click on an entry chooses it and closes with OK.
#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

class TtableDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TtableDialog(QWidget* parent = nullptr);

  // Empties the list and adds the names in order; nothing is selected and OK is disabled.
  void fillFrom(const QStringList& names);
  // The chosen entry, or an empty text when none is chosen.
  QString selectedEntry() const;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  QListWidget* list_ = nullptr;
  QPushButton* ok_ = nullptr;
};
