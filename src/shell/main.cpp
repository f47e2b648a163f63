// Program entry: the application, its three windows, the message loop, and the standard
// error display for anything that escapes.
#include <QApplication>

#include "platform/errorguard.h"
#include "platform/prompts.h"
#include "records/animals_form.h"
#include "records/table_dialog.h"
#include "shell/tform1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tirra Recorder");
  QApplication::setApplicationDisplayName("Tirra Recorder");
  QApplication::setQuitOnLastWindowClosed(false);  // the close sequence ends the loop itself
  std::unique_ptr<TForm1> form;
  std::unique_ptr<Tanimals_form> animals;
  std::unique_ptr<TtableDialog> tableDialog;
  tirra::guard([&] {
    form = std::make_unique<TForm1>();
    animals = std::make_unique<Tanimals_form>(form->MyConnection1, form.get());
    form->animals_form = animals.get();
    tableDialog = std::make_unique<TtableDialog>(form.get());
    form->show();
  });
  if (!form) return 0;
  // The message loop; an error escaping it is shown, and the program still returns 0.
  tirra::guard([&] { QApplication::exec(); });
  return 0;
}
