#pragma once
// The animals window: the laboratory's register of birds. Page "Select Animal" shows the
// register in a grid to pick a bird from; page "New Animal" describes one bird (the one
// picked last, or a new one typed over it). The footer shows the selected bird's name and
// closes the window with OK or Cancel. Every widget carries its design name as objectName.
#include <QDialog>
#include <array>

#include <QVariantMap>
#include <QVector>

class QSortFilterProxyModel;
class QStandardItemModel;
class QTabWidget;
class QTableView;
namespace tirra::db {
class Connection;
}

class Tanimals_form : public QDialog {
  Q_OBJECT
 public:
  explicit Tanimals_form(QWidget* parent = nullptr);

  // Set by OK while "New Animal" is showing; never cleared during the run.
  bool newAnimal = false;

  // The register's columns as the grid shows them, in order, with their widths in pixels.
  struct GridColumn {
    const char* name;
    int width;
  };
  static constexpr std::array<GridColumn, 12> gridColumns{{{"bird_name", 80},
                                                           {"sex", 35},
                                                           {"hatched", 75},
                                                           {"weight", 52},
                                                           {"location", 62},
                                                           {"training", 88},
                                                           {"model", 70},
                                                           {"quota", 50},
                                                           {"audio", 70},
                                                           {"attributes", 89},
                                                           {"photoperiod", 110},
                                                           {"details", 565}}};

  // Gives the grid's columns their widths; call after a model with these columns is set.
  void applyGridColumns();

  // ---- the register (records/animals_register.cpp) ---------------------------------
  // Gives the window the station's connection and its handlers; without it the window
  // only shows its fields.
  void attachRegister(tirra::db::Connection& connection);
  // Reads the animals table into the grid again.
  void reloadRegister();
  // Copies the grid's current record into the "New Animal" page.
  void showAnimalRecord();
  // Adds the bird of the "New Animal" page to the register unless its name is there.
  void addAnimal();
  // Chooses the grid's row of a bird (tests and the search bar); false if none.
  bool selectBird(const QString& name);

  QTabWidget* pages() const { return pages_; }
  QTableView* grid() const { return grid_; }

 private:
  QWidget* buildSelectPage();
  QWidget* buildNewPage();
  QWidget* buildFooter();
  void okClicked();

  QTabWidget* pages_ = nullptr;
  QTableView* grid_ = nullptr;
  tirra::db::Connection* connection_ = nullptr;
  QVector<QVariantMap> records_;  // the register's rows, every column, by column name
  QStandardItemModel* model_ = nullptr;
  QSortFilterProxyModel* proxy_ = nullptr;
};
