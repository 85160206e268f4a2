#pragma once
#include <QComboBox>
#include <QDialog>
#include <QPointer>

#include "app/program.h"
#include "users/prompter.h"
#include "widgets/grid.h"
#include "widgets/quantity_edit.h"

namespace korvela {

// "Calculate Maximal Strength": the weight lifted to failure and the
// repetitions give the one-repetition maximum and the weight for every
// repetition count from 1 to 20. Nothing is stored.
class TFMaxStrength final : public QDialog {
  Q_OBJECT
 public:
  TFMaxStrength(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

  TMyGrid* Grid() const { return grid_; }

 private:
  void CalculateButtonClick();
  // Fills the columns; the weight column stays empty for a negative 1RM.
  void ShowProfile(double oneRMKg);

  TProgram& program_;
  TPrompter& prompter_;
  TWeightEdit* weightEdit_;
  QComboBox* repsComboBox_;
  TMyGrid* grid_;
};

// "Prilepin's Table": a read-only table beside the screen that opened it.
class TFPrilepin final : public QDialog {
  Q_OBJECT
 public:
  TFPrilepin(TProgram& program, QWidget* parent = nullptr);

  TMyGrid* Grid() const { return grid_; }

 private:
  TMyGrid* grid_;
};

// Opens Prilepin's table without blocking its owner, or brings the one
// already open to the front. The window goes when it is closed or when its
// owner goes. Returns the window shown.
TFPrilepin* ShowPrilepinTable(TProgram& program, QWidget* owner);

}  // namespace korvela
