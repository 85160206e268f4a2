#include "widgets/quantity_edit.h"

#include "widgets/leave_check.h"

namespace korvela {

TQuantityEdit::TQuantityEdit(TQuantityKind kind, const QString& caption, TConfigurator& config,
                             TPrompter& prompter, QWidget* parent)
    : TLabeledEdit(caption, parent), config_(config), prompter_(prompter), entry_(config, kind) {
  SetUnit(QString::fromStdString(entry_.UnitLabel()));
  connect(Edit(), &QLineEdit::editingFinished, this, &TQuantityEdit::EditingFinished);
  metricHandle_ =
      config_.Register(TConfigurator::TNotice::MetricSystem, [this] { SettingsChanged(); });
  charHandle_ =
      config_.Register(TConfigurator::TNotice::FloatingChar, [this] { SettingsChanged(); });
}

TQuantityEdit::~TQuantityEdit() {
  config_.Unregister(metricHandle_);
  config_.Unregister(charHandle_);
}

double TQuantityEdit::Value() {
  entry_.SetText(Edit()->text().toStdString());
  return entry_.Value();
}

void TQuantityEdit::SetValue(double metric) {
  entry_.SetValue(metric);
  Edit()->setText(QString::fromStdString(entry_.Text()));
}

void TQuantityEdit::SetLimits(double lower, double upper) {
  entry_.MinValue = lower;
  entry_.MaxValue = upper;
}

bool TQuantityEdit::Validate() {
  entry_.SetText(Edit()->text().toStdString());
  const TQuantityEntry::TCheck check = entry_.Validate(true);
  Edit()->setText(QString::fromStdString(entry_.Text()));
  if (check.ok) return true;
  prompter_.Warn(check.message);
  Edit()->setFocus();
  return false;
}

void TQuantityEdit::EditingFinished() {
  entry_.SetText(Edit()->text().toStdString());
  const TQuantityEntry::TCheck check = entry_.Validate(false);
  if (check.ok) {
    Edit()->setText(QString::fromStdString(entry_.Text()));
    return;
  }
  if (!LeaveCheckWanted(Edit())) return;
  prompter_.Warn(check.message);
  Edit()->setFocus();
}

void TQuantityEdit::SettingsChanged() {
  entry_.SetText(Edit()->text().toStdString());
  entry_.Refresh();
  Edit()->setText(QString::fromStdString(entry_.Text()));
  SetUnit(QString::fromStdString(entry_.UnitLabel()));
}

}  // namespace korvela
