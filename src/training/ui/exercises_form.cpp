#include "training/ui/exercises_form.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QShortcut>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "storage/errors.h"
#include "training/ui/exercise_editor_form.h"

namespace korvela {
namespace {

constexpr int kDictionaryHelpTopic = 83;
constexpr int kPickerHelpTopic = 104;

}  // namespace

TFExercises::TFExercises(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      list_(new TExerciseListPanel(program, prompter, "Filter by", this)),
      editButton_(MakeButton("Edit...", "editButton", this)),
      copyButton_(MakeButton("Edit a Copy...", "editCopyButton", this)),
      deleteButton_(MakeButton("Delete", "deleteButton", this)) {
  setWindowTitle(QString::fromUtf8(kDictionaryCaption));
  RunEditor = [this](TEditMode mode, const TDrill* chosen) -> std::optional<TDrill> {
    TFExerciseEditor editor(program_, prompter_, mode, chosen, this);
    if (editor.exec() != QDialog::Accepted) return std::nullopt;
    return editor.Drill();
  };
  auto* newButton = MakeButton("New...", "newButton", this);
  newButton->setToolTip(QStringLiteral("New Exercise"));
  editButton_->setToolTip(QStringLiteral("Edit Exercise"));
  copyButton_->setToolTip(QStringLiteral("Edit a Copy of Exercise..."));
  deleteButton_->setToolTip(QStringLiteral("Delete Exercise"));
  auto* close = MakeButton("Close", "closeButton", this);
  // The filters act as they are typed; Enter closes the dictionary rather
  // than opening a classification picker.
  close->setDefault(true);
  auto* help = MakeButton("Help", "helpButton", this);
  auto* commands = new QHBoxLayout;
  for (QPushButton* b : {newButton, editButton_, copyButton_, deleteButton_})
    commands->addWidget(b);
  commands->addStretch(1);
  commands->addWidget(help);
  commands->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(commands);

  list_->OnSelectionChange = [this] { UpdateButtons(); };
  list_->OnDoubleClick = [this] { EditButtonClick(); };
  connect(newButton, &QPushButton::clicked, this, &TFExercises::NewButtonClick);
  connect(editButton_, &QPushButton::clicked, this, &TFExercises::EditButtonClick);
  connect(copyButton_, &QPushButton::clicked, this, &TFExercises::CopyButtonClick);
  connect(deleteButton_, &QPushButton::clicked, this, &TFExercises::DeleteButtonClick);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  connect(help, &QPushButton::clicked, this, [this] { program_.ShowHelp(kDictionaryHelpTopic); });
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, this, [this] { program_.ShowHelp(kDictionaryHelpTopic); });

  program_.Exercises().OpenFile();
  list_->Restart();
  UpdateButtons();
  resize(980, 620);
}

TFExercises::~TFExercises() {
  // Every change was saved when it was made; closing only lets the file go.
  try {
    program_.Exercises().CloseFile();
  } catch (const EKorvelaError&) {
  }
}

void TFExercises::UpdateButtons() {
  const bool one = list_->SelectedDrill() != nullptr;
  editButton_->setEnabled(one);
  copyButton_->setEnabled(one);
  deleteButton_->setEnabled(one);
}

void TFExercises::NewButtonClick() {
  if (const auto drill = RunEditor(TEditMode::New, nullptr)) {
    program_.Exercises().AppendSaved(*drill);
    list_->Refilter();
    list_->SelectDrill(drill->ID);
  }
}

void TFExercises::CopyButtonClick() {
  const TDrill* chosen = list_->SelectedDrill();
  if (!chosen) return;
  if (const auto drill = RunEditor(TEditMode::Copy, chosen)) {
    program_.Exercises().AppendSaved(*drill);
    list_->Refilter();
    list_->SelectDrill(drill->ID);
  }
}

void TFExercises::EditButtonClick() {
  const int position = list_->SelectedPosition();
  if (position < 0) return;
  const TDrill chosen = *program_.Exercises().Live()[static_cast<std::size_t>(position)];
  if (const auto drill = RunEditor(TEditMode::Edit, &chosen)) {
    program_.Exercises().ReplaceSaved(static_cast<std::size_t>(position), *drill);
    list_->Refilter();
  }
}

void TFExercises::DeleteButtonClick() {
  const int position = list_->SelectedPosition();
  if (position < 0) return;
  const std::string name = program_.Exercises().Live()[static_cast<std::size_t>(position)]->Name;
  if (!prompter_.AskYesNo(DeleteQuestion(name))) return;
  try {
    program_.Exercises().DeleteExercise(static_cast<std::size_t>(position));
  } catch (const EXMLIOError& e) {
    prompter_.Warn(e.what());
    return;
  }
  list_->Refilter();
}

TFSelectExercise::TFSelectExercise(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent),
      list_(new TExerciseListPanel(program, prompter, kPickerHeading, this)),
      okButton_(MakeButton("OK", "okButton", this)) {
  setWindowTitle(QString::fromUtf8(kPickerCaption));
  okButton_->setDefault(true);
  auto* cancel = MakeButton("Cancel", "cancelButton", this);
  auto* help = MakeButton("Help", "helpButton", this);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(okButton_, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel, QDialogButtonBox::RejectRole);
  buttons->addButton(help, QDialogButtonBox::HelpRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);

  list_->OnSelectionChange = [this] { okButton_->setEnabled(list_->SelectedDrill() != nullptr); };
  list_->OnDoubleClick = [this] { OkButtonClick(); };
  connect(okButton_, &QPushButton::clicked, this, &TFSelectExercise::OkButtonClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [&program] { program.ShowHelp(kPickerHelpTopic); });
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, this, [&program] { program.ShowHelp(kPickerHelpTopic); });
  list_->Restart();
  resize(980, 620);
}

void TFSelectExercise::OkButtonClick() {
  const TDrill* drill = list_->SelectedDrill();
  if (!drill) return;
  chosen_ = drill->ID;
  accept();
}

std::int32_t PickExercise(TProgram& program, TPrompter& prompter, QWidget* parent) {
  TFSelectExercise picker(program, prompter, parent);
  return picker.exec() == QDialog::Accepted ? picker.ChosenID() : -1;
}

}  // namespace korvela
