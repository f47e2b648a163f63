#pragma once
// The animals window: the laboratory's register of birds. Page "Select Animal" shows the
// register in a grid to pick a bird from; page "New Animal" describes one bird (the one
// picked last, or a new one typed over it). The footer shows the selected bird's name and
// closes the window with OK or Cancel. Every widget carries its design name as objectName.
#include <QDialog>
#include <array>

class QTabWidget;
class QTableView;

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

  QTabWidget* pages() const { return pages_; }
  QTableView* grid() const { return grid_; }

 private:
  QWidget* buildSelectPage();
  QWidget* buildNewPage();
  QWidget* buildFooter();
  void okClicked();

  QTabWidget* pages_ = nullptr;
  QTableView* grid_ = nullptr;
};
