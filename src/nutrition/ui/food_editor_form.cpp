#include "nutrition/ui/food_editor_form.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "nutrition/ui/calorie_pie.h"
#include "nutrition/ui/food_form_parts.h"
#include "nutrition/user_food_edits.h"

namespace korvela {
namespace {

constexpr int kFoodEditorHelpTopic = 41;
constexpr std::array<const char*, 4> kNutrientNames = {"proteinLineEdit", "fatLineEdit",
                                                       "carbsLineEdit", "alcoholLineEdit"};

int Column(TMeasureColumn column) { return static_cast<int>(column); }

}  // namespace

TMeasureGridView::TMeasureGridView(const char* name, const char* accessibleName, bool editable,
                                   QWidget* parent)
    : TMyGrid(1, 3, parent) {
  setObjectName(QString::fromUtf8(name));
  setAccessibleName(QString::fromUtf8(accessibleName));
  SetCellText(0, 0, QString::fromUtf8(kAmountColumn));
  SetCellText(0, 1, QString::fromUtf8(kUnitColumn));
  SetCellText(0, 2, QString::fromUtf8(kGramsColumn));
  if (!editable) {
    SetAlwaysShowEditor(false);
    OnCanEditCell = [](int, int) { return false; };
    setSelectionBehavior(QAbstractItemView::SelectRows);
  }
  setColumnWidth(0, 60);
  setColumnWidth(2, 70);
  horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setMinimumSize(300, 150);
}

void TMeasureGridView::Fill(const std::vector<TMeasureRow>& rows) {
  setRowCount(static_cast<int>(rows.size()) + 1);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    SetCellText(row, 0, QText(rows[i].amount));
    SetCellText(row, 1, QText(rows[i].unit));
    SetCellText(row, 2, QText(rows[i].grams));
  }
}

void TMeasureGridView::SelectMeasureCell(int row, TMeasureColumn column) {
  if (row < 0) return;
  setCurrentCell(row + 1, Column(column));
}

