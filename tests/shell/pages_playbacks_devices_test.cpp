// Structure of the "Playbacks" and "Operant devices" pages: every control a handler looks
// up by name is there, of the right kind and number, with its designed caption, hint,
// range, default, visibility and enabled state, and both pages fit the window's page area.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSet>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

#include "support/widget_lookup.h"
#include "shell/pages/pages.h"
#include "widgets/filelistbox.h"
#include "widgets/numlab.h"
#include "widgets/radiogroup.h"
#include "widgets/shape.h"
#include "widgets/spinbutton.h"

namespace {

using PagePtr = std::unique_ptr<QWidget>;

using tirra::test::child;
using tirra::test::shownText;

// Design names only: Qt names some parts of its own widgets (a tab bar's scroll arrows).
QStringList namesIn(QWidget* root) {
  QStringList names;
  for (QObject* o : root->findChildren<QObject*>()) {
    if (o->objectName().isEmpty() || o->objectName().startsWith("qt_")) continue;
    if (qobject_cast<QTabBar*>(o->parent())) continue;
    names << o->objectName();
  }
  return names;
}

int countNamed(QWidget* root, const QString& pattern) {
  const QRegularExpression re("^" + pattern + "$");
  int n = 0;
  for (const QString& name : namesIn(root))
    if (re.match(name).hasMatch()) ++n;
  return n;
}

int labelsReading(QWidget* root, const QString& text) {
  int n = 0;
  for (QLabel* l : root->findChildren<QLabel*>())
    if (l->text() == text) ++n;
  return n;
}

QStringList comboItems(QComboBox* c) {
  QStringList items;
  for (int i = 0; i < c->count(); ++i) items << c->itemText(i);
  return items;
}

// A family of like controls: "%1" stands for the member number, first .. first+count-1.
struct Family {
  const char* pattern;
  int first;
  int count;
  const QMetaObject* kind;
};

void expectFamilies(QWidget* page, std::initializer_list<Family> families) {
  for (const Family& f : families) {
    SCOPED_TRACE(f.pattern);
    const QString pattern = QString::fromLatin1(f.pattern);
    QStringList parts = pattern.split("%1");
    for (QString& part : parts) part = QRegularExpression::escape(part);
    EXPECT_EQ(countNamed(page, parts.join("\\d+")), f.count);
    for (int n : {f.first, f.first + f.count / 2, f.first + f.count - 1}) {
      QObject* o = page->findChild<QObject*>(pattern.arg(n));
      ASSERT_NE(o, nullptr) << pattern.arg(n).toStdString();
      EXPECT_TRUE(o->metaObject()->inherits(f.kind)) << pattern.arg(n).toStdString();
    }
    EXPECT_EQ(page->findChild<QObject*>(pattern.arg(f.first - 1)), nullptr);
    EXPECT_EQ(page->findChild<QObject*>(pattern.arg(f.first + f.count)), nullptr);
  }
}

struct Caption {
  const char* name;
  const char* text;
};

void expectCaptions(QWidget* page, std::initializer_list<Caption> captions) {
  for (const Caption& c : captions) {
    QObject* o = page->findChild<QObject*>(c.name);
    ASSERT_NE(o, nullptr) << c.name;
    EXPECT_EQ(shownText(o), c.text) << c.name;
  }
}

struct Range {
  const char* name;
  int min, max, position;
};

void expectSliders(QWidget* page, std::initializer_list<Range> sliders) {
  for (const Range& r : sliders) {
    auto* s = child<QSlider>(page, r.name);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->minimum(), r.min) << r.name;
    EXPECT_EQ(s->maximum(), r.max) << r.name;
    EXPECT_EQ(s->value(), r.position) << r.name;
  }
}

void expectUpDowns(QWidget* page, std::initializer_list<Range> upDowns) {
  for (const Range& r : upDowns) {
    auto* u = child<UpDown>(page, r.name);
    ASSERT_NE(u, nullptr);
    EXPECT_EQ(u->minimum(), r.min) << r.name;
    EXPECT_EQ(u->maximum(), r.max) << r.name;
    EXPECT_EQ(u->position(), r.position) << r.name;
  }
}

struct Number {
  const char* name;
  double value;
  const char* shown;
};

