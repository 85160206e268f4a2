#include "nutrition/ui/meal_definitions_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "nutrition/ui/food_form_parts.h"

namespace korvela {
namespace {

constexpr int kMealsHelpTopic = 34;

}  // namespace

TFMealDefinitions::TFMealDefinitions(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      editor_(program.Session()->MealDefinitions()),
      grid_(new TMyGrid(1, 2, this)) {
  setWindowTitle(QString::fromUtf8(kMealEditorCaption));
  grid_->setObjectName(QStringLiteral("mealsGrid"));
  grid_->setAccessibleName(QStringLiteral("Default Meals"));
  grid_->SetCellText(0, 0, QString::fromUtf8(kMealColumn));
  grid_->SetCellText(0, 1, QString::fromUtf8(kMealTimeColumn));
  grid_->OnCanEditCell = [](int row, int column) { return row >= 1 && column == 0; };
  grid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  grid_->setColumnWidth(1, 110);
  grid_->verticalHeader()->setDefaultSectionSize(24);
  grid_->setMinimumSize(360, 240);

  auto* newButton = MakeButton("New", "newButton", this);
  auto* deleteButton = MakeButton("Delete", "deleteButton", this);
  auto* sortButton = MakeButton("Sort by time", "sortButton", this);
  for (QPushButton* b : {newButton, deleteButton, sortButton}) b->setAutoDefault(false);
  auto* side = new QVBoxLayout;
  side->addWidget(newButton);
  side->addWidget(deleteButton);
  side->addWidget(sortButton);
  side->addStretch(1);
  auto* middle = new QHBoxLayout;
  middle->addWidget(grid_, 1);
  middle->addLayout(side);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(kMealEditorHeading, this));
  layout->addLayout(middle, 1);
  layout->addWidget(
      MakeDialogButtons(*this, program, kMealsHelpTopic, [this] { OkButtonClick(); }));

  connect(grid_, &QTableWidget::cellChanged, this, [this](int row, int column) {
    if (!filling_ && row >= 1 && column == 0)
      editor_.SetName(row - 1, grid_->CellText(row, 0).toStdString());
  });
  connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row) {
    if (!filling_ && row >= 1) editor_.Select(row - 1);
  });
  connect(newButton, &QPushButton::clicked, this, &TFMealDefinitions::NewButtonClick);
  connect(deleteButton, &QPushButton::clicked, this, &TFMealDefinitions::DeleteButtonClick);
  connect(sortButton, &QPushButton::clicked, this, &TFMealDefinitions::SortButtonClick);

  Fill();
  resize(520, 380);
}

void TFMealDefinitions::Fill() {
  filling_ = true;
  grid_->setRowCount(editor_.Count() + 1);
  for (int meal = 0; meal < editor_.Count(); ++meal) {
    const TMeal& m = editor_.Meals()[static_cast<std::size_t>(meal)];
    grid_->SetCellText(meal + 1, 0, QText(m.Name));
    auto* time = qobject_cast<QTimeEdit*>(grid_->cellWidget(meal + 1, 1));
    if (!time) {
      time = MakeTimeEdit(program_.Config(), "mealTimeEdit", grid_);
      time->setAccessibleName(QString::fromUtf8(kMealTimeColumn));
      time->setFrame(false);
      grid_->setCellWidget(meal + 1, 1, time);
      connect(time, &QTimeEdit::timeChanged, this, [this, time](const QTime& value) {
        if (filling_) return;
        for (int row = 1; row < grid_->rowCount(); ++row) {
          if (grid_->cellWidget(row, 1) == time) editor_.SetTime(row - 1, FromQTime(value));
        }
      });
    }
    time->setTime(ToQTime(m.TOD));
  }
  // The time fields come after the list, row by row, before the buttons
  // beside it.
  QWidget* previous = grid_;
  for (int row = 1; row < grid_->rowCount(); ++row) {
    if (QWidget* time = grid_->cellWidget(row, 1)) {
      setTabOrder(previous, time);
      previous = time;
    }
  }
  if (editor_.Selected() >= 0) grid_->setCurrentCell(editor_.Selected() + 1, 0);
  filling_ = false;
}

void TFMealDefinitions::SelectName(int meal) {
  grid_->setCurrentCell(meal + 1, 0);
  grid_->setFocus();
  grid_->edit(grid_->model()->index(meal + 1, 0));
}

void TFMealDefinitions::NewButtonClick() {
  editor_.NewMeal(program_.Clock().Now());
  Fill();
  SelectName(editor_.Selected());
}

void TFMealDefinitions::DeleteButtonClick() {
  if (const auto refusal = editor_.DeleteRefusal()) {
    prompter_.Warn(*refusal);
    return;
  }
  if (editor_.Selected() < 0 || !prompter_.AskYesNo(editor_.DeleteQuestion(program_.Config())))
    return;
  editor_.DeleteSelected();
  Fill();
}

void TFMealDefinitions::SortButtonClick() {
  editor_.SortByTime();
  Fill();
}

void TFMealDefinitions::OkButtonClick() {
  if (const auto warning = editor_.Check()) {
    prompter_.Warn(*warning);
    SelectName(editor_.Selected());
    return;
  }
  TUserSession& session = *program_.Session();
  if (const auto refused =
          editor_.Save(session.MealDefinitions(), session.User().Folder, program_.Random())) {
    prompter_.Warn(*refused);
    return;
  }
  accept();
}

}  // namespace korvela
