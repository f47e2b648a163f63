// The "sounds" sub-page of "Playbacks": the twenty sound lists, two per channel. Each
// channel has a row with its first list and, in two-list mode, its second ("a") list.
// The first list carries the channel's lock and mute boxes, the second the list switch.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

#include "shell/pages/build_helpers.h"
#include "shell/pages/playbacks_parts.h"

namespace pages {

namespace {

constexpr int kListPanelWidth = 492;

QString listTitle(int l) {
  const int channel = l / 2 + 1;
  return QString("Sound list %1%2").arg(channel).arg(l % 2 ? "a" : "");
}

// Channels 6 and 7 were captioned in lower case at design; the stored captions keep that.
QString muteCaption(int channel) {
  return channel == 6 || channel == 7 ? "don't record playbacks" : "Don't record playbacks";
}

QString switchCaption(int channel) {
  return channel == 6 || channel == 9 || channel == 10 ? "Switch lists every" : "Switch every session";
}

// Controls of list l: folder, files, play and counts. Returns the panel; extra rows for
// the channel-wide boxes go below row 6 of its grid.
QFrame* listPanel(int l, const QString& panelName, QGridLayout** gridOut) {
  auto* p = panel(panelName);
  p->setFrameShape(QFrame::Box);
  p->setMaximumWidth(kListPanelWidth);
  auto* g = new QGridLayout(p);
  g->setContentsMargins(5, 4, 5, 4);
  g->setHorizontalSpacing(5);
  g->setVerticalSpacing(2);

  auto* files = fileList(QString("playbacks_%1").arg(l));
  files->setFixedWidth(170);
  files->setMinimumHeight(120);
  files->setToolTip("click a file to make it the channel's playback sound");
  g->addWidget(files, 0, 0, 8, 1);

  auto* title = label({}, listTitle(l));
  title->setStyleSheet("font-weight: bold;");
  g->addWidget(title, 0, 1, 1, 3);

  auto* folderRow = new QHBoxLayout;
  folderRow->setSpacing(3);
  folderRow->addWidget(edit(QString("playbacks_folder%1").arg(l), "c:\\tirra\\in0\\",
                            "click 'hold on' to enable"),
                       1);
  auto* choose = button(QString("input%1").arg(l), "Folder...", "choose the folder of this list");
  choose->setFixedWidth(70);
  folderRow->addWidget(choose);
  g->addLayout(folderRow, 1, 1, 1, 3);

  auto* playRow = new QHBoxLayout;
  playRow->setSpacing(4);
  auto* play = button(QString("play%1").arg(l), "Play", "play sound");
  play->setEnabled(false);
  play->setFixedWidth(60);
  playRow->addWidget(play);
  auto* reset = button(QString("reset_counts%1").arg(l), "Reset", "erase pecks");
  reset->setFixedWidth(60);
  playRow->addWidget(reset);
  playRow->addSpacing(8);
  playRow->addWidget(label({}, "Played:"));
  auto* count = numLab(QString("Play_counts%1").arg(l), 0);
  count->setMinimumWidth(36);
  count->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  playRow->addWidget(count);
  playRow->addStretch(1);
  g->addLayout(playRow, 2, 1, 1, 3);

  auto* song = label(QString("song%1").arg(l), "Playing (empty)");
  song->setStyleSheet("color: rgb(0,0,128);");
  // A long file name must not widen the panel.
  song->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  g->addWidget(song, 3, 1, 1, 3);

  g->addWidget(checkBox(QString("random_switch%1").arg(l), "randomly select sounds"), 4, 1, 1, 3);
  g->addWidget(checkBox(QString("auto_scroll%1").arg(l), "auto-scroll sounds"), 5, 1, 1, 3);
  g->setColumnStretch(3, 1);
  g->setRowStretch(7, 1);
  *gridOut = g;
  return p;
}

QWidget* channelRow(int channel) {
  const int first = 2 * (channel - 1);
  auto* row = new QWidget;
  auto* h = new QHBoxLayout(row);
  h->setContentsMargins(0, 0, 0, 0);
  h->setSpacing(6);

  QGridLayout* g = nullptr;
  QFrame* a = listPanel(first, QString("list_panel%1").arg(channel), &g);
  auto* mute = checkBox(QString("playback_mute_rec%1").arg(channel), muteCaption(channel), true);
  g->addWidget(mute, 6, 1, 1, 2);
  auto* lock = toggleButton(QString("lock%1").arg(channel - 1), "Lock",
                            "locking will prevent accidental changes of playbacks");
  lock->setFixedWidth(60);
  g->addWidget(lock, 0, 3, Qt::AlignRight);
  h->addWidget(a, 1);

  QFrame* b = listPanel(first + 1, QString("list_%1a").arg(channel), &g);
  auto* switchRow = new QHBoxLayout;
  switchRow->setSpacing(4);
  switchRow->addWidget(checkBox(QString("switch_lists%1").arg(channel), switchCaption(channel)));
  auto* every = trackBar(QString("switch_quota_Tb%1").arg(channel), 1, 1000, 100);
  every->setMinimumWidth(60);
  every->setToolTip("playbacks between two switches of the lists");
  switchRow->addWidget(every, 1);
  auto* n = numLab(QString("switch_quota%1").arg(channel), 100);
  n->setMinimumWidth(30);
  switchRow->addWidget(n);
  switchRow->addWidget(label({}, "Playbacks"));
  g->addLayout(switchRow, 6, 1, 1, 3);
  b->setVisible(false);  // one list per session at start
  h->addWidget(b, 1);
  h->addStretch(0);
  return row;
}

}  // namespace

QWidget* buildPlaybackSoundsPage() {
  auto* page = new QWidget;
  page->setObjectName("playbacks_sounds");
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(6, 6, 6, 6);
  v->setSpacing(6);

  auto* top = new QHBoxLayout;
  top->addWidget(radioGroup("mode", "Sound lists", {"one  list per session", "Two lists per session"}, 0,
                            nullptr, Qt::Horizontal));
  top->addSpacing(12);
  auto* update = button("Update_lists", "Update Sound Lists", "read every list's folder again");
  top->addWidget(update, 0, Qt::AlignVCenter);
  top->addStretch(1);
  auto* help = label("LinkLabel2", "<a href=\"https://tirra.example.org/manual/playbacks\">Help</a>");
  help->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  help->setOpenExternalLinks(false);
  top->addWidget(help, 0, Qt::AlignVCenter);
  v->addLayout(top);

  auto* scroll = named(new QScrollArea, "sound_scrollBox");
  scroll->setWidgetResizable(true);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  auto* lists = new QWidget;
  auto* col = new QVBoxLayout(lists);
  col->setContentsMargins(4, 4, 4, 4);
  col->setSpacing(6);
  for (int channel = 1; channel <= 10; ++channel) col->addWidget(channelRow(channel));
  col->addStretch(1);
  scroll->setWidget(lists);
  v->addWidget(scroll, 1);
  return page;
}

}  // namespace pages
