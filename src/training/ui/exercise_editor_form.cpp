#include "training/ui/exercise_editor_form.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QShortcut>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "reports/my_report.h"
#include "storage/errors.h"
#include "training/training_records.h"
#include "training/ui/class_selector_form.h"
#include "widgets/report_viewer.h"

namespace korvela {
namespace {

constexpr int kEditorHelpTopic = 84;
constexpr const char* kImageFilters = "Images (*.gif *.bmp *.jpg *.jpeg *.png);;All Files (*)";

QLineEdit* MakeEdit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromUtf8(name));
  return edit;
}

bool ShortNamesWanted(TProgram& program) {
  TUserSession* session = program.Session();
  return session && session->DayRecords().IsOpen() &&
         FetchTrainOpt(session->DayRecords()).ShortNames();
}

}  // namespace

TFExerciseEditor::TFExerciseEditor(TProgram& program, TPrompter& prompter, TEditMode mode,
                                   const TDrill* chosen, QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      drill_(EditorStart(mode, chosen)),
      nameEdit_(MakeEdit("nameLineEdit", this)),
      shortNameEdit_(MakeEdit("shortNameLineEdit", this)),
      musclesEdit_(MakeEdit("musclesLineEdit", this)),
      equipmentEdit_(MakeEdit("equipmentLineEdit", this)),
      movementEdit_(MakeEdit("movementLineEdit", this)),
      kindGroup_(new QButtonGroup(this)),
      unilateralCheck_(new QCheckBox(QString::fromUtf8(kUnilateralCaption), this)),
      instructionsEdit_(new QPlainTextEdit(this)),
      imageEdit_(MakeEdit("imageLineEdit", this)) {
  setWindowTitle(QString::fromUtf8(kExerciseEditorCaption));
  ChooseImageFile = [this] {
    return QFileDialog::getOpenFileName(this, QString::fromUtf8(kImageChooserTitle), QString(),
                                        QString::fromUtf8(kImageFilters));
  };
  ShowPreview = [this](TMyReport& page) { ShowReport(page, program_.Folder(), prompter_, this); };

  const char* userNames[] = {"userOneLineEdit", "userTwoLineEdit", "userThreeLineEdit",
                             "userFourLineEdit"};
  for (std::size_t i = 0; i < userEdits_.size(); ++i) {
    userEdits_[i] = MakeEdit(userNames[i], this);
    userLabels_[i] = new QLabel(this);
    userLabels_[i]->setTextFormat(Qt::PlainText);
    userLabels_[i]->setBuddy(userEdits_[i]);
  }

  // Names and classifications, each classification with its selector.
  auto* fields = new QGridLayout;
  int row = 0;
  const auto addRow = [&](QLabel* label, QLineEdit* edit, std::int32_t classID) {
    fields->addWidget(label, row, 0);
    fields->addWidget(edit, row, 1);
    if (classID != 0) {
      static const char* const kSelectorNames[] = {
          "musclesSelectorButton", "movementSelectorButton", "equipmentSelectorButton",
          "userOneSelectorButton", "userTwoSelectorButton",  "userThreeSelectorButton",
          "userFourSelectorButton"};
      auto* selector = MakeButton("<..", kSelectorNames[classID - kMusclesClassID], this);
      selector->setFixedWidth(34);
      selector->setAccessibleName(QStringLiteral("Select ") + label->text());
      fields->addWidget(selector, row, 2);
      connect(selector, &QPushButton::clicked, this,
              [this, classID] { SelectorButtonClick(classID); });
    }
    ++row;
  };
  addRow(MakeBuddyLabel("Exercise Name", nameEdit_, this), nameEdit_, 0);
  addRow(MakeBuddyLabel("Shorter Name", shortNameEdit_, this), shortNameEdit_, 0);
  addRow(MakeBuddyLabel("Target Muscles", musclesEdit_, this), musclesEdit_, kMusclesClassID);
  addRow(MakeBuddyLabel("Equipment", equipmentEdit_, this), equipmentEdit_, kEquipmentClassID);
  addRow(MakeBuddyLabel("Movement Type", movementEdit_, this), movementEdit_, kMovementClassID);
  for (std::size_t i = 0; i < userEdits_.size(); ++i)
    addRow(userLabels_[i], userEdits_[i], kUserClassOneID + static_cast<std::int32_t>(i));
  fields->setColumnStretch(1, 1);
  nameEdit_->setMinimumWidth(300);

  auto* kindBox = new QGroupBox(QString::fromUtf8(kHowToMeasureCaption), this);
  auto* kindLayout = new QVBoxLayout(kindBox);
  const char* kindNames[] = {"weightRadioButton", "repsRadioButton", "timeRadioButton",
                             "distanceTimeRadioButton", "distanceRadioButton"};
  for (std::size_t i = 0; i < kindButtons_.size(); ++i) {
    kindButtons_[i] = new QRadioButton(QString::fromUtf8(kMeasureCaptions[i]), kindBox);
    kindButtons_[i]->setObjectName(QString::fromUtf8(kindNames[i]));
    kindGroup_->addButton(kindButtons_[i], static_cast<int>(i));
    kindLayout->addWidget(kindButtons_[i]);
  }
  unilateralCheck_->setObjectName(QStringLiteral("unilateralCheckBox"));

  instructionsEdit_->setObjectName(QStringLiteral("instructionsTextEdit"));
  instructionsEdit_->setTabChangesFocus(true);
  auto* instructionsLabel = MakeBuddyLabel("Execution Instructions", instructionsEdit_, this);

  auto* browse = MakeButton("Browse...", "browseButton", this);
  auto* preview = MakeButton("Preview...", "previewButton", this);
  auto* imageRow = new QHBoxLayout;
  imageRow->addWidget(imageEdit_, 1);
  imageRow->addWidget(browse);
  imageRow->addWidget(preview);
  auto* imageLabel = MakeBuddyLabel(kImageCaption, imageEdit_, this);

  auto* ok = MakeButton("OK", "okButton", this);
  ok->setDefault(true);
  cancelButton_ = MakeButton("Cancel", "cancelButton", this);
  auto* help = MakeButton("Help", "helpButton", this);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancelButton_, QDialogButtonBox::RejectRole);
  buttons->addButton(help, QDialogButtonBox::HelpRole);

  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(kindBox);
  right->addWidget(unilateralCheck_);
  right->addWidget(instructionsLabel);
  right->addWidget(instructionsEdit_, 1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 5);
  columns->addSpacing(12);
  columns->addLayout(right, 4);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addWidget(imageLabel);
  layout->addLayout(imageRow);
  layout->addWidget(buttons);

  // The fields from the working copy.
  const TExerciseForm form = FormOf(drill_);
  nameEdit_->setText(QText(form.name));
  shortNameEdit_->setText(QText(form.shortName));
  musclesEdit_->setText(QText(form.muscles));
  equipmentEdit_->setText(QText(form.equipment));
  movementEdit_->setText(QText(form.movement));
  for (std::size_t i = 0; i < userEdits_.size(); ++i) userEdits_[i]->setText(QText(form.user[i]));
  if (form.kindIndex >= 0) kindButtons_[static_cast<std::size_t>(form.kindIndex)]->setChecked(true);
  unilateralCheck_->setChecked(form.unilateral);
  instructionsEdit_->setPlainText(QText(form.instructions));
  imageEdit_->setText(QText(form.image));
  RefreshUserLabels();

  connect(nameEdit_, &QLineEdit::editingFinished, this, &TFExerciseEditor::NameEditingFinished);
  connect(nameEdit_, &QLineEdit::textEdited, this, [this] { nameWarned_ = false; });
  connect(browse, &QPushButton::clicked, this, &TFExerciseEditor::BrowseButtonClick);
  connect(preview, &QPushButton::clicked, this, &TFExerciseEditor::PreviewButtonClick);
  connect(ok, &QPushButton::clicked, this, &TFExerciseEditor::OkButtonClick);
  connect(cancelButton_, &QPushButton::clicked, this, &TFExerciseEditor::reject);
  connect(help, &QPushButton::clicked, this, [this] { program_.ShowHelp(kEditorHelpTopic); });
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, this, [this] { program_.ShowHelp(kEditorHelpTopic); });
  resize(920, 540);
  nameEdit_->setFocus();
  nameEdit_->selectAll();
}