TFFoodEditor::TFFoodEditor(TProgram& program, TPrompter& prompter, TUserFood& food, bool isNew,
                           QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      editor_(food, isNew, program.Foods(), program.Units(), program.Config()),
      nameLineEdit_(MakeLineEdit("foodNameLineEdit", this, 200)),
      categoryComboBox_(new QComboBox(this)),
      nutrientEdits_{},
      caloriesLineEdit_(MakeLineEdit("caloriesLineEdit", this)),
      portionLineEdit_(MakeLineEdit("portionLineEdit", this, 12)),
      pie_(MakeCaloriePie(this)),
      portionsGrid_(new TMeasureGridView("portionsGrid", kPortionsHeading, true, this)),
      unitsGrid_(new TMeasureGridView("unitsGrid", kPredefinedUnitsHeading, false, this)) {
  setWindowTitle(QText(editor_.Caption()));

  nameLineEdit_->setText(QText(editor_.NameText()));
  nameLineEdit_->setCursorPosition(0);
  categoryComboBox_->setObjectName(QStringLiteral("categoryComboBox"));
  for (const std::string& name : editor_.CategoryNames()) categoryComboBox_->addItem(QText(name));
  categoryComboBox_->setCurrentIndex(editor_.Category());
  categoryComboBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  categoryComboBox_->setMinimumContentsLength(24);
  categoryComboBox_->setMaxVisibleItems(20);

  auto* top = new QFormLayout;
  top->addRow(MakeBuddyLabel("Food Name:", nameLineEdit_, this), nameLineEdit_);
  top->addRow(MakeBuddyLabel("Food Category:", categoryComboBox_, this), categoryComboBox_);

  auto* nutrients = new QGridLayout;
  for (std::size_t i = 0; i < nutrientEdits_.size(); ++i) {
    nutrientEdits_[i] = MakeLineEdit(kNutrientNames[i], this, 12);
    nutrientEdits_[i]->setFixedWidth(80);
    nutrientEdits_[i]->setAlignment(Qt::AlignRight);
    nutrients->addWidget(MakeBuddyLabel(kNutrientLabels[i], nutrientEdits_[i], this),
                         static_cast<int>(i), 0);
    nutrients->addWidget(nutrientEdits_[i], static_cast<int>(i), 1);
  }
  caloriesLineEdit_->setReadOnly(true);
  caloriesLineEdit_->setFocusPolicy(Qt::NoFocus);
  caloriesLineEdit_->setFixedWidth(80);
  caloriesLineEdit_->setAlignment(Qt::AlignRight);
  nutrients->addWidget(MakeBuddyLabel("Calories:", caloriesLineEdit_, this), 4, 0);
  nutrients->addWidget(caloriesLineEdit_, 4, 1);
  portionLineEdit_->setText(QString::fromUtf8(kDefaultPortion));
  portionLineEdit_->setFixedWidth(80);
  portionLineEdit_->setAlignment(Qt::AlignRight);
  nutrients->addWidget(MakeBuddyLabel(kPortionLabel, portionLineEdit_, this), 5, 0);
  nutrients->addWidget(portionLineEdit_, 5, 1);
  nutrients->addWidget(new QLabel(QStringLiteral("grams"), this), 5, 2);
  auto* nutrientRow = new QHBoxLayout;
  nutrientRow->addLayout(nutrients);
  nutrientRow->addWidget(pie_, 1);
  pie_->setMinimumSize(260, 150);

  // The food's measures on the left, the dictionary on the right.
  auto* newButton = MakeButton("New", "newButton", this);
  auto* deleteButton = MakeButton("Delete", "deleteButton", this);
  auto* upButton = MakeButton("Up", "upButton", this);
  auto* downButton = MakeButton("Down", "downButton", this);
  auto* copyButton = MakeButton("Copy <<", "copyButton", this);
  for (QPushButton* b : {newButton, deleteButton, upButton, downButton, copyButton})
    b->setAutoDefault(false);
  auto* portionButtons = new QHBoxLayout;
  for (QPushButton* b : {newButton, deleteButton, upButton, downButton})
    portionButtons->addWidget(b);
  portionButtons->addStretch(1);
  auto* portionsBox = new QGroupBox(QString::fromUtf8(kPortionsHeading), this);
  auto* portionsLayout = new QVBoxLayout(portionsBox);
  portionsLayout->addWidget(portionsGrid_, 1);
  portionsLayout->addLayout(portionButtons);
  auto* unitsBox = new QGroupBox(QString::fromUtf8(kPredefinedUnitsHeading), this);
  auto* unitsLayout = new QVBoxLayout(unitsBox);
  unitsLayout->addWidget(unitsGrid_, 1);
  auto* copyColumn = new QVBoxLayout;
  copyColumn->addStretch(1);
  copyColumn->addWidget(copyButton);
  copyColumn->addStretch(1);
  auto* grids = new QHBoxLayout;
  grids->addWidget(portionsBox, 1);
  grids->addLayout(copyColumn);
  grids->addWidget(unitsBox, 1);

  QDialogButtonBox* buttons =
      MakeDialogButtons(*this, program, kFoodEditorHelpTopic, [this] { OkButtonClick(); });
  cancelButton_ = buttons->findChild<QPushButton*>(QStringLiteral("cancelButton"));
  cancelButton_->setAutoDefault(false);
  buttons->findChild<QPushButton*>(QStringLiteral("helpButton"))->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(nutrientRow);
  layout->addLayout(grids, 1);
  layout->addWidget(buttons);

  // Tab in reading order: the nutrients under the name, then the measures
  // from left to right, before the dialog's buttons.
  QWidget* const order[] = {
      categoryComboBox_, nutrientEdits_[0], nutrientEdits_[1], nutrientEdits_[2], nutrientEdits_[3],
      portionLineEdit_,  portionsGrid_,     newButton,         deleteButton,      upButton,
      downButton,        copyButton,        unitsGrid_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  for (QLineEdit* edit : {nameLineEdit_, nutrientEdits_[0], nutrientEdits_[1], nutrientEdits_[2],
                          nutrientEdits_[3], portionLineEdit_})
    edit->installEventFilter(this);
  connect(categoryComboBox_, &QComboBox::currentIndexChanged, this, &TFFoodEditor::CategoryChange);
  connect(portionsGrid_, &QTableWidget::cellChanged, this, &TFFoodEditor::PortionCellChange);
  connect(portionsGrid_, &QTableWidget::currentCellChanged, this, &TFFoodEditor::PortionCellSelect);
  connect(unitsGrid_, &QTableWidget::cellDoubleClicked, copyButton, &QPushButton::click);
  connect(newButton, &QPushButton::clicked, this, &TFFoodEditor::NewButtonClick);
  connect(copyButton, &QPushButton::clicked, this, &TFFoodEditor::CopyButtonClick);
  connect(deleteButton, &QPushButton::clicked, this, &TFFoodEditor::DeleteButtonClick);
  connect(upButton, &QPushButton::clicked, this, [this] { MoveButtonClick(true); });
  connect(downButton, &QPushButton::clicked, this, [this] { MoveButtonClick(false); });

  for (std::size_t i = 0; i < nutrientEdits_.size(); ++i)
    nutrientEdits_[i]->setText(QText(editor_.NutrientText(static_cast<int>(i))));
  ShowNutrients();
  unitsGrid_->Fill(editor_.DictionaryRows());
  if (!editor_.DictionaryRows().empty()) unitsGrid_->setCurrentCell(1, 0);
  ShowPortions();
  nameLineEdit_->setFocus();
  nameLineEdit_->selectAll();
  resize(820, 600);
}

void TFFoodEditor::ShowNutrients() {
  caloriesLineEdit_->setText(QText(editor_.CaloriesText()));
  pie_->setVisible(editor_.ChartVisible());
  ShowCalorieShares(*pie_, editor_.Shares());
}

void TFFoodEditor::ShowPortions() {
  filling_ = true;
  TMeasureGrid& grid = editor_.Portions();
  portionsGrid_->Fill(grid.Rows());
  portionsGrid_->SelectMeasureCell(grid.SelectedRow(), grid.SelectedColumn());
  filling_ = false;
}

bool TFFoodEditor::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (!edit) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    // A refused text stops Enter from reaching OK; a good one goes on.
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !FieldLeave(edit)) return true;
  }
  if (event->type() == QEvent::FocusOut && !checking_) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
        QApplication::focusWidget() != cancelButton_)
      FieldLeave(edit);
  }
  return QDialog::eventFilter(watched, event);
}