void expectNumbers(QWidget* page, std::initializer_list<Number> numbers) {
  for (const Number& n : numbers) {
    auto* l = child<NumLab>(page, n.name);
    ASSERT_NE(l, nullptr);
    EXPECT_DOUBLE_EQ(l->value(), n.value) << n.name;
    EXPECT_EQ(l->text(), n.shown) << n.name;
  }
}

// Hidden at start means hidden by the design itself, not merely inside a hidden panel.
void expectHidden(QWidget* page, std::initializer_list<const char*> names, bool hidden) {
  for (const char* name : names) {
    auto* w = page->findChild<QWidget*>(name);
    ASSERT_NE(w, nullptr) << name;
    EXPECT_EQ(w->isHidden(), hidden) << name;
  }
}

void expectSubPages(QWidget* page, const QStringList& names, const QStringList& captions) {
  auto* tabs = page->findChild<QTabWidget*>();
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(tabs->count(), names.size());
  for (int i = 0; i < tabs->count(); ++i) {
    EXPECT_EQ(tabs->widget(i)->objectName(), names[i]);
    EXPECT_EQ(tabs->tabText(i), captions[i]);
  }
  EXPECT_EQ(tabs->currentIndex(), 0);
}

void expectUniqueNames(QWidget* page) {
  QSet<QString> seen;
  for (const QString& n : namesIn(page)) {
    EXPECT_FALSE(seen.contains(n)) << "name used twice: " << n.toStdString();
    seen.insert(n);
  }
}

// Shows everything that can be shown at run time (two-list mode, all sessions enabled and
// passive, quotas on, card and instrumentation enabled, feedback sliders down).
void revealAll(QWidget* page) {
  static const QRegularExpression revealed(
      "^(session_panel|passive_panel|list_\\d+a$|quota|session_playback_list|feedback_delay|delay|tl)|"
      "^(NI_panel|operant_tasks)$");
  for (QWidget* w : page->findChildren<QWidget*>())
    if (revealed.match(w->objectName()).hasMatch()) w->setVisible(true);
}

// The window's page area is about 1030 x 800; a sub-page must fit without clipping (the
// long lists scroll inside their scroll box).
void expectFitsPageArea(QWidget* page) {
  auto* tabs = page->findChild<QTabWidget*>();
  ASSERT_NE(tabs, nullptr);
  for (int i = 0; i < tabs->count(); ++i) {
    const QSize need = tabs->widget(i)->minimumSizeHint();
    EXPECT_LE(need.width(), 1020) << tabs->tabText(i).toStdString();
    EXPECT_LE(need.height(), 760) << tabs->tabText(i).toStdString();
  }
  const QSize whole = page->minimumSizeHint();
  EXPECT_LE(whole.width(), 1030);
  EXPECT_LE(whole.height(), 800);
}

}  // namespace

// ---------------------------------------------------------------- "Playbacks"

TEST(PlaybacksPage, HasItsFourSubPagesAndUniqueNames) {
  PagePtr page(buildPlaybacksPage());
  EXPECT_EQ(page->objectName(), "TabSheet5");
  expectSubPages(page.get(), {"playback_settings", "playbacks_sounds", "playbacks_sessions", "playbacks_feedback"},
                 {"settings", "sounds", "sessions", "feedback"});
  expectUniqueNames(page.get());
}

