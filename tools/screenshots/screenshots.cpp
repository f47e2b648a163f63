// Pictures of the station's window for the documentation: the main window as it stands
// after start-up, then every page and sub-page. Usage: tirra-screenshots OUTPUT_FOLDER
// (drive c must hold a tirra/db.properties naming a database).
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
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

// Every page, and every sub-page of a page that has them.
void shootPages(TForm1& form, const QString& out, const QString& suffix) {
  QTabWidget* pages = form.controls;
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    settle();
    const QString page = fileNameFor(pages->tabText(i));
    auto* sub = pages->widget(i)->findChild<QTabWidget*>();
    if (!sub) {
      form.grab().save(out + "/page-" + page + suffix + ".png");
      continue;
    }
    for (int j = 0; j < sub->count(); ++j) {
      sub->setCurrentIndex(j);
      settle();
      form.grab().save(out + "/page-" + page + "-" + fileNameFor(sub->tabText(j)) + suffix + ".png");
    }
    sub->setCurrentIndex(0);
  }
  pages->setCurrentIndex(0);
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
  shootPages(form, out, "");
  // The same pages with the panels that open only in use (enabled sessions, passive odds,
  // the card's key wiring) shown.
  form.NIcard_exists->setChecked(true);
  for (QFrame* p : form.sessionPanels) p->setVisible(true);
  for (int s = 0; s < 20; s += 2) form.passivePanels[s]->setVisible(true);
  shootPages(form, out, "-in-use");
  tirra::setPrompts(nullptr);
  return 0;
}
