#include <QWidget>

#include "shell/pages/build_helpers.h"
#include "shell/pages/pages.h"

QWidget* buildRecordingPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet2");
  return page;
}
