#pragma once
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <optional>
#include <string>

#include "activities/ui/activity_grid.h"
#include "app/program.h"
#include "widgets/labeled_edit.h"

namespace korvela {

// What the MET picker hands back.
struct TPickedMET {
  double MET = 0;
  std::string Activity;
};

// "Select MET": an activity of the dictionary chosen for its MET value.
class TFSelectMET final : public QDialog {
  Q_OBJECT
 public:
  TFSelectMET(TProgram& program, QWidget* parent = nullptr);

  // The chosen activity's MET and name once OK was pressed.
  const std::optional<TPickedMET>& Picked() const { return picked_; }
  TActivityGrid* Grid() const { return grid_; }

 private:
  void FilterTextChange();
  void SportSelect(const TSport* sport);
  void OkButtonClick();

  TProgram& program_;
  QLineEdit* filterEdit_ = nullptr;
  TActivityGrid* grid_ = nullptr;
  TLabeledEdit* metEdit_ = nullptr;
  TLabeledEdit* activityEdit_ = nullptr;
  QPushButton* okButton_ = nullptr;
  std::optional<TPickedMET> picked_;
};

// Opens the MET picker over `parent` and returns the chosen MET and
// activity, or nothing when the user cancels.
std::optional<TPickedMET> PickMET(TProgram& program, QWidget* parent);

}  // namespace korvela
