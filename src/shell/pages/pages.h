#pragma once
// The six pages of the main window. Each builder makes its page's widget tree, every
// widget carrying its design name as objectName, with the designed captions, hints,
// ranges, defaults, visibility and enabled state. Builders connect no handlers: the
// window finds the widgets by name and connects them (shell/form_connect.cpp).
class QWidget;

QWidget* buildMainPage();        // "Main"            objectName TabSheet8
QWidget* buildRecordingPage();   // "Recording"       objectName TabSheet2
QWidget* buildPlaybacksPage();   // "Playbacks"       objectName TabSheet5
QWidget* buildDevicesPage();     // "Operant devices" objectName devices
QWidget* buildAnimalsPage();     // "Animals"         objectName TabSheet9
QWidget* buildLogPage();         // "Log && options"  objectName TabSheet4