bool TFFoodEditor::FieldLeave(QLineEdit* edit) {
  const std::string text = edit->text().toStdString();
  std::optional<std::string> warning;
  if (edit == nameLineEdit_) {
    warning = editor_.LeaveName(text);
  } else if (edit == portionLineEdit_) {
    warning = editor_.LeavePortion(text);
  } else {
    const auto it = std::find(nutrientEdits_.begin(), nutrientEdits_.end(), edit);
    if (it == nutrientEdits_.end()) return true;
    warning = editor_.LeaveNutrient(static_cast<int>(it - nutrientEdits_.begin()), text);
    if (!warning) ShowNutrients();
  }
  if (!warning) return true;
  checking_ = true;
  prompter_.Warn(*warning);
  checking_ = false;
  edit->setFocus();
  edit->selectAll();
  return false;
}

void TFFoodEditor::CategoryChange(int category) { editor_.ChooseCategory(category); }

void TFFoodEditor::PortionCellChange(int row, int column) {
  if (filling_ || row < 1) return;
  const auto measureColumn = static_cast<TMeasureColumn>(column);
  if (editor_.Portions().SetCell(row - 1, measureColumn,
                                 portionsGrid_->CellText(row, column).toStdString())) {
    filling_ = true;
    portionsGrid_->SetCellText(
        row, 2, QText(editor_.Portions().Rows()[static_cast<std::size_t>(row - 1)].grams));
    filling_ = false;
  }
}

void TFFoodEditor::PortionCellSelect(int row, int column) {
  if (filling_ || row < 1) return;
  editor_.Portions().SelectCell(row - 1, static_cast<TMeasureColumn>(column));
}

void TFFoodEditor::NewButtonClick() {
  editor_.NewPortion();
  ShowPortions();
  portionsGrid_->setFocus();
}

void TFFoodEditor::CopyButtonClick() {
  const int row = unitsGrid_->currentRow();
  if (row < 1) return;
  editor_.CopyUnit(row - 1);
  ShowPortions();
  portionsGrid_->setFocus();
}

void TFFoodEditor::DeleteButtonClick() {
  TMeasureGrid& grid = editor_.Portions();
  if (grid.SelectedRow() < 0) return;
  if (const auto refusal = grid.DeleteRefusal()) {
    prompter_.Warn(*refusal);
    return;
  }
  if (!prompter_.AskYesNo(grid.DeleteQuestion(""))) return;
  grid.DeleteSelected();
  ShowPortions();
}

void TFFoodEditor::MoveButtonClick(bool up) {
  if (up) {
    editor_.Portions().MoveUp();
  } else {
    editor_.Portions().MoveDown();
  }
  ShowPortions();
}

void TFFoodEditor::OkButtonClick() {
  std::array<std::string, 4> nutrients;
  for (std::size_t i = 0; i < nutrients.size(); ++i)
    nutrients[i] = nutrientEdits_[i]->text().toStdString();
  const std::optional<TFoodEditorFault> fault = editor_.Apply(
      nameLineEdit_->text().toStdString(), nutrients, portionLineEdit_->text().toStdString());
  if (fault) {
    checking_ = true;
    prompter_.Warn(fault->message);
    checking_ = false;
    QLineEdit* const fields[] = {nameLineEdit_,     nutrientEdits_[0], nutrientEdits_[1],
                                 nutrientEdits_[2], nutrientEdits_[3], portionLineEdit_};
    if (fault->field == TFoodField::Portions) {
      portionsGrid_->SelectMeasureCell(fault->row, fault->column);
      portionsGrid_->setFocus();
    } else {
      QLineEdit* edit = fields[static_cast<int>(fault->field)];
      edit->setFocus();
      edit->selectAll();
    }
    return;
  }
  TUserSession* session = program_.Session();
  TFrequentFoods none(program_.Random());
  if (const auto refused = editor_.Save(session ? session->FrequentFoods() : none,
                                        program_.Folder(), program_.Random())) {
    prompter_.Warn(*refused);
    return;
  }
  accept();
}

void TFFoodEditor::reject() {
  editor_.Restore();
  QDialog::reject();
}

TUserFood* NewUserFoodDialog(TProgram& program, TPrompter& prompter, QWidget* parent) {
  std::unique_ptr<TUserFood> food = NewUserFood(program.Foods(), kNewFoodName);
  TFFoodEditor dialog(program, prompter, *food, true, parent);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  TUserFood* added = food.get();
  program.Foods().UserFoodList().Foods.push_back(std::move(food));
  return added;
}

bool EditUserFoodDialog(TProgram& program, TPrompter& prompter, TUserFood& food, QWidget* parent) {
  TFFoodEditor dialog(program, prompter, food, false, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace korvela
