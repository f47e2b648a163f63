// Pictures of the station's window for the documentation: the main window as it stands
// after start-up, then every page and sub-page. Usage: tirra-screenshots OUTPUT_FOLDER
// (drive c must hold a tirra/db.properties naming a database).
#include <QApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>

#include "platform/errorguard.h"
#include "platform/prompts.h"
#include "shell/tform1.h"

namespace {

QString fileNameFor(const QString& text) {
  QString n = text.toLower();
  n.replace("&&", "and");
  n.replace(QRegularExpression("[^a-z0-9]+"), "-");
  return n;
}

void settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tirra Recorder");
  if (argc < 2) {
    fprintf(stderr, "usage: tirra-screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  // Message boxes are answered and written to stderr instead of waiting for a person.
  tirra::ScriptedPrompts quiet;
  tirra::setPrompts(&quiet);
  TForm1 form;
  form.Timer1->stop();
  form.show();
  tirra::guard([&] { form.Timer1Timer(); });
  settle();
  for (const QString& m : quiet.messages()) fprintf(stderr, "message: %s\n", qPrintable(m));
  form.grab().save(out + "/main.png");
  QTabWidget* pages = form.controls;
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    settle();
    const QString page = fileNameFor(pages->tabText(i));
    form.grab().save(out + "/page-" + page + ".png");
    if (auto* sub = pages->widget(i)->findChild<QTabWidget*>()) {
      for (int j = 0; j < sub->count(); ++j) {
        sub->setCurrentIndex(j);
        settle();
        form.grab().save(out + "/page-" + page + "-" + fileNameFor(sub->tabText(j)) + ".png");
      }
      sub->setCurrentIndex(0);
    }
  }
  pages->setCurrentIndex(0);
  tirra::setPrompts(nullptr);
  return 0;
}
