#include <QWidget>

#include "shell/pages/build_helpers.h"
#include "shell/pages/pages.h"

QWidget* buildAnimalsPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet9");
  return page;
}
