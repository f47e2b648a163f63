// The "Main" page: the top bar (clock, training state, engine buttons) and the ten
// channel panels with their recording view, bars, training box, keys and counters.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "recording/component/ztbird.h"
#include "recording/component/ztbirdengine.h"
#include "shell/pages/build_helpers.h"
#include "widgets/colours.h"
#include "shell/pages/pages.h"

using namespace pages;

namespace {

// The small loudspeaker picture that marks a channel with a passive session.
QPixmap speakerPicture() {
  QPixmap pm(18, 18);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 30, 30));
  p.drawRect(2, 6, 5, 6);
  QPolygon cone;
  cone << QPoint(7, 6) << QPoint(12, 2) << QPoint(12, 16) << QPoint(7, 12);
  p.drawPolygon(cone);
  p.setPen(QPen(QColor(0, 128, 128), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawArc(11, 5, 6, 8, -60 * 16, 120 * 16);
  return pm;
}

// A vertical bar with its read-out above it.
QWidget* barColumn(QWidget* readout, QWidget* bar, const QString& tip) {
  auto* w = new QWidget;
  auto* v = new QVBoxLayout(w);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(1);
  if (readout) v->addWidget(readout, 0, Qt::AlignHCenter);
  v->addWidget(bar, 1, Qt::AlignHCenter);
  w->setToolTip(tip);
  return w;
}

QFrame* channelPanel(int n) {
  auto* panel = pages::panel(QString("rec_panel%1").arg(n));
  panel->setFrameShape(QFrame::Box);
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(3, 3, 3, 3);
  row->setSpacing(3);

  // Settings button and activation box above the recording view.
  auto* viewCol = new QVBoxLayout;
  viewCol->setSpacing(2);
  auto* head = new QHBoxLayout;
  auto* options = button(QString("options%1").arg(n), QString::number(n));
  options->setFixedWidth(30);
  options->setToolTip("channel settings");
  head->addWidget(options);
  head->addWidget(checkBox(QString("active%1").arg(n), "Active"));
  head->addStretch(1);
  auto* fb = label(QString("feedbackL%1").arg(n), "feedback");
  fb->setStyleSheet("color: rgb(128,0,128); font-weight: bold;");
  fb->setVisible(false);
  head->addWidget(fb);
  viewCol->addLayout(head);
  auto* bird = named(new TztBird, QString("ztBird%1").arg(n));
  bird->setMinimumSize(150, 95);
  viewCol->addWidget(bird, 1);
  row->addLayout(viewCol, 1);

  // Threshold, gain and volume bars with their read-outs.
  auto* thr = trackBar(QString("trckThreshold%1").arg(n), 0, 160, 0, Qt::Vertical);
  thr->setInvertedAppearance(false);
  row->addWidget(barColumn(numLab(QString("thresh%1").arg(n), 11), thr, "threshold"));
  row->addWidget(barColumn(numLab(QString("gainN%1").arg(n), 0),
                           trackBar(QString("gain%1").arg(n), -50, 0, 0, Qt::Vertical), "gain"));
  row->addWidget(barColumn(label({}, "vol"), trackBar(QString("vol%1").arg(n), 0, 4, 0, Qt::Vertical),
                           "playback volume"));
  auto* rec = progressBar(QString("recorded%1").arg(n), 0, 5000, Qt::Vertical);
  rec->setFixedWidth(10);
  rec->setToolTip(
      "This bar indicated number of recording session that passed threshold since the morning  (max=1000)");
  row->addWidget(rec);

  // Training: the box with its notice, the two keys with their counters, the passive sign.
  auto* train = new QGridLayout;
  train->setSpacing(2);
  auto* box = shape(QString("Box%1").arg(n), Shape::Kind::Rectangle, Qt::black);
  box->setFixedSize(64, 30);
  auto* err = label(QString("playback_error%1").arg(n), "Nothing to play", box);
  err->setStyleSheet("color: yellow; background: black; font-size: 8pt;");
  err->setAlignment(Qt::AlignCenter);
  err->setGeometry(1, 8, 62, 14);
  err->setVisible(false);
  train->addWidget(box, 0, 0, 1, 2);
  auto* k1 = shape(QString("key%1").arg(2 * n - 1), Shape::Kind::Circle, Qt::yellow);
  auto* k2 = shape(QString("key%1").arg(2 * n), Shape::Kind::Circle, Qt::yellow);
  for (Shape* k : {k1, k2}) {
    k->setFixedSize(14, 14);
    k->setVisible(false);
  }
  auto* keys = new QHBoxLayout;
  keys->setSpacing(2);
  keys->addWidget(k1);
  keys->addWidget(numLab(QString("Playbacks%1").arg(2 * n - 1), 0));
  keys->addWidget(k2);
  keys->addWidget(numLab(QString("Playbacks%1").arg(2 * n), 0));
  train->addLayout(keys, 1, 0, 1, 2);
  auto* playing = label(QString("playing%1").arg(n), {});
  playing->setPixmap(speakerPicture());
  playing->setVisible(false);
  auto* passive = new QHBoxLayout;
  passive->addWidget(playing);
  passive->addWidget(numLab(QString("passive_played%1").arg(n), 0));
  passive->addStretch(1);
  train->addLayout(passive, 2, 0, 1, 2);
  train->addWidget(toggleButton(QString("train%1").arg(n), "Train", "start training"), 3, 0);
  train->addWidget(button(QString("Reset%1").arg(n), "Reset", "erase pecks"), 3, 1);
  auto* trainBox = new QWidget;
  trainBox->setLayout(train);
  trainBox->setFixedWidth(120);
  row->addWidget(trainBox);
  return panel;
}

}  // namespace

