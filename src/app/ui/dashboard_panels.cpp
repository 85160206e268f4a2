#include "app/ui/dashboard_panels.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include "widgets/icons.h"

namespace korvela {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

const QColor kBlue(0x1f, 0x4e, 0xb4);
const QColor kRed(0xc0, 0x26, 0x26);
const QColor kInk(0x2d, 0x37, 0x48);

void Colour(QLabel& label, TEmphasis emphasis) {
  const QColor colour = emphasis == TEmphasis::Blue  ? kBlue
                        : emphasis == TEmphasis::Red ? kRed
                                                     : kInk;
  label.setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
}

QPixmap MarkPicture(TPlanMark mark, int size = 16) {
  switch (mark) {
    case TPlanMark::Pass:
      return KorvelaPixmap("mark-pass", size);
    case TPlanMark::Fail:
      return KorvelaPixmap("mark-fail", size);
    case TPlanMark::NotAvailable:
      break;
  }
  return KorvelaPixmap("mark-not-available", size);
}

QLabel* ValueLabel(QWidget* parent, const char* objectName) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setObjectName(QString::fromLatin1(objectName));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setStyleSheet(QStringLiteral("font-weight: bold;"));
  return label;
}

}  // namespace

TZoneGauge::TZoneGauge(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("zoneGauge"));
  setMinimumSize(240, 46);
}

void TZoneGauge::SetPointer(bool shown, int position) {
  shown_ = shown;
  position_ = position;
  update();
}

void TZoneGauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  // The scale runs from 16 to 224 of 240 units; the widget may be wider.
  const double unit = width() / 240.0;
  const QRectF bar(16 * unit, 16, 208 * unit, 12);
  QLinearGradient gradient(bar.topLeft(), bar.topRight());
  gradient.setColorAt(0, QColor(0xd9, 0x48, 0x3b));
  gradient.setColorAt(0.45, QColor(0xf2, 0xc1, 0x4e));
  gradient.setColorAt(1, QColor(0x4c, 0xa6, 0x5a));
  painter.setPen(Qt::NoPen);
  painter.setBrush(gradient);
  painter.drawRoundedRect(bar, 6, 6);
  painter.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
  painter.drawLine(QPointF(120 * unit, bar.top() + 2), QPointF(120 * unit, bar.bottom() - 2));

  QFont font = painter.font();
  font.setPointSizeF(font.pointSizeF() * 0.85);
  painter.setFont(font);
  painter.setPen(kRed);
  painter.drawText(QRectF(bar.left(), bar.bottom() + 2, bar.width() / 2, 16),
                   Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Inactive Zone"));
  painter.setPen(QColor(0x2f, 0x7d, 0x3f));
  painter.drawText(QRectF(bar.center().x(), bar.bottom() + 2, bar.width() / 2, 16),
                   Qt::AlignRight | Qt::AlignTop, QStringLiteral("Active Zone"));

  if (!shown_) return;
  const double x = position_ * unit;
  QPainterPath pointer;
  pointer.moveTo(x, bar.top() + 3);
  pointer.lineTo(x - 7, bar.top() - 10);
  pointer.lineTo(x + 7, bar.top() - 10);
  pointer.closeSubpath();
  painter.setPen(QPen(Qt::white, 1.5));
  painter.setBrush(kInk);
  painter.drawPath(pointer);
}

TDashboardBox::TDashboardBox(const QString& title, QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("dashboardBox"));
  setStyleSheet(QStringLiteral(
      "QFrame#dashboardBox { background: white; border: 1px solid #d5dde5; border-radius: 6px; }"
      "QLabel { background: transparent; }"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 8, 12, 10);
  layout->setSpacing(6);
  title_ = new QLabel(title, this);
  title_->setTextFormat(Qt::PlainText);
  title_->setStyleSheet(
      QStringLiteral("color: #2f6f5e; font-weight: bold; font-size: 11pt; "
                     "border-bottom: 2px solid #e3ece8; padding-bottom: 3px;"));
  layout->addWidget(title_);
  body_ = new QWidget(this);
  layout->addWidget(body_);
}

TProfilePanels::TProfilePanels(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  weightBox_ = new TDashboardBox(QString(), this);
  auto* weightGrid = new QGridLayout(weightBox_->Body());
  weightGrid->setContentsMargins(0, 0, 0, 0);
  const char* captions[] = {"Last Weigh In ", "Projected Weight", "Target Weight", "Target Date",
                            "Remaining ..."};
  const char* names[] = {"lastWeighIn", "projectedWeight", "targetWeight", "targetDate",
                         "remaining"};
  for (int i = 0; i < 5; ++i) {
    weightGrid->addWidget(new QLabel(QString::fromLatin1(captions[i]), weightBox_->Body()), i, 0);
    weightValues_[static_cast<std::size_t>(i)] = ValueLabel(weightBox_->Body(), names[i]);
    weightGrid->addWidget(weightValues_[static_cast<std::size_t>(i)], i, 1);
  }
  layout->addWidget(weightBox_, 1);

  activityBox_ = new TDashboardBox(QString(), this);
  auto* zone = new QVBoxLayout(activityBox_->Body());
  zone->setContentsMargins(0, 0, 0, 0);
  gauge_ = new TZoneGauge(activityBox_->Body());
  zone->addWidget(gauge_);
  const char* lineNames[] = {"zoneLine1", "zoneLine2", "zoneLine3"};
  for (std::size_t i = 0; i < 3; ++i) {
    zoneLines_[i] = new QLabel(activityBox_->Body());
    zoneLines_[i]->setTextFormat(Qt::PlainText);
    zoneLines_[i]->setObjectName(QString::fromLatin1(lineNames[i]));
    zoneLines_[i]->setAlignment(Qt::AlignCenter);
    zone->addWidget(zoneLines_[i]);
  }
  zoneLines_[0]->setStyleSheet(QStringLiteral("font-weight: bold;"));
  zone->addStretch();
  layout->addWidget(activityBox_, 1);
}

