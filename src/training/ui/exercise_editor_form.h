#pragma once
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <array>
#include <functional>

#include "app/program.h"
#include "reports/my_report.h"
#include "training/exercise_forms.h"
#include "users/prompter.h"

namespace korvela {

// "Exercise Editor...": a new exercise, an exercise or a copy of one. OK
// checks the fields and saves the exercise into the dictionary file; Cancel
// discards the working copy.
class TFExerciseEditor final : public QDialog {
  Q_OBJECT
 public:
  TFExerciseEditor(TProgram& program, TPrompter& prompter, TEditMode mode, const TDrill* chosen,
                   QWidget* parent = nullptr);

  // The saved exercise after OK.
  const TDrill& Drill() const { return drill_; }
  TExerciseForm Form() const;

  // Asks for a picture file; the program's file chooser unless a test
  // replaces it. An empty answer changes nothing.
  std::function<QString()> ChooseImageFile;
  // Shows the preview page; the report viewer unless a test replaces it.
  std::function<void(TMyReport& page)> ShowPreview;

 private:
  void NameEditingFinished();
  void SelectorButtonClick(std::int32_t classID);
  void BrowseButtonClick();
  void PreviewButtonClick();
  void OkButtonClick();
  void reject() override;
  void RefreshUserLabels();
  QLineEdit* ClassEdit(std::int32_t classID) const;

  TProgram& program_;
  TPrompter& prompter_;
  TDrill drill_;
  QLineEdit* nameEdit_;
  QLineEdit* shortNameEdit_;
  QLineEdit* musclesEdit_;
  QLineEdit* equipmentEdit_;
  QLineEdit* movementEdit_;
  std::array<QLineEdit*, 4> userEdits_{};
  std::array<QLabel*, 4> userLabels_{};
  QButtonGroup* kindGroup_;
  std::array<QRadioButton*, 5> kindButtons_{};
  QCheckBox* unilateralCheck_;
  QPlainTextEdit* instructionsEdit_;
  QLineEdit* imageEdit_;
  QPushButton* cancelButton_ = nullptr;
  bool closing_ = false;
  bool nameWarned_ = false;
};

// The preview page of the editor's fields: a table of the name, the
// information (escaped) and the picture as a file address, or "N/A".
TMyReport ExercisePreviewReport(const TExerciseForm& form, const TExerciseDictionary& dictionary,
                                bool shortNames);

}  // namespace korvela
