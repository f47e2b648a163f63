#pragma once
// The key-wiring sub-page of "Operant devices" ("operant playbacks"), in a file of its own:
// the detector display and the port and line of every key.
class QWidget;

namespace pages {

QWidget* buildKeyWiringPage();  // objectName devices_operant_playbacks

}  // namespace pages
