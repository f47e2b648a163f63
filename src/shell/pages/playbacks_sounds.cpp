// The "sounds" sub-page of "Playbacks": the twenty sound lists, two per channel, in
// channel order. In one-list mode only the first lists show, two to a row; in two-list
// mode each channel's first list and second ("a") list share a row. The first list carries
// the channel's lock and mute boxes, the second the list switch.
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

#include "shell/pages/build_helpers.h"
#include "shell/pages/playbacks_flowlayout.h"
#include "shell/pages/playbacks_parts.h"

namespace pages {

namespace {

constexpr int kListPanelWidth = 480;  // two fit side by side in the scroll box

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

// Controls of list l beside its file list: folder, play and counts, the song last
// chosen, the selection boxes. The caller adds the channel-wide rows below them and the
// lock button to the title row.
struct ListPanel {
  QFrame* frame;
  QHBoxLayout* titleRow;
  QVBoxLayout* controls;
};

ListPanel listPanel(int l, const QString& panelName) {
  auto* p = panel(panelName);
  p->setFrameShape(QFrame::Box);
  p->setFixedWidth(kListPanelWidth);
  auto* h = new QHBoxLayout(p);
  h->setContentsMargins(5, 4, 5, 4);
  h->setSpacing(6);

  auto* files = fileList(QString("playbacks_%1").arg(l));
  files->setFixedWidth(170);
  files->setMinimumHeight(120);
  files->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);  // as tall as the controls beside it
  files->setToolTip("click a file to make it the channel's playback sound");
  h->addWidget(files);

  auto* v = new QVBoxLayout;
  v->setSpacing(2);
  h->addLayout(v, 1);

  auto* titleRow = new QHBoxLayout;
  auto* title = label({}, listTitle(l));
  title->setStyleSheet("font-weight: bold;");
  title->setMinimumHeight(24);  // as tall as the lock button, so both lists' rows line up
  titleRow->addWidget(title);
  titleRow->addStretch(1);
  v->addLayout(titleRow);

  auto* folderRow = new QHBoxLayout;
  folderRow->setSpacing(3);
  folderRow->addWidget(edit(QString("playbacks_folder%1").arg(l), "c:\\tirra\\in0\\",
                            "click 'hold on' to enable"),
                       1);
  auto* choose = button(QString("input%1").arg(l), "Folder...", "choose the folder of this list");
  choose->setFixedWidth(70);
  folderRow->addWidget(choose);
  v->addLayout(folderRow);

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
  v->addLayout(playRow);

  auto* song = label(QString("song%1").arg(l), "Playing (empty)");
  song->setStyleSheet("color: rgb(0,0,128);");
  // A long file name must not widen the panel.
  song->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  v->addWidget(song);

  v->addWidget(checkBox(QString("random_switch%1").arg(l), "randomly select sounds"));
  v->addWidget(checkBox(QString("auto_scroll%1").arg(l), "auto-scroll sounds"));
  return {p, titleRow, v};
}

void addChannelLists(FlowLayout* flow, int channel) {
  const int first = 2 * (channel - 1);
  ListPanel a = listPanel(first, QString("list_panel%1").arg(channel));
  auto* lock = toggleButton(QString("lock%1").arg(channel - 1), "Lock",
                            "locking will prevent accidental changes of playbacks");
  lock->setFixedWidth(60);
  a.titleRow->addWidget(lock);
  a.controls->addWidget(checkBox(QString("playback_mute_rec%1").arg(channel), muteCaption(channel), true));
  a.controls->addStretch(1);
  flow->addWidget(a.frame);

  ListPanel b = listPanel(first + 1, QString("list_%1a").arg(channel));
  b.controls->addWidget(checkBox(QString("switch_lists%1").arg(channel), switchCaption(channel)));
  auto* switchRow = new QHBoxLayout;
  switchRow->setSpacing(4);
  auto* every = trackBar(QString("switch_quota_Tb%1").arg(channel), 1, 1000, 100);
  every->setToolTip("playbacks between two switches of the lists");
  switchRow->addWidget(every, 1);
  auto* n = numLab(QString("switch_quota%1").arg(channel), 100);
  n->setMinimumWidth(34);
  switchRow->addWidget(n);
  switchRow->addWidget(label({}, "Playbacks"));
  b.controls->addLayout(switchRow);
  b.controls->addStretch(1);
  b.frame->setVisible(false);  // one list per session at start
  flow->addWidget(b.frame);
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
  auto* flow = new FlowLayout(lists, 6);
  flow->setContentsMargins(4, 4, 4, 4);
  for (int channel = 1; channel <= 10; ++channel) addChannelLists(flow, channel);
  scroll->setWidget(lists);
  v->addWidget(scroll, 1);
  return page;
}

}  // namespace pages
