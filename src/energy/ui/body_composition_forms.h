#pragma once
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include "app/program.h"
#include "users/prompter.h"
#include "widgets/chart.h"
#include "widgets/labeled_edit.h"
#include "widgets/quantity_edit.h"

namespace korvela {

// The body composition calculators. None of them stores anything.

// "Body Mass Index Calculations".
class TFBodyMassIndex final : public QDialog {
  Q_OBJECT
 public:
  TFBodyMassIndex(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

 private:
  void CalculateButtonClick();

  TProgram& program_;
  TWeightEdit* weightEdit_ = nullptr;
  TDistEdit* heightEdit_ = nullptr;
  QLabel* bmiLabel_ = nullptr;
};

// "Lean Body Mass and Fat Mass Calculator".
class TFLeanBodyMass final : public QDialog {
  Q_OBJECT
 public:
  TFLeanBodyMass(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

 private:
  void CalculateButtonClick();

  TProgram& program_;
  TPrompter& prompter_;
  TWeightEdit* weightEdit_ = nullptr;
  TLabeledEdit* bodyFatEdit_ = nullptr;
  TWeightEdit* leanEdit_ = nullptr;
  TWeightEdit* fatEdit_ = nullptr;
};

// "Body Composition Analysis": the lean and fat mass of two bodyweights
// side by side.
class TFCompareBodies final : public QDialog {
  Q_OBJECT
 public:
  TFCompareBodies(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

  TChart* Chart() const { return chart_; }

 private:
  QWidget* BuildBodyweight(int number, TWeightEdit*& weight, TLabeledEdit*& bodyFat);
  void CompareButtonClick();

  TProgram& program_;
  TPrompter& prompter_;
  TWeightEdit* weight1Edit_ = nullptr;
  TLabeledEdit* bodyFat1Edit_ = nullptr;
  TWeightEdit* weight2Edit_ = nullptr;
  TLabeledEdit* bodyFat2Edit_ = nullptr;
  TChart* chart_ = nullptr;
  QLabel* resultLabel_ = nullptr;
};

// "Predict Body Fat %" from the weight and the waist.
class TFWaistBodyFat final : public QDialog {
  Q_OBJECT
 public:
  TFWaistBodyFat(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

 private:
  void CalculateButtonClick();

  TProgram& program_;
  TPrompter& prompter_;
  TWeightEdit* weightEdit_ = nullptr;
  TDistEdit* waistEdit_ = nullptr;
  QComboBox* sexComboBox_ = nullptr;
  TLabeledEdit* bodyFatEdit_ = nullptr;
};

}  // namespace korvela
