#include <QWidget>

#include "shell/pages/build_helpers.h"
#include "shell/pages/pages.h"

QWidget* buildDevicesPage() {
  auto* page = new QWidget;
  page->setObjectName("devices");
  return page;
}
