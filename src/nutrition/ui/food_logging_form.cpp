#include "nutrition/ui/food_logging_form.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "nutrition/recipe_book_state.h"
#include "nutrition/ui/calorie_pie.h"
#include "nutrition/ui/food_form_parts.h"

namespace korvela {
namespace {

constexpr int kLoggingHelpTopic = 37;
constexpr int kIngredientHelpTopic = 36;
constexpr std::array<const char*, 4> kFigureLabels = {"Protein(g)", "Fat(g)", "Carb(g)",
                                                      "Calories"};
constexpr std::array<const char*, 4> kFigureNames = {"proteinLineEdit", "fatLineEdit",
                                                     "carbsLineEdit", "caloriesLineEdit"};

TNutrientField FieldOf(int index) { return static_cast<TNutrientField>(index); }

bool IsEnter(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

TFLogFood::TFLogFood(TProgram& program, TPrompter& prompter, TWFoodItem item, TDaysMeals& target,
                     int defaultMeal, QWidget* parent)
    : TFLogFood(program, prompter, std::move(item), &target, defaultMeal, parent) {}

TFLogFood::TFLogFood(TProgram& program, TPrompter& prompter, TWFoodItem item, QWidget* parent)
    : TFLogFood(program, prompter, std::move(item), nullptr, 0, parent) {}

TFLogFood::TFLogFood(TProgram& program, TPrompter& prompter, TWFoodItem item, TDaysMeals* target,
                     int defaultMeal, QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      ingredient_(target == nullptr),
      logging_(std::move(item), target ? *target : noPlan_, defaultMeal, program.Config()),
      quantityLineEdit_(
          MakeLineEdit("quantityLineEdit", this, static_cast<int>(kQuantityMaxLength))),
      unitComboBox_(new QComboBox(this)),
      gramsLabel_(new QLabel(this)),
      gramsUnitLabel_(new QLabel(QString::fromUtf8(kGramsUnit), this)),
      mealComboBox_(new QComboBox(this)),
      mealTimeEdit_(MakeTimeEdit(program.Config(), "mealTimeEdit", this)),
      nutrientEdits_{},
      pie_(MakeCaloriePie(this)) {
  setWindowTitle(QText(ingredient_ ? logging_.Item().Name : logging_.Caption()));
  OnAskNewMeal = [this] { return AskNewMeal(program_, prompter_, this); };

  // Serving size: quantity, unit and what it weighs.
  unitComboBox_->setObjectName(QStringLiteral("unitComboBox"));
  for (const std::string& unit : logging_.UnitNames()) unitComboBox_->addItem(QText(unit));
  unitComboBox_->setCurrentIndex(logging_.SelectedUnit());
  unitComboBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  unitComboBox_->setMinimumContentsLength(16);
  gramsLabel_->setObjectName(QStringLiteral("gramsLabel"));
  gramsLabel_->setMinimumWidth(60);
  gramsLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  quantityLineEdit_->setText(QText(logging_.QuantityText()));
  quantityLineEdit_->setFixedWidth(90);
  auto* serving = new QGroupBox(
      QString::fromUtf8(ingredient_ ? kIngredientServingHeading : kServingSizeHeading), this);
  auto* servingRow = new QHBoxLayout(serving);
  servingRow->addWidget(MakeBuddyLabel("Quantity:", quantityLineEdit_, this));
  servingRow->addWidget(quantityLineEdit_);
  servingRow->addWidget(unitComboBox_, 1);
  unitComboBox_->setAccessibleName(QStringLiteral("Unit"));
  servingRow->addWidget(gramsLabel_);
  servingRow->addWidget(gramsUnitLabel_);

  // The meal.
  mealComboBox_->setObjectName(QStringLiteral("mealComboBox"));
  mealComboBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  mealComboBox_->setMinimumContentsLength(14);
  auto* newMealButton = MakeButton("New Meal...", "newMealButton", this);
  newMealButton->setAutoDefault(false);
  auto* mealGroup = new QGroupBox(QString::fromUtf8(kLogMealHeading), this);
  auto* mealRow = new QHBoxLayout(mealGroup);
  mealRow->addWidget(MakeBuddyLabel("Meal:", mealComboBox_, this));
  mealRow->addWidget(mealComboBox_, 1);
  mealRow->addWidget(MakeBuddyLabel("Meal time:", mealTimeEdit_, this));
  mealRow->addWidget(mealTimeEdit_);
  mealRow->addWidget(newMealButton);

  // The figures of the quantity, typed to find the quantity that holds them.
  auto* figures = new QGridLayout;
  for (std::size_t i = 0; i < nutrientEdits_.size(); ++i) {
    nutrientEdits_[i] = MakeLineEdit(kFigureNames[i], this, 12);
    nutrientEdits_[i]->setFixedWidth(80);
    nutrientEdits_[i]->setAlignment(Qt::AlignRight);
    nutrientEdits_[i]->installEventFilter(this);
    figures->addWidget(MakeBuddyLabel(kFigureLabels[i], nutrientEdits_[i], this),
                       static_cast<int>(i), 0);
    figures->addWidget(nutrientEdits_[i], static_cast<int>(i), 1);
  }
  figures->setRowStretch(4, 1);
  auto* lower = new QHBoxLayout;
  lower->addLayout(figures);
  lower->addWidget(pie_, 1);
  pie_->setMinimumSize(240, 130);

  auto* buttons =
      MakeDialogButtons(*this, program, ingredient_ ? kIngredientHelpTopic : kLoggingHelpTopic,
                        [this] { OkButtonClick(); });
  okButton_ = buttons->findChild<QPushButton*>(QStringLiteral("okButton"));
  cancelButton_ = buttons->findChild<QPushButton*>(QStringLiteral("cancelButton"));
  auto* help = buttons->findChild<QPushButton*>(QStringLiteral("helpButton"));
  cancelButton_->setAutoDefault(false);
  help->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  if (ingredient_) layout->addWidget(MakeHeading(kIngredientHeading, this));
  layout->addWidget(serving);
  layout->addWidget(mealGroup);
  layout->addLayout(lower, 1);
  layout->addWidget(buttons);

  // Quantity and unit first, so that a measure is logged with a few keys.
  setTabOrder(quantityLineEdit_, unitComboBox_);
  setTabOrder(unitComboBox_, mealComboBox_);
  setTabOrder(mealComboBox_, mealTimeEdit_);
  setTabOrder(mealTimeEdit_, newMealButton);
  setTabOrder(newMealButton, nutrientEdits_[0]);
  for (std::size_t i = 0; i + 1 < nutrientEdits_.size(); ++i)
    setTabOrder(nutrientEdits_[i], nutrientEdits_[i + 1]);
  setTabOrder(nutrientEdits_[3], okButton_);
  setTabOrder(okButton_, cancelButton_);
  setTabOrder(cancelButton_, help);

  quantityLineEdit_->installEventFilter(this);
  connect(quantityLineEdit_, &QLineEdit::textEdited, this, &TFLogFood::QuantityChange);
  connect(unitComboBox_, &QComboBox::currentIndexChanged, this, &TFLogFood::UnitChange);
  connect(mealComboBox_, &QComboBox::currentIndexChanged, this, &TFLogFood::MealChange);
  connect(mealTimeEdit_, &QTimeEdit::timeChanged, this, &TFLogFood::MealTimeChange);
  connect(newMealButton, &QPushButton::clicked, this, &TFLogFood::NewMealButtonClick);

  if (ingredient_) {
    mealGroup->hide();
    newMealButton->setEnabled(false);
  }
  if (logging_.IsRecipe()) {
    gramsLabel_->hide();
    gramsUnitLabel_->hide();
  }
  for (std::size_t i = 0; i < nutrientEdits_.size(); ++i) {
    const bool enabled = logging_.NutrientFieldEnabled(FieldOf(static_cast<int>(i)));
    nutrientEdits_[i]->setEnabled(enabled);
    nutrientEdits_[i]->setReadOnly(!enabled);
  }
  ShowMeals();
  ShowFigures();
  quantityLineEdit_->setFocus();
  quantityLineEdit_->selectAll();
}

void TFLogFood::ShowFigures() {
  showing_ = true;
  gramsLabel_->setText(QText(logging_.GramsText()));
  for (std::size_t i = 0; i < nutrientEdits_.size(); ++i) {
    // A field the user is typing in keeps the text until it is left.
    if (nutrientEdits_[i]->isModified() && nutrientEdits_[i]->hasFocus()) continue;
    nutrientEdits_[i]->setText(QText(logging_.FigureText(FieldOf(static_cast<int>(i)))));
  }
  if (!ingredient_) okButton_->setText(QText(logging_.OkCaption()));
  ShowCalorieShares(*pie_, logging_.Shares());
  showing_ = false;
}

void TFLogFood::ShowMeals() {
  showing_ = true;
  mealComboBox_->clear();
  for (const std::string& meal : logging_.MealNames()) mealComboBox_->addItem(QText(meal));
  mealComboBox_->setCurrentIndex(logging_.SelectedMeal());
  mealTimeEdit_->setTime(ToQTime(logging_.SelectedMealTime()));
  mealTimeEdit_->setEnabled(logging_.SelectedMeal() >= 0);
  showing_ = false;
}

bool TFLogFood::eventFilter(QObject* watched, QEvent* event) {
  const auto field = std::find(nutrientEdits_.begin(), nutrientEdits_.end(), watched);
  const bool isQuantity = watched == quantityLineEdit_;
  if (!isQuantity && field == nutrientEdits_.end()) return QDialog::eventFilter(watched, event);
  const int index = static_cast<int>(field - nutrientEdits_.begin());
  if (IsEnter(event)) {
    if (isQuantity) return !QuantityLeave();  // a valid quantity goes on to OK
    NutrientLeave(index);
    return true;  // Enter in a figure never confirms the dialog
  }
  if (event->type() == QEvent::FocusOut && !checking_) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Leaving towards Cancel, another window or a popup checks nothing; nor
    // does a click on OK, which checks everything itself, so that one press
    // gives one warning.
    const bool towardsOk =
        reason == Qt::MouseFocusReason && QApplication::focusWidget() == okButton_;
    const bool check = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                       QApplication::focusWidget() != cancelButton_ && !towardsOk;
    if (check) {
      if (isQuantity) {
        QuantityLeave();
      } else {
        NutrientLeave(index);
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFLogFood::QuantityChange(const QString& text) {
  if (logging_.TypeQuantity(text.toStdString())) ShowFigures();
}

bool TFLogFood::QuantityLeave() {
  const QString text = quantityLineEdit_->text();
  const std::optional<std::string> warning = logging_.CheckQuantity(text.toStdString());
  if (!warning) {
    ShowFigures();
    return true;
  }
  ShowFigures();
  checking_ = true;
  prompter_.Warn(*warning);
  checking_ = false;
  quantityLineEdit_->setFocus();
  quantityLineEdit_->selectAll();
  return false;
}

bool TFLogFood::NutrientLeave(int field) {
  QLineEdit* edit = nutrientEdits_[static_cast<std::size_t>(field)];
  if (!edit->isModified() || edit->isReadOnly()) return true;
  const std::optional<std::string> warning =
      logging_.EnterNutrient(FieldOf(field), edit->text().toStdString());
  if (warning) {
    checking_ = true;
    prompter_.Warn(*warning);
    checking_ = false;
    edit->setFocus();
    edit->selectAll();
    return false;
  }
  edit->setModified(false);
  showing_ = true;
  quantityLineEdit_->setText(QText(logging_.QuantityText()));
  unitComboBox_->setCurrentIndex(logging_.SelectedUnit());
  showing_ = false;
  ShowFigures();
  edit->setText(QText(logging_.FigureText(FieldOf(field))));
  return true;
}

void TFLogFood::UnitChange(int unit) {
  if (showing_) return;
  logging_.ChooseUnit(unit);
  ShowFigures();
}

void TFLogFood::MealChange(int meal) {
  if (showing_ || meal < 0) return;
  logging_.ChooseMeal(meal);
  showing_ = true;
  mealTimeEdit_->setTime(ToQTime(logging_.SelectedMealTime()));
  showing_ = false;
}

void TFLogFood::MealTimeChange(const QTime& time) {
  if (showing_) return;
  logging_.ChangeMealTime(FromQTime(time));
  ShowMeals();
}

void TFLogFood::NewMealButtonClick() {
  const std::optional<TNewMeal> meal = OnAskNewMeal ? OnAskNewMeal() : std::nullopt;
  if (!meal) return;
  logging_.AddMeal(meal->name, meal->time);
  ShowMeals();
}

void TFLogFood::OkButtonClick() {
  // Every press checks again: a quantity still refused is said again. The
  // quantity a typed figure found stays exact behind its rounded text.
  if (!QuantityLeave()) return;
  for (int i = 0; i < static_cast<int>(nutrientEdits_.size()); ++i) {
    if (!NutrientLeave(i)) return;
  }
  if (!ingredient_) chosenMeal_ = logging_.Confirm();
  accept();
}

TLogFoodResult LogFood(TProgram& program, TPrompter& prompter, TWFoodItem item, TDaysMeals& target,
                       int defaultMeal, QWidget* parent) {
  TFLogFood dialog(program, prompter, std::move(item), target, defaultMeal, parent);
  const bool logged = dialog.exec() == QDialog::Accepted;
  return {logged, logged ? dialog.ChosenMeal() : -1, dialog.Logging().MealsChanged()};
}

}  // namespace korvela
