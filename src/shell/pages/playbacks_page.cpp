// The "Playbacks" page: lights and key-peck options with shortcuts ("settings"), the
// sound lists ("sounds"), the session editor ("sessions") and vocal feedback ("feedback").
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "shell/pages/build_helpers.h"
#include "shell/pages/pages.h"
#include "shell/pages/playbacks_parts.h"

using namespace pages;

namespace {

QPlainTextEdit* note(const QString& name, const QString& text) {
  auto* m = named(new QPlainTextEdit(text), name);
  m->setReadOnly(true);
  m->setFrameShape(QFrame::StyledPanel);
  m->setStyleSheet("background: rgb(245,245,235);");
  return m;
}

QLabel* heading(const QString& text) {
  auto* l = label({}, text);
  l->setStyleSheet("font-weight: bold;");
  return l;
}

// Whole hours with a spin button that steps them by one.
void hourRow(QGridLayout* g, int row, const QString& caption, const QString& valueName, int hour,
             const QString& spinName) {
  g->addWidget(label({}, caption), row, 0);
  auto* value = numLab(valueName, hour);
  value->setFixedWidth(30);
  g->addWidget(value, row, 1);
  g->addWidget(spinButton(spinName), row, 2);
  g->addWidget(label({}, "h"), row, 3);
}

QWidget* settingsPage() {
  auto* w = new QWidget;
  w->setObjectName("playback_settings");
  auto* v = new QVBoxLayout(w);
  v->setContentsMargins(10, 10, 10, 10);
  v->setSpacing(10);

  auto* upper = new QHBoxLayout;
  upper->setSpacing(10);

  auto* lights = new QGroupBox("Lights");
  auto* lg = new QGridLayout(lights);
  lg->setHorizontalSpacing(6);
  hourRow(lg, 0, "Lights on:", "lightsOn", 9, "lights_onCtrl");
  hourRow(lg, 1, "Off:", "lightsOff", 21, "lights_offCtrl");
  lg->addWidget(checkBox("dont_train_at_night", "No playbacks at night"), 2, 0, 1, 5);
  auto* lightsNote = label({}, "Sessions are started and stopped only between lights on and lights off.");
  lightsNote->setWordWrap(true);
  lightsNote->setStyleSheet("color: rgb(60,60,60);");
  lg->addWidget(lightsNote, 3, 0, 1, 5);
  lg->setColumnStretch(4, 1);
  lights->setMaximumWidth(340);
  upper->addWidget(lights, 0, Qt::AlignTop);

  auto* keys = new QGroupBox("Key pecks");
  auto* kv = new QVBoxLayout(keys);
  kv->addWidget(checkBox("key_track", "Keep track of all key pecks in table"));
  kv->addWidget(checkBox("let_go_of_key", "Playbacks only during off->on switching of key"));
  kv->addStretch(1);
  upper->addWidget(keys, 0, Qt::AlignTop);
  upper->addStretch(1);
  v->addLayout(upper);

  auto* go = new QGroupBox("Go to");
  auto* gv = new QVBoxLayout(go);
  const struct {
    const char* name;
    const char* caption;
  } shortcuts[] = {{"BitBtn2", "Select playback sounds"},
                   {"BitBtn3", "Set playback sessions"},
                   {"BitBtn4", "Configure Operant playbacks"},
                   {"BitBtn5", "Auditory feedback"}};
  for (const auto& s : shortcuts) {
    auto* b = button(s.name, s.caption);
    b->setMinimumWidth(220);
    gv->addWidget(b, 0, Qt::AlignLeft);
  }
  go->setMaximumWidth(340);
  v->addWidget(go);
  v->addStretch(1);
  return w;
}

QWidget* feedbackPage() {
  auto* w = new QWidget;
  w->setObjectName("playbacks_feedback");
  auto* v = new QVBoxLayout(w);
  v->setContentsMargins(10, 10, 10, 10);
  v->setSpacing(10);

  auto* notes = new QHBoxLayout;
  notes->addWidget(note("self_feedback_note",
                        "Self feedback: each key peck plays one of the bird's own recent song bouts. "
                        "Another module of the suite keeps a bout table with a record for every saved "
                        "recording (file name, location, duration of sound and recency), and a separate "
                        "application refreshes the playback lists from it. When a listed file has gone, "
                        "the station reads the channel's first sound list again and plays the file "
                        "selected there."));
  notes->addWidget(note("auditory_feedback_note",
                        "Auditory feedback: the channel's playback sound is played each time the sound "
                        "level has passed the channel's threshold for the set number of peaks, so the "
                        "delay depends on the pitch of the song. Switch a channel on with its button "
                        "and set the number of peaks."));
  for (int i = 0; i < notes->count(); ++i) notes->itemAt(i)->widget()->setFixedHeight(100);
  v->addLayout(notes);

  auto* table = new QGroupBox;
  auto* g = new QGridLayout(table);
  g->setHorizontalSpacing(12);
  g->setVerticalSpacing(4);
  g->addWidget(heading("Channel"), 0, 0);
  g->addWidget(heading("Auditory feedback after"), 0, 2, 1, 4);

  for (int n = 1; n <= 10; ++n) {
    g->addWidget(label({}, QString("Channel %1").arg(n)), n, 0);
    g->addWidget(checkBox(QString("biofeedback%1").arg(n), "Self feedback"), n, 1);
    auto* trigger = toggleButton(QString("trigger%1").arg(n), "Off", "play the sound after a number of peaks");
    trigger->setFixedWidth(44);
    g->addWidget(trigger, n, 2);
    auto* peaks = trackBar(QString("feedback_delay%1").arg(n), 0, 100000, 5000);
    peaks->setTickInterval(100);
    auto* shown = numLab(QString("delay%1").arg(n), 5000);
    shown->setMinimumWidth(50);
    auto* words = label(QString("tl%1").arg(n), "peaks to trigger");
    // Shown while the channel's button is down.
    for (QWidget* x : {static_cast<QWidget*>(peaks), static_cast<QWidget*>(shown), static_cast<QWidget*>(words)})
      x->setVisible(false);
    g->addWidget(peaks, n, 3);
    g->addWidget(shown, n, 4);
    g->addWidget(words, n, 5);
  }
  g->setColumnMinimumWidth(3, 380);
  g->setColumnMinimumWidth(4, 50);
  g->setColumnMinimumWidth(5, 110);
  g->setColumnStretch(6, 1);
  v->addWidget(table);
  v->addStretch(1);
  return w;
}

}  // namespace

QWidget* buildPlaybacksPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet5");
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(2, 2, 2, 2);
  auto* tabs = named(new QTabWidget, "playbacks_tabs");
  tabs->addTab(settingsPage(), caption("settings"));
  tabs->addTab(buildPlaybackSoundsPage(), caption("sounds"));
  tabs->addTab(buildPlaybackSessionsPage(), caption("sessions"));
  tabs->addTab(feedbackPage(), caption("feedback"));
  v->addWidget(tabs);
  return page;
}