TEST(PlaybacksPage, FamiliesAreNumberedAsTheComponentArrays) {
  PagePtr page(buildPlaybacksPage());
  expectFamilies(page.get(),
                 {// sound lists, numbered from 0
                  {"playbacks_folder%1", 0, 20, &QLineEdit::staticMetaObject},
                  {"input%1", 0, 20, &QPushButton::staticMetaObject},
                  {"play%1", 0, 20, &QPushButton::staticMetaObject},
                  {"random_switch%1", 0, 20, &QCheckBox::staticMetaObject},
                  {"auto_scroll%1", 0, 20, &QCheckBox::staticMetaObject},
                  {"reset_counts%1", 0, 20, &QPushButton::staticMetaObject},
                  {"playbacks_%1", 0, 20, &FileListBox::staticMetaObject},
                  {"song%1", 0, 20, &QLabel::staticMetaObject},
                  {"Play_counts%1", 0, 20, &NumLab::staticMetaObject},
                  {"lock%1", 0, 10, &QToolButton::staticMetaObject},
                  // per channel, numbered from 1
                  {"playback_mute_rec%1", 1, 10, &QCheckBox::staticMetaObject},
                  {"switch_lists%1", 1, 10, &QCheckBox::staticMetaObject},
                  {"switch_quota_Tb%1", 1, 10, &QSlider::staticMetaObject},
                  {"switch_quota%1", 1, 10, &NumLab::staticMetaObject},
                  {"list_%1a", 1, 10, &QFrame::staticMetaObject},
                  {"train%1a", 1, 10, &QToolButton::staticMetaObject},
                  {"session_lock%1", 1, 10, &QToolButton::staticMetaObject},
                  {"biofeedback%1", 1, 10, &QCheckBox::staticMetaObject},
                  {"trigger%1", 1, 10, &QToolButton::staticMetaObject},
                  {"feedback_delay%1", 1, 10, &QSlider::staticMetaObject},
                  {"delay%1", 1, 10, &NumLab::staticMetaObject},
                  {"tl%1", 1, 10, &QLabel::staticMetaObject},
                  // sessions, numbered from 1 ...
                  {"session%1", 1, 20, &QCheckBox::staticMetaObject},
                  {"session_panel%1", 1, 20, &QFrame::staticMetaObject},
                  {"passive_panel%1", 1, 20, &QFrame::staticMetaObject},
                  {"session_startL%1", 1, 20, &QLabel::staticMetaObject},
                  {"session_endL%1", 1, 20, &QLabel::staticMetaObject},
                  {"session_hours%1", 1, 40, &SpinButton::staticMetaObject},
                  {"session_min%1", 1, 40, &SpinButton::staticMetaObject},
                  {"onset_timing%1", 1, 20, &RadioGroup::staticMetaObject},
                  {"enable_quota%1", 1, 20, &QCheckBox::staticMetaObject},
                  {"quota%1", 1, 20, &NumLab::staticMetaObject},
                  {"quota_UpDown%1", 1, 20, &UpDown::staticMetaObject},
                  {"gap%1", 1, 20, &NumLab::staticMetaObject},
                  {"gap_UpDown%1", 1, 20, &UpDown::staticMetaObject},
                  {"passive_odds%1", 1, 20, &NumLab::staticMetaObject},
                  {"passive_odds_UpDown%1", 1, 20, &UpDown::staticMetaObject},
                  // ... except the two drop-down lists, numbered from 0
                  {"session_playback_control%1", 0, 20, &QComboBox::staticMetaObject},
                  {"session_playback_list%1", 0, 20, &QComboBox::staticMetaObject}});
}

TEST(PlaybacksPage, SessionControlsSitInTheirSessionsPanel) {
  PagePtr page(buildPlaybacksPage());
  // Session 6 (s = 5) is channel 3's "Session 2": its end spin buttons are number 12.
  auto* panel = child<QFrame>(page.get(), "session_panel6");
  ASSERT_NE(panel, nullptr);
  for (const char* name : {"session_startL6", "session_endL6", "session_hours11", "session_hours12",
                           "session_min11", "session_min12", "onset_timing6", "session_playback_control5",
                           "session_playback_list5", "passive_panel6", "enable_quota6", "quota_UpDown6",
                           "gap_UpDown6", "passive_odds_UpDown6"})
    EXPECT_NE(panel->findChild<QWidget*>(name), nullptr) << name;
  EXPECT_EQ(panel->findChild<QWidget*>("session_hours13"), nullptr);
  EXPECT_NE(child<QFrame>(page.get(), "passive_panel6")->findChild<NumLab*>("passive_odds6"), nullptr);
  EXPECT_NE(child<QFrame>(page.get(), "list_3a")->findChild<FileListBox*>("playbacks_5"), nullptr);
  EXPECT_NE(child<QFrame>(page.get(), "list_3a")->findChild<QCheckBox*>("switch_lists3"), nullptr);
  EXPECT_EQ(child<QFrame>(page.get(), "list_3a")->findChild<QWidget*>("playbacks_4"), nullptr);
}

