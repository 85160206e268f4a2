#include "activities/ui/sports_dictionary_form.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QShortcut>
#include <QVBoxLayout>

#include "activities/activity_figures.h"
#include "activities/sport_editor.h"
#include "activities/ui/sport_editor_form.h"
#include "energy/ui/calculator_parts.h"
#include "users/unit_text.h"
#include "widgets/access_key_assigner.h"

namespace korvela {
namespace {

constexpr int kDictionaryHelpTopic = 81;

}  // namespace

TFSportsDictionary::TFSportsDictionary(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter) {
  setWindowTitle(QStringLiteral("Physical Activities Dictionary"));
  if (TUserSession* session = program_.Session())
    rate_ = static_cast<double>(session->Energy().CurrentRestingRate());

  searchEdit_ = new QLineEdit(this);
  searchEdit_->setObjectName(QStringLiteral("searchLineEdit"));
  searchEdit_->setPlaceholderText(QStringLiteral("Type here the Activity I look for"));
  searchEdit_->setAccessibleName(QStringLiteral("Type here the Activity I look for"));
  searchEdit_->setClearButtonEnabled(true);
  searchEdit_->installEventFilter(this);
  findButton_ = MakeButton("Find", "findButton", this);
  findButton_->setAutoDefault(false);

  grid_ = new TActivityGrid(
      program_.Sports(),
      {QStringLiteral("Activity"), QStringLiteral("Duration"), QStringLiteral("Burned"),
       QStringLiteral("Added")},
      [this](const TSport& sport) { return Cells(sport); }, this);
  grid_->setObjectName(QStringLiteral("activitiesGrid"));
  grid_->setAccessibleName(QStringLiteral("Activities"));
  grid_->installEventFilter(this);

  newButton_ = MakeButton("New Activity", "newActivityButton", this);
  editButton_ = MakeButton("Edit Activity", "editActivityButton", this);
  copyButton_ = MakeButton("Edit a Copy of Activity", "copyActivityButton", this);
  deleteButton_ = MakeButton("Delete Activity", "deleteActivityButton", this);
  showAllButton_ = MakeButton("Show All", "showAllButton", this);
  AddButtonShortcut(*newButton_, QKeySequence(Qt::CTRL | Qt::Key_N));
  AddButtonShortcut(*showAllButton_, QKeySequence(Qt::CTRL | Qt::Key_A));
  newButton_->setToolTip(QStringLiteral("New Activity (Ctrl+N)"));
  showAllButton_->setToolTip(QStringLiteral("Show All (Ctrl+A)"));
  for (QPushButton* b : {newButton_, editButton_, copyButton_, deleteButton_, showAllButton_})
    b->setAutoDefault(false);

  connect(newButton_, &QPushButton::clicked, this, &TFSportsDictionary::NewActivityClick);
  connect(editButton_, &QPushButton::clicked, this, &TFSportsDictionary::EditActivityClick);
  connect(copyButton_, &QPushButton::clicked, this, &TFSportsDictionary::CopyActivityClick);
  connect(deleteButton_, &QPushButton::clicked, this, &TFSportsDictionary::DeleteActivityClick);
  connect(showAllButton_, &QPushButton::clicked, this, &TFSportsDictionary::ShowAllClick);
  connect(findButton_, &QPushButton::clicked, this, &TFSportsDictionary::FindClick);
  connect(searchEdit_, &QLineEdit::returnPressed, this, &TFSportsDictionary::FindClick);
  connect(searchEdit_, &QLineEdit::textEdited, this, &TFSportsDictionary::SearchTextChange);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] {
    if (editButton_->isEnabled()) EditActivityClick();
  });
  grid_->OnSelectSport = [this](const TSport*) { UpdateCommands(); };

  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(searchEdit_, 1);
  searchRow->addWidget(findButton_);
  auto* commands = new QVBoxLayout;
  for (QPushButton* b : {newButton_, editButton_, copyButton_, deleteButton_, showAllButton_})
    commands->addWidget(b);
  commands->addStretch();
  auto* middle = new QHBoxLayout;
  middle->addWidget(grid_, 1);
  middle->addLayout(commands);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      MakeHeading("Dictionary of Physical Activities and their Calorie Burn Rate", this));
  layout->addLayout(searchRow);
  layout->addLayout(middle, 1);
  layout->addWidget(MakeCloseButtons(*this, program_, kDictionaryHelpTopic));

  grid_->Fill();
  resize(920, 600);
  searchEdit_->setFocus();
  UpdateCommands();
}