void TProfilePanels::Show(const TDashboardView& view) {
  weightBox_->SetTitle(QStringLiteral("Weight Profile - ") + Q(view.shortHeading));
  activityBox_->SetTitle(QStringLiteral("Activity Profile - ") + Q(view.shortHeading));
  const std::string* values[] = {&view.weight.lastWeighIn, &view.weight.projectedWeight,
                                 &view.weight.targetWeight, &view.weight.targetDate,
                                 &view.weight.remaining};
  for (std::size_t i = 0; i < 5; ++i) weightValues_[i]->setText(Q(*values[i]));
  for (std::size_t i = 0; i < 3; ++i) {
    zoneLines_[i]->setText(Q(view.zone.lines[i]));
    zoneLines_[i]->setVisible(view.zone.lineShown[i]);
  }
  gauge_->SetPointer(view.zone.pointerShown, view.zone.pointer);
}

TDayPanels::TDayPanels(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(10);
  planBox_ = new TDashboardBox(QStringLiteral("Nutrition Plan"), this);
  compositionBox_ = new TDashboardBox(QString(), this);
  balanceBox_ = new TDashboardBox(QString(), this);
  BuildPlan();
  BuildComposition();
  BuildBalance();
  layout->addWidget(planBox_);
  layout->addWidget(compositionBox_);
  layout->addWidget(balanceBox_);
  layout->addStretch();
}

void TDayPanels::BuildPlan() {
  auto* grid = new QGridLayout(planBox_->Body());
  grid->setContentsMargins(0, 0, 0, 0);
  goalNote_ = new QLabel(planBox_->Body());
  goalNote_->setTextFormat(Qt::PlainText);
  goalNote_->setWordWrap(true);
  goalNote_->setObjectName(QStringLiteral("goalNote"));
  goalNote_->setStyleSheet(QStringLiteral("color: #4a5568; font-style: italic;"));
  grid->addWidget(goalNote_, 0, 0, 1, 3);
  for (std::size_t i = 0; i < 3; ++i) {
    const int row = static_cast<int>(i) + 1;
    grid->addWidget(new QLabel(QString::number(row) + QStringLiteral("."), planBox_->Body()), row,
                    0);
    taskTexts_[i] = new QLabel(planBox_->Body());
    taskTexts_[i]->setTextFormat(Qt::PlainText);
    taskTexts_[i]->setObjectName(QStringLiteral("task%1").arg(row));
    taskMarks_[i] = new QLabel(planBox_->Body());
    taskMarks_[i]->setObjectName(QStringLiteral("taskMark%1").arg(row));
    grid->addWidget(taskTexts_[i], row, 1);
    grid->addWidget(taskMarks_[i], row, 2);
  }
  targetBlock_ = new QWidget(planBox_->Body());
  targetBlock_->setObjectName(QStringLiteral("targetBalance"));
  auto* target = new QGridLayout(targetBlock_);
  target->setContentsMargins(0, 6, 0, 0);
  const char* names[] = {"targetLine1", "targetValue", "targetLine3"};
  for (std::size_t i = 0; i < 3; ++i) {
    targetLines_[i] = new QLabel(targetBlock_);
    targetLines_[i]->setTextFormat(Qt::PlainText);
    targetLines_[i]->setObjectName(QString::fromLatin1(names[i]));
    target->addWidget(targetLines_[i], static_cast<int>(i), 0);
  }
  QFont big = targetLines_[1]->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  targetLines_[1]->setFont(big);
  targetMark_ = new QLabel(targetBlock_);
  targetMark_->setObjectName(QStringLiteral("targetMark"));
  target->addWidget(targetMark_, 0, 1, 3, 1, Qt::AlignCenter);
  target->setColumnStretch(0, 1);
  grid->addWidget(targetBlock_, 4, 0, 1, 3);
  grid->setColumnStretch(1, 1);
}