QLineEdit* TFExerciseEditor::ClassEdit(std::int32_t classID) const {
  switch (classID) {
    case kMusclesClassID:
      return musclesEdit_;
    case kMovementClassID:
      return movementEdit_;
    case kEquipmentClassID:
      return equipmentEdit_;
  }
  return userEdits_[static_cast<std::size_t>(classID - kUserClassOneID)];
}

void TFExerciseEditor::RefreshUserLabels() {
  for (std::size_t i = 0; i < userLabels_.size(); ++i) {
    const std::string name =
        program_.Exercises().ClassName(kUserClassOneID + static_cast<std::int32_t>(i));
    userLabels_[i]->setText(QText(name));
    userEdits_[i]->setAccessibleName(QText(name));
  }
}

TExerciseForm TFExerciseEditor::Form() const {
  TExerciseForm f;
  f.name = nameEdit_->text().toStdString();
  f.shortName = shortNameEdit_->text().toStdString();
  f.muscles = musclesEdit_->text().toStdString();
  f.equipment = equipmentEdit_->text().toStdString();
  f.movement = movementEdit_->text().toStdString();
  for (std::size_t i = 0; i < userEdits_.size(); ++i)
    f.user[i] = userEdits_[i]->text().toStdString();
  f.kindIndex = kindGroup_->checkedId();
  f.unilateral = unilateralCheck_->isChecked();
  f.instructions = instructionsEdit_->toPlainText().toStdString();
  f.image = imageEdit_->text().toStdString();
  return f;
}

