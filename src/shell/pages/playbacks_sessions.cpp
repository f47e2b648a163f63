// The "sessions" sub-page of "Playbacks": one block per channel with its Train and Lock
// buttons and its two sessions. A session's panel (times, trigger, list, onset, quota,
// gap and passive odds) shows only while the session is switched on.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

#include "shell/pages/build_helpers.h"
#include "shell/pages/playbacks_parts.h"

namespace pages {

namespace {

const QStringList kTriggerItems{"Passive playbacks", "Key 1 activated", "Key 2 activated",
                                "Key 1 | 2 activated"};

QStringList listItems(int channel) {
  const QString n = QString::number(channel);
  return {"sounds list " + n, "sounds list " + n + "a", "Key1->list" + n + " ; Key2->list" + n + "a"};
}

// A time read-out with its hour and minute arrows: spin number k belongs to the start
// (odd k) or the end (even k) of a session.
QHBoxLayout* timeEditor(const QString& caption, const QString& labelName, int k) {
  auto* h = new QHBoxLayout;
  h->setSpacing(2);
  auto* cap = label({}, caption);
  cap->setFixedWidth(36);
  h->addWidget(cap);
  auto* time = label(labelName, "00:00AM");
  time->setFixedWidth(62);
  time->setAlignment(Qt::AlignCenter);
  time->setFrameShape(QFrame::StyledPanel);
  time->setStyleSheet("background: white; font-family: monospace;");
  h->addWidget(time);
  auto* hours = spinButton(QString("session_hours%1").arg(k));
  hours->setToolTip("hour");
  h->addWidget(hours);
  h->addWidget(label({}, "h"));
  auto* minutes = spinButton(QString("session_min%1").arg(k));
  minutes->setToolTip("minute");
  h->addWidget(minutes);
  h->addWidget(label({}, "m"));
  return h;
}

// A numeric value with its up-down arrows.
QHBoxLayout* valueEditor(NumLab* value, UpDown* arrows, int width) {
  auto* h = new QHBoxLayout;
  h->setSpacing(2);
  value->setFixedWidth(width);
  h->addWidget(value);
  h->addWidget(arrows);
  return h;
}

// Session s (0..19): its check box and its panel.
QWidget* session(int s) {
  const int n = s + 1;
  const int channel = s / 2 + 1;
  auto* w = new QWidget;
  auto* v = new QVBoxLayout(w);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(2);
  auto* box = checkBox(QString("session%1").arg(n), s % 2 ? "Session 2" : "Session 1");
  box->setStyleSheet("font-weight: bold;");
  v->addWidget(box);

  auto* p = panel(QString("session_panel%1").arg(n));
  auto* g = new QGridLayout(p);
  g->setContentsMargins(5, 4, 5, 4);
  g->setHorizontalSpacing(8);
  g->setVerticalSpacing(3);

  g->addLayout(timeEditor("From:", QString("session_startL%1").arg(n), 2 * s + 1), 0, 0);
  g->addLayout(timeEditor("To:", QString("session_endL%1").arg(n), 2 * s + 2), 1, 0);
  g->addWidget(radioGroup(QString("onset_timing%1").arg(n), "onset", {"on time", "random"}, 0, nullptr,
                          Qt::Horizontal),
               0, 1, 2, 1);

  auto* trigger = comboBox(QString("session_playback_control%1").arg(s), kTriggerItems, 0);
  trigger->setToolTip("what triggers a playback");
  g->addWidget(trigger, 2, 0);
  auto* list = comboBox(QString("session_playback_list%1").arg(s), listItems(channel), 0);
  list->setToolTip("which sound list plays");
  list->setVisible(false);  // one list per session at start
  g->addWidget(list, 2, 1);

  auto* limits = new QHBoxLayout;
  limits->setSpacing(4);
  auto* quotaOn = checkBox(QString("enable_quota%1").arg(n), "quota");
  quotaOn->setToolTip("enable playback quota");
  limits->addWidget(quotaOn);
  auto* quota = numLab(QString("quota%1").arg(n), 20);
  auto* quotaArrows = upDown(QString("quota_UpDown%1").arg(n), 0, 999, 10);
  quota->setVisible(false);  // shown while the quota box is checked
  quotaArrows->setVisible(false);
  quota->setToolTip("playbacks allowed in this session");
  limits->addLayout(valueEditor(quota, quotaArrows, 30));
  limits->addSpacing(10);
  limits->addWidget(label({}, "gap"));
  auto* gap = numLab(QString("gap%1").arg(n), 2.0, 1, "s");
  gap->setToolTip("minimum time between two playbacks");
  limits->addLayout(valueEditor(gap, upDown(QString("gap_UpDown%1").arg(n), 0, 999, 10), 40));
  limits->addSpacing(10);

  auto* passive = panel(QString("passive_panel%1").arg(n));
  passive->setFrameShape(QFrame::NoFrame);
  passive->setAutoFillBackground(false);
  auto* ph = new QHBoxLayout(passive);
  ph->setContentsMargins(0, 0, 0, 0);
  ph->setSpacing(4);
  ph->addWidget(label({}, "odds"));
  auto* odds = numLab(QString("passive_odds%1").arg(n), 0.1, 4, "/s");
  odds->setToolTip("chance of a passive playback per second");
  ph->addLayout(valueEditor(odds, upDown(QString("passive_odds_UpDown%1").arg(n), 0, 100, 10), 58));
  passive->setVisible(false);  // shown for passive sessions only
  limits->addWidget(passive);
  limits->addStretch(1);
  g->addLayout(limits, 3, 0, 1, 2);
  g->setColumnStretch(1, 1);

  p->setVisible(false);  // shown while the session is switched on
  v->addWidget(p);
  v->addStretch(1);
  return w;
}

QFrame* channelBlock(int channel) {
  auto* block = panel(QString("session_block%1").arg(channel));
  block->setFrameShape(QFrame::Box);
  auto* h = new QHBoxLayout(block);
  h->setContentsMargins(5, 4, 5, 4);
  h->setSpacing(8);

  // The channel number beside its Train and Lock buttons.
  auto* head = new QGridLayout;
  head->setSpacing(3);
  auto* number = label({}, QString::number(channel));
  number->setStyleSheet("font: bold 14pt;");
  number->setAlignment(Qt::AlignCenter);
  number->setFixedWidth(34);
  head->addWidget(number, 0, 0, 2, 1);
  auto* train = toggleButton(QString("train%1a").arg(channel), "Train", "start training");
  auto* lock = toggleButton(QString("session_lock%1").arg(channel), "Lock",
                            "locking will prevent accidental changes of sessions");
  for (QToolButton* b : {train, lock}) b->setFixedWidth(56);
  head->addWidget(train, 0, 1);
  head->addWidget(lock, 1, 1);
  head->setRowStretch(2, 1);
  h->addLayout(head);

  const int first = 2 * (channel - 1);
  h->addWidget(session(first), 1);
  h->addWidget(session(first + 1), 1);
  return block;
}

}  // namespace

QWidget* buildPlaybackSessionsPage() {
  auto* page = new QWidget;
  page->setObjectName("playbacks_sessions");
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(6, 6, 6, 6);

  auto* scroll = named(new QScrollArea, "sessions_scrollBox");
  scroll->setWidgetResizable(true);
  auto* blocks = new QWidget;
  auto* col = new QVBoxLayout(blocks);
  col->setContentsMargins(4, 4, 4, 4);
  col->setSpacing(4);
  for (int channel = 1; channel <= 10; ++channel) col->addWidget(channelBlock(channel));
  col->addStretch(1);
  scroll->setWidget(blocks);
  v->addWidget(scroll, 1);
  return page;
}

}  // namespace pages
