#pragma once
#include "users/configurator.h"
#include "users/prompter.h"
#include "users/quantity_entry.h"
#include "widgets/labeled_edit.h"

namespace korvela {

// A weight or length entry: typed and shown in the user's unit, held in
// metric units, validated when left and before a screen accepts its input.
class TQuantityEdit : public TLabeledEdit {
  Q_OBJECT
 public:
  TQuantityEdit(TQuantityKind kind, const QString& caption, TConfigurator& config,
                TPrompter& prompter, QWidget* parent = nullptr);
  ~TQuantityEdit() override;

  TQuantityEntry& Entry() { return entry_; }
  // Metric value, -1 when empty.
  double Value();
  void SetValue(double metric);
  void SetLimits(double lower, double upper);
  // The explicit check: warns, puts the focus back and returns false when the
  // entry is empty or invalid.
  bool Validate();

 private:
  void EditingFinished();
  void SettingsChanged();

  TConfigurator& config_;
  TPrompter& prompter_;
  TQuantityEntry entry_;
  TConfigurator::THandle metricHandle_;
  TConfigurator::THandle charHandle_;
};

// Kilograms; "Weight" in messages.
class TWeightEdit : public TQuantityEdit {
  Q_OBJECT
 public:
  TWeightEdit(const QString& caption, TConfigurator& config, TPrompter& prompter,
              QWidget* parent = nullptr)
      : TQuantityEdit(TQuantityKind::Weight, caption, config, prompter, parent) {}
  double Weight() { return Value(); }
};

// Centimetres; `DistString` names the quantity in messages (default "Height").
class TDistEdit : public TQuantityEdit {
  Q_OBJECT
 public:
  TDistEdit(const QString& caption, TConfigurator& config, TPrompter& prompter,
            QWidget* parent = nullptr)
      : TQuantityEdit(TQuantityKind::Distance, caption, config, prompter, parent) {}
  double Dist() { return Value(); }
  void SetDistString(const std::string& noun) { Entry().DistString = noun; }
};

}  // namespace korvela