QStringList TFSportsDictionary::Cells(const TSport& sport) const {
  const TConfigurator& config = program_.Config();
  QStringList cells{QText(sport.Activity), QText(std::to_string(sport.Per) + " min")};
  if (rate_ < 0) return cells << QString() << QString();
  return cells << QText(FormatNumber(config, BurnedCalories(sport.MET, sport.Per, rate_), 0) +
                        " cal")
               << QText(FormatNumber(config, AddedCalories(sport.MET, sport.Per, rate_), 0) +
                        " cal");
}

void TFSportsDictionary::UpdateCommands() {
  const bool one = grid_->SelectedSport() != nullptr;
  editButton_->setEnabled(one);
  copyButton_->setEnabled(one);
  deleteButton_->setEnabled(one);
}

void TFSportsDictionary::ShowWhole(const TSport* selected) {
  searchEdit_->clear();
  grid_->Fill();
  grid_->SelectSport(selected);
  UpdateCommands();
}

void TFSportsDictionary::NewActivityClick() {
  TSport sport;
  TFSportEditor editor(program_, prompter_, sport, true, this);
  if (editor.exec() != QDialog::Accepted) return;
  ShowWhole(&program_.Sports().AddSport(editor.Sport()));
}

void TFSportsDictionary::EditActivityClick() {
  const TSport* selected = grid_->SelectedSport();
  if (!selected) return;
  TFSportEditor editor(program_, prompter_, *selected, false, this);
  if (editor.exec() != QDialog::Accepted) return;
  ShowWhole(&program_.Sports().ReplaceSport(*selected, editor.Sport()));
}

void TFSportsDictionary::CopyActivityClick() {
  const TSport* selected = grid_->SelectedSport();
  if (!selected) return;
  TSport copy = *selected;
  copy.ID = -1;
  copy.Activity = kCopyPrefix + copy.Activity;
  TFSportEditor editor(program_, prompter_, copy, false, this);
  if (editor.exec() != QDialog::Accepted) return;
  ShowWhole(&program_.Sports().AddSport(editor.Sport()));
}

void TFSportsDictionary::DeleteActivityClick() {
  const TSport* selected = grid_->SelectedSport();
  if (!selected) return;
  if (!prompter_.AskYesNo("Do you really want to delete " + selected->Activity + "?")) return;
  program_.Sports().RemoveSport(*selected);
  const QString filter = searchEdit_->text();
  grid_->Fill();
  grid_->Filter(filter);
  UpdateCommands();
}

void TFSportsDictionary::ShowAllClick() { ShowWhole(nullptr); }

void TFSportsDictionary::FindClick() {
  grid_->Filter(searchEdit_->text());
  grid_->Highlight(searchEdit_->text());
  UpdateCommands();
}

void TFSportsDictionary::SearchTextChange() {
  grid_->Highlight(searchEdit_->text());
  UpdateCommands();
}

// A letter typed while the list has the focus goes on in the search box.
// Ctrl+A is "Show All" in the search box too, not the box's select-all.
bool TFSportsDictionary::eventFilter(QObject* watched, QEvent* event) {
  if (watched == searchEdit_ && event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_A)) {
    event->ignore();
    return true;
  }
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.size() == 1 && text.front().isLetter() &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      searchEdit_->setFocus();
      searchEdit_->insert(text);
      SearchTextChange();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace korvela