void TDayPanels::BuildComposition() {
  auto* grid = new QGridLayout(compositionBox_->Body());
  grid->setContentsMargins(0, 0, 0, 0);
  const char* columns[] = {"grams", "calories", "%"};
  for (int c = 0; c < 3; ++c) {
    auto* title = new QLabel(QString::fromLatin1(columns[c]), compositionBox_->Body());
    title->setAlignment(Qt::AlignRight);
    title->setStyleSheet(QStringLiteral("color: #4a5568;"));
    grid->addWidget(title, 0, c + 1);
  }
  perWeightTitle_ = new QLabel(compositionBox_->Body());
  perWeightTitle_->setTextFormat(Qt::PlainText);
  perWeightTitle_->setAlignment(Qt::AlignRight);
  perWeightTitle_->setStyleSheet(QStringLiteral("color: #4a5568;"));
  grid->addWidget(perWeightTitle_, 0, 4);
  const char* rows[] = {"Protein", "Fats", "Carbs"};
  for (std::size_t r = 0; r < 3; ++r) {
    grid->addWidget(new QLabel(QString::fromLatin1(rows[r]), compositionBox_->Body()),
                    static_cast<int>(r) + 1, 0);
    for (std::size_t c = 0; c < 4; ++c) {
      auto* cell = ValueLabel(compositionBox_->Body(), "compositionCell");
      compositionCells_[r][c] = cell;
      grid->addWidget(cell, static_cast<int>(r) + 1, static_cast<int>(c) + 1);
    }
  }
  grid->setColumnStretch(0, 1);
}

void TDayPanels::BuildBalance() {
  auto* grid = new QGridLayout(balanceBox_->Body());
  grid->setContentsMargins(0, 0, 0, 0);
  const char* captions[] = {"Calories Eaten",
                            "Thermic Effect of Food",
                            "Resting Metabolic Rate",
                            "Daily Physical Activity",
                            "Exercise",
                            "Total Daily Expenditure",
                            "Net Calorie Balance"};
  const char* names[] = {"eaten",    "thermicEffect", "restingRate", "physicalActivity",
                         "exercise", "expenditure",   "netBalance"};
  for (std::size_t i = 0; i < 7; ++i) {
    const int row = static_cast<int>(i);
    auto* caption = new QLabel(QString::fromLatin1(captions[i]), balanceBox_->Body());
    grid->addWidget(caption, row, 0);
    balanceValues_[i] = ValueLabel(balanceBox_->Body(), names[i]);
    grid->addWidget(balanceValues_[i], row, 1);
    auto* unit = new QLabel(QStringLiteral("cal"), balanceBox_->Body());
    unit->setStyleSheet(QStringLiteral("color: #718096;"));
    grid->addWidget(unit, row, 2);
    if (i == 6) {
      balanceUnit_ = unit;
      balanceUnit_->setObjectName(QStringLiteral("netBalanceUnit"));
      caption->setStyleSheet(QStringLiteral("font-weight: bold; border-top: 1px solid #d5dde5;"));
      QFont big = balanceValues_[i]->font();
      big.setPointSizeF(big.pointSizeF() * 1.3);
      big.setBold(true);
      balanceValues_[i]->setFont(big);
    }
  }
  grid->setColumnStretch(0, 1);
}

void TDayPanels::Show(const TDashboardView& view) {
  compositionBox_->SetTitle(QStringLiteral("Calorie Composition - ") + Q(view.longHeading));
  balanceBox_->SetTitle(QStringLiteral("Calorie Balance - ") + Q(view.longHeading));

  goalNote_->setText(Q(view.plan.goalNote));
  for (std::size_t i = 0; i < 3; ++i) {
    const bool shown = i < view.plan.tasks.size();
    taskTexts_[i]->setVisible(shown);
    taskMarks_[i]->setVisible(shown);
    if (!shown) continue;
    taskTexts_[i]->setText(Q(view.plan.tasks[i].text));
    taskMarks_[i]->setPixmap(MarkPicture(view.plan.tasks[i].mark));
  }
  const TTargetBalance& target = view.plan.balance;
  targetBlock_->setVisible(target.shown);
  if (target.shown) {
    targetLines_[0]->setText(Q(target.firstLine));
    targetLines_[1]->setText(Q(target.target));
    Colour(*targetLines_[1], target.blue ? TEmphasis::Blue : TEmphasis::Red);
    targetLines_[2]->setText(Q(target.thirdLine));
    targetMark_->setPixmap(MarkPicture(target.mark, 28));
  }

  perWeightTitle_->setText(Q(view.composition.perWeightTitle));
  for (std::size_t r = 0; r < 3; ++r)
    for (std::size_t c = 0; c < 4; ++c)
      compositionCells_[r][c]->setText(Q(view.composition.cells[r][c]));

  const TCalorieBalancePanel& balance = view.balance;
  const std::string* values[] = {
      &balance.eaten,    &balance.thermicEffect, &balance.restingRate, &balance.physicalActivity,
      &balance.exercise, &balance.expenditure,   &balance.balance};
  for (std::size_t i = 0; i < 7; ++i) balanceValues_[i]->setText(Q(*values[i]));
  Colour(*balanceValues_[6], balance.balanceColour);
  balanceUnit_->setVisible(balance.balanceUnitShown);
}

}  // namespace korvela