TEST(PlaybacksPage, CaptionsAndHints) {
  PagePtr page(buildPlaybacksPage());
  expectCaptions(page.get(), {{"dont_train_at_night", "No playbacks at night"},
                              {"key_track", "Keep track of all key pecks in table"},
                              {"let_go_of_key", "Playbacks only during off->on switching of key"},
                              {"BitBtn2", "Select playback sounds"},
                              {"BitBtn3", "Set playback sessions"},
                              {"BitBtn4", "Configure Operant playbacks"},
                              {"BitBtn5", "Auditory feedback"},
                              {"Update_lists", "Update Sound Lists"},
                              {"play0", "Play"},
                              {"play19", "Play"},
                              {"song7", "Playing (empty)"},
                              {"playbacks_folder13", "c:\\tirra\\in0\\"},
                              {"random_switch3", "randomly select sounds"},
                              {"auto_scroll18", "auto-scroll sounds"},
                              {"lock0", "Lock"},
                              {"lock9", "Lock"},
                              {"session_lock4", "Lock"},
                              {"train1a", "Train"},
                              {"train10a", "Train"},
                              {"session1", "Session 1"},
                              {"session2", "Session 2"},
                              {"session19", "Session 1"},
                              {"session20", "Session 2"},
                              {"onset_timing3", "onset"},
                              {"enable_quota8", "quota"},
                              {"biofeedback4", "Self feedback"},
                              {"trigger9", "Off"},
                              {"tl2", "peaks to trigger"},
                              {"session_startL1", "00:00AM"},
                              // the lower-case spellings of channels 6 and 7, the longer one of 6, 9, 10
                              {"playback_mute_rec1", "Don't record playbacks"},
                              {"playback_mute_rec6", "don't record playbacks"},
                              {"playback_mute_rec7", "don't record playbacks"},
                              {"playback_mute_rec8", "Don't record playbacks"},
                              {"switch_lists1", "Switch every session"},
                              {"switch_lists5", "Switch every session"},
                              {"switch_lists6", "Switch lists every"},
                              {"switch_lists7", "Switch every session"},
                              {"switch_lists9", "Switch lists every"},
                              {"switch_lists10", "Switch lists every"}});
  for (const char* text : {"Lights on:", "Off:", "Played:", "Playbacks", "From:", "To:", "odds",
                           "Auditory feedback after"})
    EXPECT_GE(labelsReading(page.get(), text), 1) << text;
  EXPECT_EQ(labelsReading(page.get(), "Played:"), 20);
  EXPECT_EQ(labelsReading(page.get(), "Playbacks"), 10);

  const struct {
    const char* name;
    const char* hint;
  } hints[] = {{"playbacks_folder0", "click 'hold on' to enable"},
               {"playbacks_folder19", "click 'hold on' to enable"},
               {"play4", "play sound"},
               {"reset_counts11", "erase pecks"},
               {"lock6", "locking will prevent accidental changes of playbacks"},
               {"train3a", "start training"},
               {"enable_quota20", "enable playback quota"}};
  for (const auto& h : hints) {
    auto* w = page->findChild<QWidget*>(h.name);
    ASSERT_NE(w, nullptr) << h.name;
    EXPECT_EQ(w->toolTip(), h.hint) << h.name;
  }
  auto* help = child<QLabel>(page.get(), "LinkLabel2");
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->text().contains(">Help</a>"));
}

