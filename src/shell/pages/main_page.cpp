#include <QWidget>

#include "shell/pages/build_helpers.h"
#include "shell/pages/pages.h"

QWidget* buildMainPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet8");
  return page;
}
