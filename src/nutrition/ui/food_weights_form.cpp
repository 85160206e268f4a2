#include "nutrition/ui/food_weights_form.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"

namespace korvela {
namespace {

constexpr int kFoodWeightsHelpTopic = 33;

}  // namespace

TFFoodWeights::TFFoodWeights(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      editor_(program.Units(), program.Config()),
      grid_(new TMeasureGridView("unitsGrid", kUnitDictionaryHeading, true, this)) {
  setWindowTitle(QString::fromUtf8(kUnitDictionaryCaption));

  auto* newButton = MakeButton("New", "newButton", this);
  auto* deleteButton = MakeButton("Delete", "deleteButton", this);
  auto* upButton = MakeButton("Up", "upButton", this);
  auto* downButton = MakeButton("Down", "downButton", this);
  auto* side = new QVBoxLayout;
  for (QPushButton* b : {newButton, deleteButton, upButton, downButton}) {
    b->setAutoDefault(false);
    side->addWidget(b);
  }
  side->addStretch(1);
  auto* middle = new QHBoxLayout;
  middle->addWidget(grid_, 1);
  middle->addLayout(side);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(kUnitDictionaryHeading, this));
  layout->addLayout(middle, 1);
  layout->addWidget(
      MakeDialogButtons(*this, program, kFoodWeightsHelpTopic, [this] { OkButtonClick(); }));

  connect(grid_, &QTableWidget::cellChanged, this, [this](int row, int column) {
    if (filling_ || row < 1) return;
    editor_.Grid().SetCell(row - 1, static_cast<TMeasureColumn>(column),
                           grid_->CellText(row, column).toStdString());
  });
  connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
    if (!filling_ && row >= 1)
      editor_.Grid().SelectCell(row - 1, static_cast<TMeasureColumn>(column));
  });
  connect(newButton, &QPushButton::clicked, this, &TFFoodWeights::NewButtonClick);
  connect(deleteButton, &QPushButton::clicked, this, &TFFoodWeights::DeleteButtonClick);
  connect(upButton, &QPushButton::clicked, this, [this] { MoveButtonClick(true); });
  connect(downButton, &QPushButton::clicked, this, [this] { MoveButtonClick(false); });

  Show();
  grid_->setFocus();
  resize(480, 560);
}

void TFFoodWeights::Show() {
  filling_ = true;
  grid_->Fill(editor_.Grid().Rows());
  grid_->SelectMeasureCell(editor_.Grid().SelectedRow(), editor_.Grid().SelectedColumn());
  filling_ = false;
}

void TFFoodWeights::NewButtonClick() {
  editor_.NewUnit();
  Show();
  grid_->setFocus();
}

void TFFoodWeights::DeleteButtonClick() {
  TMeasureGrid& grid = editor_.Grid();
  if (grid.SelectedRow() < 0) return;
  if (const auto refusal = grid.DeleteRefusal()) {
    prompter_.Warn(*refusal);
    return;
  }
  if (!prompter_.AskYesNo(editor_.DeleteQuestion())) return;
  grid.DeleteSelected();
  Show();
}

void TFFoodWeights::MoveButtonClick(bool up) {
  if (up) {
    editor_.Grid().MoveUp();
  } else {
    editor_.Grid().MoveDown();
  }
  Show();
}

void TFFoodWeights::OkButtonClick() {
  if (const std::optional<TMeasureRowFault> fault = editor_.Check()) {
    prompter_.Warn(fault->message);
    grid_->SelectMeasureCell(fault->row, fault->column);
    grid_->setFocus();
    return;
  }
  if (const auto refused = editor_.Save(program_.Units(), program_.Folder(), program_.Random())) {
    prompter_.Warn(*refused);
    return;
  }
  accept();
}

}  // namespace korvela
