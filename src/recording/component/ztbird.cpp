#include "recording/component/ztbird.h"

#include "recording/component/ztbirdengine.h"

TztBird::TztBird(QWidget* parent) : QWidget(parent) {}
TztBird::~TztBird() = default;

std::int32_t TztBird::GetLongValue(int id) const { return longs_.value(id, 0); }
void TztBird::SetLongValue(int id, std::int32_t value) { longs_[id] = value; }
QString TztBird::GetStringValue(int id) const { return strings_.value(id); }
void TztBird::SetStringValue(int id, const QString& text) { strings_[id] = text; }
float TztBird::GetFloatValue(int id) const { return floats_.value(id, 0.0f); }
void TztBird::SetFloatValue(int id, float value) { floats_[id] = value; }

void TztBird::TriggerSound() {}
void TztBird::InvokeConfigureDlg() {}
