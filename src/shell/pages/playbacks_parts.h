#pragma once
// The larger sub-pages of the "Playbacks" page, each in a file of its own: the twenty
// sound lists ("sounds") and the twenty session editors ("sessions").
class QWidget;

namespace pages {

QWidget* buildPlaybackSoundsPage();    // objectName playbacks_sounds
QWidget* buildPlaybackSessionsPage();  // objectName playbacks_sessions

}  // namespace pages
