#pragma once
// The animals window: the laboratory's register of birds. Page "Select Animal" shows the
// register in a grid to pick a bird from; page "New Animal" describes one bird (the one
// picked last, or a new one typed over it). The footer shows the selected bird's name and
// closes the window with OK or Cancel. Every widget carries its design name as objectName.
#include <QDialog>
#include <array>

#include <memory>

class QModelIndex;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTabWidget;
class QTableView;
namespace tirra::db {
class Connection;
class Table;
}  // namespace tirra::db

class Tanimals_form : public QDialog {
  Q_OBJECT
 public:
  // The window reads and extends the register through the station's connection.
  explicit Tanimals_form(tirra::db::Connection& connection, QWidget* parent = nullptr);
  ~Tanimals_form() override;

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
  // Reads the animals table into the grid again (opening it the first time); run each
  // time the window is about to be shown.
  void reloadRegister();
  // Copies the grid's current record into the "New Animal" page.
  void showAnimalRecord();
  // Adds the bird of the "New Animal" page to the register unless its name is there.
  void addAnimal();
  // Makes the first grid row whose bird_name is `name` current, as a click on it would;
  // false if the register shown has no such bird.
  bool selectBird(const QString& name);

  // The window's handlers, named after the control and the event.
  void animals_gridCellClick(const QModelIndex& cell);
  void animals_gridTitleClick();
  void filterClick();
  void clear_filtersClick();
  void searchChange();
  void nameChange();
  void hatchedClick();
  void set_time1Click();
  void trainingChange();
  void OKBtnClick();

  QTabWidget* pages() const { return pages_; }
  QTableView* grid() const { return grid_; }

 private:
  QWidget* buildSelectPage();
  QWidget* buildNewPage();
  QWidget* buildFooter();
  void connectHandlers();
  template <class W>
  W* part(const char* name) const {
    return findChild<W*>(QString::fromLatin1(name));
  }

  QTabWidget* pages_ = nullptr;
  QTableView* grid_ = nullptr;
  tirra::db::Connection& connection_;
  std::unique_ptr<tirra::db::Table> animals_;  // the register, kept open once opened
  QStandardItemModel* model_ = nullptr;        // the register's rows as the grid shows them
  QSortFilterProxyModel* proxy_ = nullptr;     // filter bar and sorting over model_
};
