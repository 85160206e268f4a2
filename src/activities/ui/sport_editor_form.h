#pragma once
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "activities/sport.h"
#include "app/program.h"
#include "users/prompter.h"
#include "widgets/labeled_edit.h"

namespace korvela {

// The editor of one activity: name, default duration and MET, what the
// activity adds to the user's day, and a MET worked out from calories
// burned. It works on its own copy; the caller stores the result on OK.
class TFSportEditor final : public QDialog {
  Q_OBJECT
 public:
  // `isNew` chooses the captions of a new activity.
  TFSportEditor(TProgram& program, TPrompter& prompter, const TSport& sport, bool isNew,
                QWidget* parent = nullptr);

  // The activity as accepted.
  const TSport& Sport() const { return sport_; }

 private:
  QWidget* BuildFields();
  QWidget* BuildContribution();
  QWidget* BuildMETCalculator();
  void FieldsChange();
  void CalculateButtonClick();
  void OkButtonClick();

  TProgram& program_;
  TPrompter& prompter_;
  TSport sport_;
  double rate_ = -1;
  TLabeledEdit* nameEdit_ = nullptr;
  TLabeledEdit* durationEdit_ = nullptr;
  TLabeledEdit* metEdit_ = nullptr;
  TLabeledEdit* burnedEdit_ = nullptr;
  TLabeledEdit* addedEdit_ = nullptr;
  TLabeledEdit* caloriesEdit_ = nullptr;
  TLabeledEdit* minutesEdit_ = nullptr;
  TLabeledEdit* resultEdit_ = nullptr;
  QPushButton* calculateButton_ = nullptr;
};

}  // namespace korvela