QWidget* buildMainPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet8");
  auto* v = new QVBoxLayout(page);
  v->setContentsMargins(4, 4, 4, 4);
  v->setSpacing(3);

  auto* bar = panel("Panel21");
  auto* h = new QHBoxLayout(bar);
  h->setContentsMargins(6, 3, 6, 3);
  auto* clock = label("Label1", "--:--:--");
  clock->setStyleSheet("font: bold 12pt monospace;");
  clock->setMinimumWidth(90);
  h->addWidget(clock);
  h->addWidget(toggleButton("stat", "Stats", "show recording statistics"));
  auto* state = label("sessionLb", "Playbacks");
  state->setAlignment(Qt::AlignCenter);
  state->setMinimumWidth(110);
  state->setStyleSheet("font-weight: bold; padding: 2px 6px;");
  colours::setBackground(state, colours::Teal);
  h->addWidget(state);
  h->addWidget(toggleButton("display", "Wider", "change the size of the channel panels"));
  h->addSpacing(16);
  auto* start = button("btnStartEngine", "Start", "start recording");
  auto* stop = button("btnStopEngine", "Stop", "stop recording");
  stop->setEnabled(false);
  h->addWidget(start);
  h->addWidget(stop);
  h->addWidget(button("save_config", "Save", "save configuration"));
  h->addStretch(1);
  auto* engine = named(new TztBirdEngine, "ztBirdEngine1");
  engine->setFixedSize(12, 12);
  h->addWidget(engine);
  auto* help = label("LinkLabel1", "<a href=\"https://tirra.example.org/manual/recording\">Help</a>");
  help->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  help->setOpenExternalLinks(false);
  h->addWidget(help);
  v->addWidget(bar);

  auto* wait = label("wait", QString(34, ' ') + "Please wait");
  wait->setStyleSheet("color: red; font: bold 11pt;");
  v->addWidget(wait);

  auto* grid = new QGridLayout;
  grid->setObjectName("channel_grid");
  grid->setSpacing(3);
  for (int n = 1; n <= 10; ++n) grid->addWidget(channelPanel(n), (n - 1) / 2, (n - 1) % 2);
  v->addLayout(grid, 1);
  return page;
}
