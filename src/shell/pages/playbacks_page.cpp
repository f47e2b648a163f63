#include <QWidget>

#include "shell/pages/build_helpers.h"
#include "shell/pages/pages.h"

QWidget* buildPlaybacksPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet5");
  return page;
}
