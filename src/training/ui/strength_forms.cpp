#include "training/ui/strength_forms.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QShortcut>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "energy/ui/calculator_parts.h"
#include "training/strength_profile.h"
#include "training/strength_tools.h"

namespace korvela {
namespace {

constexpr int kMaxStrengthHelpTopic = 68;
constexpr int kPrilepinHelpTopic = 100;
constexpr int kProfileRows = 20;

// A grid that only shows: no editing, no selection to speak of, every row
// on screen without scrolling.
void MakeShowGrid(TMyGrid& grid, const char* name, const char* accessibleName) {
  grid.setObjectName(QString::fromUtf8(name));
  grid.setAccessibleName(QString::fromUtf8(accessibleName));
  grid.SetAlwaysShowEditor(false);
  grid.OnCanEditCell = [](int, int) { return false; };
  grid.setSelectionBehavior(QAbstractItemView::SelectRows);
  grid.setSelectionMode(QAbstractItemView::SingleSelection);
  grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid.horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

// The height that shows every row of the grid.
int FullHeight(const TMyGrid& grid) {
  int height = 2 * grid.frameWidth();
  for (int r = 0; r < grid.rowCount(); ++r) height += grid.rowHeight(r);
  return height;
}

}  // namespace

TFMaxStrength::TFMaxStrength(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      weightEdit_(new TWeightEdit(QStringLiteral("Weight Lifted to Failure:"), program.Config(),
                                  prompter, this)),
      repsComboBox_(new QComboBox(this)),
      grid_(new TMyGrid(kProfileRows + 1, static_cast<int>(kStrengthProfileColumns.size()), this)) {
  setWindowTitle(QString::fromUtf8(kMaxStrengthCaption));
  NameQuantity(*weightEdit_, QStringLiteral("weight"));
  weightEdit_->SetLimits(0.01, static_cast<double>(kMaxStrengthWeightKg));
  repsComboBox_->setObjectName(QStringLiteral("repsComboBox"));
  for (int n = 1; n <= kProfileRows; ++n) repsComboBox_->addItem(QString::number(n));
  repsComboBox_->setCurrentIndex(-1);
  repsComboBox_->setMaxVisibleItems(kProfileRows);
  repsComboBox_->setMinimumContentsLength(4);
  repsComboBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  auto* repsLabel = MakeLabelFor(QStringLiteral("Repetitions:"), repsComboBox_, this);
  repsLabel->setMinimumWidth(weightEdit_->CaptionLabel()->sizeHint().width());
  auto* calculate = MakeButton("Calculate", "calculateButton", this);
  calculate->setDefault(true);

  auto* inputs = new QGroupBox(QString::fromUtf8(kMaxStrengthInputs), this);
  auto* repsRow = new QHBoxLayout;
  repsRow->addWidget(repsLabel);
  repsRow->addWidget(repsComboBox_);
  repsRow->addStretch(1);
  auto* inputsLayout = new QVBoxLayout(inputs);
  inputsLayout->addWidget(weightEdit_, 0, Qt::AlignLeft);
  inputsLayout->addLayout(repsRow);
  inputsLayout->addWidget(calculate, 0, Qt::AlignLeft);
  inputsLayout->addStretch(1);

  MakeShowGrid(*grid_, "profileGrid", kMaxStrengthProfile);
  for (std::size_t c = 0; c < kStrengthProfileColumns.size(); ++c)
    grid_->SetCellText(0, static_cast<int>(c), QString::fromUtf8(kStrengthProfileColumns[c]));
  grid_->setMinimumWidth(3 * EntryWidth(*this, 12));
  grid_->setFixedHeight(FullHeight(*grid_));
  auto* profile = new QGroupBox(QString::fromUtf8(kMaxStrengthProfile), this);
  auto* profileLayout = new QVBoxLayout(profile);
  profileLayout->addWidget(grid_);

  auto* columns = new QHBoxLayout;
  columns->addWidget(inputs, 0);
  columns->addWidget(profile, 1);

  auto* ok = MakeButton("OK", "okButton", this);
  ok->setAutoDefault(false);
  auto* help = MakeButton("Help", "helpButton", this);
  help->setAutoDefault(false);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  buttons->addButton(help, QDialogButtonBox::HelpRole);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  ConnectHelp(*this, help, program_, kMaxStrengthHelpTopic);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(kMaxStrengthHeading, this));
  layout->addLayout(columns, 1);
  layout->addWidget(buttons);

  connect(calculate, &QPushButton::clicked, this, &TFMaxStrength::CalculateButtonClick);
  ShowProfile(-1);
  weightEdit_->Edit()->setFocus();
}

void TFMaxStrength::ShowProfile(double oneRMKg) {
  const auto rows = StrengthProfile(program_.Config(), oneRMKg);
  for (int k = 1; k <= kProfileRows; ++k) {
    const TStrengthRow& row = rows[static_cast<std::size_t>(k - 1)];
    grid_->SetCellText(k, 0, QText(row.Weight));
    grid_->SetCellText(k, 1, QText(row.Reps));
    grid_->SetCellText(k, 2, QText(row.Percent));
  }
}

void TFMaxStrength::CalculateButtonClick() {
  if (!weightEdit_->Validate()) {
    ShowProfile(-1);
    return;
  }
  if (repsComboBox_->currentIndex() < 0) {
    prompter_.Warn(kMsgProvideRepetitions);
    ShowProfile(-1);
    repsComboBox_->setFocus();
    return;
  }
  ShowProfile(static_cast<double>(
      EstimatedOneRM(weightEdit_->Weight(), repsComboBox_->currentIndex() + 1)));
}

TFPrilepin::TFPrilepin(TProgram& program, QWidget* parent)
    : QDialog(parent),
      grid_(new TMyGrid(static_cast<int>(kPrilepinTable.size()),
                        static_cast<int>(kPrilepinTable[0].size()), this)) {
  setWindowTitle(QString::fromUtf8(kPrilepinCaption));
  setModal(false);
  MakeShowGrid(*grid_, "prilepinGrid", kPrilepinCaption);
  for (std::size_t r = 0; r < kPrilepinTable.size(); ++r)
    for (std::size_t c = 0; c < kPrilepinTable[r].size(); ++c)
      grid_->SetCellText(static_cast<int>(r), static_cast<int>(c),
                         QString::fromUtf8(kPrilepinTable[r][c]));
  grid_->setMinimumWidth(4 * EntryWidth(*this, 14));
  grid_->setFixedHeight(FullHeight(*grid_));

  auto* ok = MakeButton("OK", "okButton", this);
  ok->setDefault(true);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, this, [&program] { program.ShowHelp(kPrilepinHelpTopic); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ok->setFocus();
}

TFPrilepin* ShowPrilepinTable(TProgram& program, QWidget* owner) {
  TFPrilepin* open = nullptr;
  if (owner) {
    open = owner->findChild<TFPrilepin*>(QString(), Qt::FindDirectChildrenOnly);
  } else {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* table = qobject_cast<TFPrilepin*>(w); table && !table->parent()) open = table;
  }
  if (!open) {
    open = new TFPrilepin(program, owner);
    open->setAttribute(Qt::WA_DeleteOnClose);
  }
  open->show();
  open->raise();
  open->activateWindow();
  return open;
}

}  // namespace korvela
