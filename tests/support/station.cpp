#include "support/station.h"

#include "platform/clock.h"
#include "platform/errorguard.h"

namespace tirra::test {

Station::Station(const QDateTime& now, const QString& password) {
  setNow(now);
  home_.writeProperties(db_.name(), password);
  form_ = std::make_unique<TForm1>();
  form_->Timer1->stop();
  // The animals window, as the program creates it after the main window.
  animals_ = std::make_unique<Tanimals_form>(form_->MyConnection1, form_.get());
  form_->animals_form = animals_.get();
}

Station::~Station() {
  animals_.reset();
  form_.reset();
  clearFixedNow();
}

void Station::tick(int times) {
  for (int i = 0; i < times; ++i) guard([this] { form_->Timer1Timer(); });
}

void Station::start() {
  form_->show();
  tick();
}

std::unique_ptr<TForm1> startStationHere() {
  auto form = std::make_unique<TForm1>();
  form->Timer1->stop();
  form->show();
  guard([&] { form->Timer1Timer(); });
  return form;
}

}  // namespace tirra::test
