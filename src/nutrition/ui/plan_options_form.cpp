#include "nutrition/ui/plan_options_form.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "nutrition/ui/calorie_pie.h"
#include "nutrition/ui/food_form_parts.h"

namespace korvela {
namespace {

constexpr int kMenuOptionsHelpTopic = 39;

}  // namespace

TFMenuOptions::TFMenuOptions(TProgram& program, TPrompter& prompter, TDaysMeals& plan,
                             QWidget* parent)
    : QDialog(parent),
      prompter_(prompter),
      options_(plan),
      nameLineEdit_(MakeLineEdit("nameLineEdit", this)),
      notesTextEdit_(new QPlainTextEdit(this)) {
  setWindowTitle(QText(options_.Caption()));
  nameLineEdit_->setText(QText(options_.NameText()));
  nameLineEdit_->setReadOnly(options_.IsLog());
  nameLineEdit_->setCursorPosition(0);
  notesTextEdit_->setObjectName(QStringLiteral("notesTextEdit"));
  notesTextEdit_->setPlainText(QText(options_.NotesText()));
  notesTextEdit_->setTabChangesFocus(true);
  notesTextEdit_->setMinimumHeight(90);

  auto* nameLabel = MakeBuddyLabel(options_.NameLabel().c_str(), nameLineEdit_, this);
  auto* notesLabel = MakeBuddyLabel(options_.NotesLabel().c_str(), notesTextEdit_, this);

  // The composition: grams and calories, then the shares of the calories.
  auto* composition = new QGroupBox(QText(options_.CompositionLabel()), this);
  auto* table = new QGridLayout;
  const std::array<std::string, 7> texts = CompositionTexts(options_.Totals());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const int row = static_cast<int>(i < 4 ? i : i - 4);
    const int column = i < 4 ? 0 : 2;
    table->addWidget(new QLabel(QString::fromUtf8(kCompositionLabels[i]), composition), row,
                     column);
    auto* value = new QLabel(QText(texts[i]), composition);
    value->setObjectName(QStringLiteral("composition%1Label").arg(i));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setMinimumWidth(50);
    table->addWidget(value, row, column + 1);
  }
  table->setColumnMinimumWidth(2, 120);
  table->setRowStretch(4, 1);
  auto* pie = MakeCaloriePie(composition);
  const TNutrients totals = options_.Totals();
  ShowCalorieShares(*pie, CalorieShares(totals.P, totals.F, totals.C, totals.A));
  auto* compositionRow = new QHBoxLayout(composition);
  compositionRow->addLayout(table);
  compositionRow->addWidget(pie, 1);
  pie->setMinimumSize(270, 130);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(nameLabel);
  layout->addWidget(nameLineEdit_);
  layout->addWidget(notesLabel);
  layout->addWidget(notesTextEdit_, 1);
  layout->addWidget(composition);
  layout->addWidget(
      MakeDialogButtons(*this, program, kMenuOptionsHelpTopic, [this] { OkButtonClick(); }));
  (options_.IsLog() ? static_cast<QWidget*>(notesTextEdit_) : nameLineEdit_)->setFocus();
  resize(660, 460);
}

void TFMenuOptions::OkButtonClick() {
  if (const auto warning = options_.Confirm(nameLineEdit_->text().toStdString(),
                                            notesTextEdit_->toPlainText().toStdString())) {
    prompter_.Warn(*warning);
    nameLineEdit_->setFocus();
    return;
  }
  accept();
}

bool EditPlanOptions(TProgram& program, TPrompter& prompter, TDaysMeals& plan, QWidget* parent) {
  TFMenuOptions dialog(program, prompter, plan, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace korvela
