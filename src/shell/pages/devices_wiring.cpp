// The "operant playbacks" sub-page of "Operant devices": for each channel a group with
// its two keys, each shown as a detector light with the port and line its switch is read
// from. Slot 2k+1 is key k's detector, slot 2k+2 its effector; the effector slots are kept
// but not shown.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "shell/pages/build_helpers.h"
#include "shell/pages/devices_parts.h"

namespace pages {

namespace {

struct PortLine {
  int port, line;
};

// Wiring before the nidaq table is read (and whenever it cannot be read): detector and
// effector of key k.
constexpr PortLine kDetector[20] = {{0, 0}, {2, 1}, {0, 4}, {2, 3}, {1, 0}, {2, 5}, {1, 4},
                                    {2, 7}, {0, 3}, {0, 7}, {1, 3}, {1, 7}, {0, 2}, {0, 6},
                                    {0, 2}, {0, 6}, {0, 2}, {0, 6}, {0, 2}, {0, 6}};
constexpr PortLine kEffector[20] = {{0, 1}, {2, 0}, {0, 5}, {2, 2}, {1, 1}, {2, 4}, {1, 5},
                                    {1, 5}, {3, 0}, {3, 1}, {3, 2}, {3, 3}, {3, 4}, {3, 5},
                                    {3, 4}, {3, 5}, {3, 4}, {3, 5}, {3, 4}, {3, 5}};

// "Port:" or "Line:" with the slot's value and its arrows, on row `row` of the grid.
void slotRow(QGridLayout* g, int row, int col, const QString& caption, const QString& name, int value,
             bool shown) {
  auto* cap = label({}, caption);
  auto* val = numLab(name, value);
  val->setFixedWidth(22);
  val->setFrameShape(QFrame::StyledPanel);
  val->setAlignment(Qt::AlignCenter);
  auto* arrows = spinButton(name + "s");
  for (QWidget* w : {static_cast<QWidget*>(cap), static_cast<QWidget*>(val), static_cast<QWidget*>(arrows)})
    w->setVisible(shown);
  g->addWidget(cap, row, col);
  g->addWidget(val, row, col + 1);
  g->addWidget(arrows, row, col + 2);
}

// Key k: its detector light and caption above the "Port:" and "Line:" rows of its
// detector slot; the effector slot's rows are kept below, hidden.
QVBoxLayout* keyColumn(int k) {
  const int detectorSlot = 2 * k + 1;
  const int effectorSlot = 2 * k + 2;
  auto* v = new QVBoxLayout;
  v->setSpacing(3);
  auto* head = new QHBoxLayout;
  head->setSpacing(6);
  auto* light = shape(QString("detect%1").arg(k + 1), Shape::Kind::Circle, Qt::yellow);
  light->setFixedSize(16, 16);
  light->setToolTip("yellow: key released, red: key pressed");
  head->addWidget(light);
  head->addWidget(label({}, QString("detector %1").arg(k + 1)));
  head->addStretch(1);
  v->addLayout(head);
  auto* g = new QGridLayout;
  g->setHorizontalSpacing(4);
  g->setVerticalSpacing(3);
  slotRow(g, 0, 0, "Port:", QString("p%1").arg(detectorSlot), kDetector[k].port, true);
  slotRow(g, 1, 0, "Line:", QString("l%1").arg(detectorSlot), kDetector[k].line, true);
  slotRow(g, 2, 0, "Port:", QString("p%1").arg(effectorSlot), kEffector[k].port, false);
  slotRow(g, 3, 0, "Line:", QString("l%1").arg(effectorSlot), kEffector[k].line, false);
  g->setColumnStretch(3, 1);
  v->addLayout(g);
  return v;
}

QGroupBox* channelGroup(int channel) {
  auto* box = named(new QGroupBox(QString("Channel %1").arg(channel)), QString("detector_group%1").arg(channel));
  auto* h = new QHBoxLayout(box);
  h->setContentsMargins(8, 4, 8, 4);
  h->setSpacing(24);
  h->addLayout(keyColumn(2 * (channel - 1)));
  h->addLayout(keyColumn(2 * (channel - 1) + 1));
  h->addStretch(1);
  return box;
}

}  // namespace

QWidget* buildKeyWiringPage() {
  auto* page = new QWidget;
  page->setObjectName("devices_operant_playbacks");
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(10, 10, 10, 10);
  v->setSpacing(8);
  auto* hint = label({}, "Each key is read from one line of one port of the digital I/O card. The key "
                         "wiring shows once 'Enable Operant Training (NI card installed)' is checked on the "
                         "settings page.");
  hint->setWordWrap(true);
  hint->setStyleSheet("color: rgb(60,60,60);");
  v->addWidget(hint);

  auto* wiring = panel("NI_panel");
  auto* g = new QGridLayout(wiring);
  g->setContentsMargins(6, 6, 6, 6);
  g->setSpacing(6);
  for (int channel = 1; channel <= 10; ++channel)
    g->addWidget(channelGroup(channel), (channel - 1) / 2, (channel - 1) % 2);
  wiring->setVisible(false);  // shown while the card is enabled
  v->addWidget(wiring);
  v->addStretch(1);
  return page;
}

}  // namespace pages