TEST(PlaybacksPage, ChoicesOfModeTriggerListAndOnset) {
  PagePtr page(buildPlaybacksPage());
  auto* mode = child<RadioGroup>(page.get(), "mode");
  ASSERT_NE(mode, nullptr);
  ASSERT_EQ(mode->count(), 2);
  EXPECT_EQ(mode->item(0), "one  list per session");
  EXPECT_EQ(mode->item(1), "Two lists per session");
  EXPECT_EQ(mode->itemIndex(), 0);

  const QStringList triggers{"Passive playbacks", "Key 1 activated", "Key 2 activated", "Key 1 | 2 activated"};
  for (const char* name : {"session_playback_control0", "session_playback_control19"}) {
    auto* c = child<QComboBox>(page.get(), name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(comboItems(c), triggers) << name;
    EXPECT_TRUE(c->isEnabled()) << name;
  }
  const struct {
    const char* name;
    QStringList items;
  } lists[] = {{"session_playback_list0", {"sounds list 1", "sounds list 1a", "Key1->list1 ; Key2->list1a"}},
               {"session_playback_list1", {"sounds list 1", "sounds list 1a", "Key1->list1 ; Key2->list1a"}},
               {"session_playback_list5", {"sounds list 3", "sounds list 3a", "Key1->list3 ; Key2->list3a"}},
               {"session_playback_list19",
                {"sounds list 10", "sounds list 10a", "Key1->list10 ; Key2->list10a"}}};
  for (const auto& l : lists) {
    auto* c = child<QComboBox>(page.get(), l.name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(comboItems(c), l.items) << l.name;
  }
  for (const char* name : {"onset_timing1", "onset_timing20"}) {
    auto* g = child<RadioGroup>(page.get(), name);
    ASSERT_NE(g, nullptr);
    ASSERT_EQ(g->count(), 2);
    EXPECT_EQ(g->item(0), "on time");
    EXPECT_EQ(g->item(1), "random");
    EXPECT_EQ(g->itemIndex(), 0);
  }
}

TEST(PlaybacksPage, DesignedValuesAndRanges) {
  PagePtr page(buildPlaybacksPage());
  expectNumbers(page.get(), {{"lightsOn", 9, "9"},
                             {"lightsOff", 21, "21"},
                             {"quota1", 20, "20"},
                             {"quota20", 20, "20"},
                             {"gap1", 2.0, "2.0s"},
                             {"gap14", 2.0, "2.0s"},
                             {"passive_odds1", 0.1, "0.1000/s"},
                             {"passive_odds20", 0.1, "0.1000/s"},
                             {"switch_quota4", 100, "100"},
                             {"Play_counts0", 0, "0"},
                             {"delay1", 5000, "5000"},
                             {"delay10", 5000, "5000"}});
  expectUpDowns(page.get(), {{"quota_UpDown1", 0, 999, 10},
                             {"quota_UpDown17", 0, 999, 10},
                             {"gap_UpDown2", 0, 999, 10},
                             {"gap_UpDown20", 0, 999, 10},
                             {"passive_odds_UpDown3", 0, 100, 10},
                             {"passive_odds_UpDown20", 0, 100, 10}});
  expectSliders(page.get(), {{"switch_quota_Tb1", 1, 1000, 100},
                             {"switch_quota_Tb10", 1, 1000, 100},
                             {"feedback_delay1", 0, 100000, 5000},
                             {"feedback_delay10", 0, 100000, 5000}});
  EXPECT_EQ(child<QSlider>(page.get(), "feedback_delay5")->tickInterval(), 100);
  EXPECT_NE(page->findChild<SpinButton*>("lights_onCtrl"), nullptr);
  EXPECT_NE(page->findChild<SpinButton*>("lights_offCtrl"), nullptr);

  // Check boxes and toggles as designed: recording is muted during playbacks, nothing else set.
  for (const char* name : {"playback_mute_rec1", "playback_mute_rec6", "playback_mute_rec10"})
    EXPECT_TRUE(child<QCheckBox>(page.get(), name)->isChecked()) << name;
  for (const char* name : {"dont_train_at_night", "session1", "session20", "enable_quota1", "random_switch0",
                           "auto_scroll19", "switch_lists1", "biofeedback10"})
    EXPECT_FALSE(child<QCheckBox>(page.get(), name)->isChecked()) << name;
  for (const char* name : {"lock0", "session_lock1", "train1a", "trigger1"}) {
    auto* b = child<QToolButton>(page.get(), name);
    EXPECT_TRUE(b->isCheckable()) << name;
    EXPECT_FALSE(b->isChecked()) << name;
  }
}

TEST(PlaybacksPage, VisibleAndEnabledAtStart) {
  PagePtr page(buildPlaybacksPage());
  // Hidden until switched on: session and passive panels, quota read-outs, the second
  // lists and their drop-downs (one-list mode), the peaks controls.
  expectHidden(page.get(),
               {"session_panel1", "session_panel20", "passive_panel1", "passive_panel13", "quota1", "quota_UpDown1",
                "quota20", "quota_UpDown20", "list_1a", "list_10a", "session_playback_list0",
                "session_playback_list19", "feedback_delay1", "delay1", "tl1", "feedback_delay10", "delay10", "tl10"},
               true);
  expectHidden(page.get(),
               {"session1", "session20", "enable_quota1", "gap1", "gap_UpDown1", "session_playback_control0",
                "session_hours1", "session_min40", "playbacks_0", "playbacks_19", "playbacks_folder1", "lock3",
                "playback_mute_rec4", "switch_lists2", "train5a", "session_lock5", "trigger3", "biofeedback3"},
               false);
  for (const char* name : {"play0", "play7", "play19"})
    EXPECT_FALSE(child<QPushButton>(page.get(), name)->isEnabled()) << name;
  for (const char* name : {"input0", "reset_counts0", "playbacks_folder0", "Update_lists"})
    EXPECT_TRUE(page->findChild<QWidget*>(name)->isEnabled()) << name;
  // The twenty lists scroll inside the sound scroll box.
  auto* scroll = child<QScrollArea>(page.get(), "sound_scrollBox");
  ASSERT_NE(scroll, nullptr);
  EXPECT_NE(scroll->widget()->findChild<FileListBox*>("playbacks_19"), nullptr);
}

TEST(PlaybacksPage, FitsThePageAreaWithEverythingShown) {
  PagePtr page(buildPlaybacksPage());
  expectFitsPageArea(page.get());
  revealAll(page.get());
  expectFitsPageArea(page.get());
}

// One-list mode shows the first lists two to a row; two-list mode puts each channel's
// second list beside its first, with nothing re-arranged but the second lists shown.
TEST(PlaybacksPage, SoundListsFillTwoColumnsInEitherMode) {
  PagePtr page(buildPlaybacksPage());
  page->findChild<QTabWidget*>()->setCurrentIndex(1);
  page->resize(1030, 800);
  page->show();
  QApplication::processEvents();
  auto topLeftOf = [&](const char* name) {
    auto* w = page->findChild<QWidget*>(name);
    return w ? w->mapTo(page.get(), QPoint(0, 0)) : QPoint(-1, -1);
  };
  auto* scroll = child<QScrollArea>(page.get(), "sound_scrollBox");
  ASSERT_NE(scroll, nullptr);
  EXPECT_EQ(topLeftOf("list_panel1").y(), topLeftOf("list_panel2").y());
  EXPECT_GT(topLeftOf("list_panel2").x(), topLeftOf("list_panel1").x());
  EXPECT_GT(topLeftOf("list_panel3").y(), topLeftOf("list_panel1").y());
  const int oneListHeight = scroll->widget()->height();

  for (int n = 1; n <= 10; ++n) page->findChild<QWidget*>(QString("list_%1a").arg(n))->show();
  QApplication::processEvents();
  EXPECT_EQ(topLeftOf("list_1a").y(), topLeftOf("list_panel1").y());
  EXPECT_GT(topLeftOf("list_1a").x(), topLeftOf("list_panel1").x());
  EXPECT_EQ(topLeftOf("list_panel2").x(), topLeftOf("list_panel1").x());
  EXPECT_GT(topLeftOf("list_panel2").y(), topLeftOf("list_panel1").y());
  EXPECT_EQ(topLeftOf("list_10a").y(), topLeftOf("list_panel10").y());
  // Twice the rows: the scroll box's content grows to hold them.
  EXPECT_GT(scroll->widget()->height(), oneListHeight * 3 / 2);
  // Every list lies inside the content's width: nothing is cut off at the right.
  for (const char* name : {"list_1a", "list_10a"}) {
    auto* w = page->findChild<QWidget*>(name);
    EXPECT_LE(w->geometry().right(), scroll->widget()->width()) << name;
  }
}

// ---------------------------------------------------------------- "Operant devices"

TEST(DevicesPage, HasItsThreeSubPagesAndUniqueNames) {
  PagePtr page(buildDevicesPage());
  EXPECT_EQ(page->objectName(), "devices");
  expectSubPages(page.get(), {"devices_settings", "devices_operant_playbacks", "devices_instrumentation"},
                 {"settings", "operant playbacks", "operant instrumentation"});
  expectUniqueNames(page.get());
}

TEST(DevicesPage, FamiliesAreNumberedAsTheComponentArrays) {
  PagePtr page(buildDevicesPage());
  expectFamilies(page.get(), {{"detect%1", 1, 20, &Shape::staticMetaObject},
                              {"p%1", 1, 40, &NumLab::staticMetaObject},
                              {"l%1", 1, 40, &NumLab::staticMetaObject},
                              {"p%1s", 1, 40, &SpinButton::staticMetaObject},
                              {"l%1s", 1, 40, &SpinButton::staticMetaObject},
                              {"port%1", 0, 6, &RadioGroup::staticMetaObject},
                              {"key_effect%1", 1, 20, &QCheckBox::staticMetaObject},
                              {"effect_duration%1", 1, 20, &QSlider::staticMetaObject},
                              {"effect_durationNum%1", 1, 20, &NumLab::staticMetaObject},
                              {"effect_delay%1", 1, 20, &QSlider::staticMetaObject},
                              {"effect_delayNum%1", 1, 20, &NumLab::staticMetaObject}});
}

// Key k's detector is slot 2k+1 and its effector slot 2k+2; the values are those in force
// when the wiring table cannot be read.
TEST(DevicesPage, KeyWiringStartsAtItsDesignedPortsAndLines) {
  PagePtr page(buildDevicesPage());
  const int detector[20][2] = {{0, 0}, {2, 1}, {0, 4}, {2, 3}, {1, 0}, {2, 5}, {1, 4}, {2, 7}, {0, 3}, {0, 7},
                               {1, 3}, {1, 7}, {0, 2}, {0, 6}, {0, 2}, {0, 6}, {0, 2}, {0, 6}, {0, 2}, {0, 6}};
  const int effector[20][2] = {{0, 1}, {2, 0}, {0, 5}, {2, 2}, {1, 1}, {2, 4}, {1, 5}, {1, 5}, {3, 0}, {3, 1},
                               {3, 2}, {3, 3}, {3, 4}, {3, 5}, {3, 4}, {3, 5}, {3, 4}, {3, 5}, {3, 4}, {3, 5}};
  auto* wiring = child<QFrame>(page.get(), "NI_panel");
  ASSERT_NE(wiring, nullptr);
  for (int k = 0; k < 20; ++k) {
    SCOPED_TRACE(k);
    const struct {
      int slot;
      const int* value;
      bool shown;
    } wiringSlots[] = {{2 * k + 1, detector[k], true}, {2 * k + 2, effector[k], false}};
    for (const auto& s : wiringSlots) {
      auto* port = wiring->findChild<NumLab*>(QString("p%1").arg(s.slot));
      auto* line = wiring->findChild<NumLab*>(QString("l%1").arg(s.slot));
      ASSERT_NE(port, nullptr);
      ASSERT_NE(line, nullptr);
      EXPECT_EQ(port->value(), s.value[0]) << "slot " << s.slot;
      EXPECT_EQ(line->value(), s.value[1]) << "slot " << s.slot;
      for (QWidget* w : {static_cast<QWidget*>(port), static_cast<QWidget*>(line),
                         wiring->findChild<QWidget*>(QString("p%1s").arg(s.slot)),
                         wiring->findChild<QWidget*>(QString("l%1s").arg(s.slot))})
        EXPECT_EQ(w->isHidden(), !s.shown) << w->objectName().toStdString();
    }
    EXPECT_NE(wiring->findChild<Shape*>(QString("detect%1").arg(k + 1)), nullptr);
  }
  // Ten groups of two detectors, each detector with a "Port:" and a "Line:" row shown.
  for (int k = 1; k <= 20; ++k) EXPECT_EQ(labelsReading(wiring, QString("detector %1").arg(k)), 1) << k;
  int shownPortRows = 0;
  for (QLabel* l : wiring->findChildren<QLabel*>())
    if (l->text() == "Port:" && !l->isHidden()) ++shownPortRows;
  EXPECT_EQ(shownPortRows, 20);
}

TEST(DevicesPage, CardSettingsAndInstrumentation) {
  PagePtr page(buildDevicesPage());
  expectCaptions(page.get(), {{"NIcard_exists", "Enable Operant Training (NI card installed)"},
                              {"help_keys", "Help"},
                              {"enable_operant", "operant instrumentation (e.g., open food dispenser)"},
                              {"key_effect1", "effect 1 on for"},
                              {"key_effect20", "effect 20 on for"},
                              {"passive_effect", "Passive"}});
  EXPECT_TRUE(child<QLabel>(page.get(), "LinkLabel3")->text().contains(">Help</a>"));
  for (const char* text :
       {"Device ID", "Ports", "Operant timer interval:", "Each detector will trigger its paird effector as follows:",
        "Effector will be activated only if song number", "(in the song-list) is equal or less then:"})
    EXPECT_EQ(labelsReading(page.get(), text), 1) << text;
  expectSliders(page.get(), {{"NI_device_num", 1, 10, 1},
                             {"num_ports", 0, 6, 3},
                             {"timer_interval", 1, 300, 100},
                             {"effect_duration1", 1, 100, 1},
                             {"effect_duration20", 1, 100, 1},
                             {"effect_delay1", 1, 3600, 1},
                             {"effect_delay2", 1, 100, 1},
                             {"effect_delay20", 1, 100, 1},
                             {"passive_duration", 1, 100, 2},
                             {"passive_delay", 1, 100, 2},
                             {"gonogo_thresh", 0, 20, 0}});
  expectNumbers(page.get(), {{"NInum", 1, "1"},
                             {"num_portsVal", 3, "3"},
                             {"timer_val", 100, "100"},
                             {"effect_durationNum7", 1, "1"},
                             {"effect_delayNum1", 1, "1"},
                             {"passive_durationN", 2, "2"},
                             {"passive_delayN", 2, "2"},
                             {"gonogo_num", 1, "1"}});
  const int designedOutput[6] = {0, 0, 1, 0, 0, 1};
  for (int p = 0; p < 6; ++p) {
    auto* g = child<RadioGroup>(page.get(), QString("port%1").arg(p));
    ASSERT_NE(g, nullptr);
    ASSERT_EQ(g->count(), 2);
    EXPECT_EQ(g->item(0), "input");
    EXPECT_EQ(g->item(1), "output");
    EXPECT_EQ(g->itemIndex(), designedOutput[p]) << "port" << p;
  }
  EXPECT_FALSE(child<QCheckBox>(page.get(), "NIcard_exists")->isChecked());
  EXPECT_FALSE(child<QCheckBox>(page.get(), "enable_operant")->isChecked());
  expectHidden(page.get(), {"NI_panel", "operant_tasks"}, true);
  expectHidden(page.get(), {"timer_interval", "timer_val", "NIcard_exists", "enable_operant", "help_keys"}, false);
  // The effector settings live behind the instrumentation box.
  auto* tasks = child<QFrame>(page.get(), "operant_tasks");
  for (const char* name : {"key_effect1", "effect_delay20", "passive_effect", "gonogo_thresh", "gonogo_num"})
    EXPECT_NE(tasks->findChild<QWidget*>(name), nullptr) << name;
  EXPECT_EQ(tasks->findChild<QWidget*>("timer_interval"), nullptr);
  int goNoGo = 0;
  for (QGroupBox* g : tasks->findChildren<QGroupBox*>())
    if (g->title() == "Go-No-Go" && g->findChild<QSlider*>("gonogo_thresh")) ++goNoGo;
  EXPECT_EQ(goNoGo, 1);
}

TEST(DevicesPage, FitsThePageAreaWithEverythingShown) {
  PagePtr page(buildDevicesPage());
  expectFitsPageArea(page.get());
  revealAll(page.get());
  expectFitsPageArea(page.get());
}

// ---------------------------------------------------------------- both, in one window

// The window finds a control by name, so no name of these two pages may appear on another.
TEST(PlaybacksAndDevicesPages, NamesAreUniqueAcrossTheWindow) {
  PagePtr playbacks(buildPlaybacksPage());
  PagePtr devices(buildDevicesPage());
  QSet<QString> mine;
  for (QWidget* p : {playbacks.get(), devices.get()})
    for (const QString& n : namesIn(p)) {
      EXPECT_FALSE(mine.contains(n)) << "on both pages: " << n.toStdString();
      mine.insert(n);
    }
  for (QWidget* other : {buildMainPage(), buildRecordingPage(), buildAnimalsPage(), buildLogPage()}) {
    PagePtr owner(other);
    for (const QString& n : namesIn(other))
      EXPECT_FALSE(mine.contains(n)) << n.toStdString() << " also on " << other->objectName().toStdString();
  }
}
