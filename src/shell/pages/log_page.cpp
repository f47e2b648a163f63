#include <QWidget>

#include "shell/pages/build_helpers.h"
#include "shell/pages/pages.h"

QWidget* buildLogPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet4");
  return page;
}