void TFExerciseEditor::NameEditingFinished() {
  if (closing_ || nameWarned_ || QApplication::focusWidget() == cancelButton_) return;
  if (const auto problem = CheckExerciseName(nameEdit_->text().toStdString())) {
    nameWarned_ = true;
    prompter_.Warn(problem->message);
    nameEdit_->setFocus();
  }
}

void TFExerciseEditor::SelectorButtonClick(std::int32_t classID) {
  const std::string result = SelectClassification(program_, prompter_, classID, this);
  if (classID >= kUserClassOneID) RefreshUserLabels();
  if (!result.empty()) ClassEdit(classID)->setText(QText(result));
}

void TFExerciseEditor::BrowseButtonClick() {
  const QString file = ChooseImageFile ? ChooseImageFile() : QString();
  if (!file.isEmpty()) imageEdit_->setText(file);
}

void TFExerciseEditor::PreviewButtonClick() {
  if (!ShowPreview) return;
  TMyReport page = ExercisePreviewReport(Form(), program_.Exercises(), ShortNamesWanted(program_));
  ShowPreview(page);
}

void TFExerciseEditor::OkButtonClick() {
  const TExerciseForm form = Form();
  if (const auto problem = CheckExerciseForm(form, drill_.ID, program_.Exercises())) {
    const bool alreadyWarned = problem->field == TExerciseField::Name &&
                               problem->message == std::string(kNameMissingMessage) && nameWarned_;
    if (!alreadyWarned) prompter_.Warn(problem->message);
    if (problem->field == TExerciseField::Name) {
      nameWarned_ = true;
      nameEdit_->setFocus();
    } else {
      kindButtons_[0]->setFocus();
    }
    return;
  }
  TDrill edited = drill_;
  ApplyExerciseForm(form, edited);
  try {
    program_.Exercises().SaveExercise(edited);
  } catch (const EXMLIOError& e) {
    prompter_.Warn(e.what());
    return;
  }
  drill_ = std::move(edited);
  closing_ = true;
  accept();
}

void TFExerciseEditor::reject() {
  closing_ = true;
  QDialog::reject();
}

TMyReport ExercisePreviewReport(const TExerciseForm& form, const TExerciseDictionary& dictionary,
                                bool shortNames) {
  TMyReport report;
  report.BeginTable();
  report.BeginHeaderRow();
  for (const char* title : {"Exercise", "Information", "Image"}) report.AddCell(title, kCellCentre);
  report.EndRow();
  report.BeginRow();
  report.AddCell(PreviewName(form, shortNames), kCellLeft);
  report.AddLine("<td class=\"trl\">" + ExerciseInformationHtml(form, dictionary) + "</td>");
  if (form.image.empty())
    report.AddCell("N/A", kCellCentre);
  else
    report.AddLine("<td class=\"trc\"><img src=\"" + EscapeXML(FileUrl(form.image)) + "\"></td>");
  report.EndRow();
  report.EndTable();
  report.EndDocument();
  return report;
}

}  // namespace korvela
