#include "energy/ui/fluctuations_form.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QRadioButton>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "energy/ui/graph_period_box.h"
#include "nutrition/fluctuation_meals.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr const char* kCaption = "Analyze Daily Calorie Balance Fluctuations";
constexpr const char* kChartTitle = "Daily Calorie Balance Fluctuations";
constexpr int kMinGridRows = 5;
constexpr int kDefaultDigestionHours = 2;

}  // namespace

TFFluctuations::TFFluctuations(TProgram& program, TPrompter& prompter, TDateTime day,
                               QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      foodLogs_(std::make_unique<TFoodLogStore>(program.CurrentUser()->Folder, program.Random())),
      day_(DayOf(day)),
      dateEdit_(MakeDateEntry(program, "dateLineEdit", "Date", this)),
      wakeUpTimeEdit_(new QTimeEdit(this)),
      setAllButton_(MakeButton("Set Digestion Time of All Meals to", "setAllButton", this)),
      hoursSpinBox_(new QSpinBox(this)),
      mealsGrid_(new TMyGrid(kMinGridRows + 1, 2, this)),
      startGroup_(new QButtonGroup(this)),
      calculateButton_(MakeButton("Calculate And Graph", "calculateButton", this)),
      chart_(new TChart(this)),
      commands_(new TChartCommands(*chart_, prompter, this)),
      highestLabel_(new QLabel(this)),
      lowestLabel_(new QLabel(this)) {
  setWindowTitle(QString::fromUtf8(kCaption));
  wakeUpTimeEdit_->setObjectName(QStringLiteral("wakeUpTimeEdit"));
  wakeUpTimeEdit_->setDisplayFormat(program.Config().TimeFormat() == TTimeFormat::hr24
                                        ? QStringLiteral("HH:mm")
                                        : QStringLiteral("hh:mm AP"));
  hoursSpinBox_->setObjectName(QStringLiteral("hoursSpinBox"));
  hoursSpinBox_->setRange(0, kMaxDigestionMinutes / 60);
  hoursSpinBox_->setValue(kDefaultDigestionHours);
  hoursSpinBox_->setAccessibleName(tr("Digestion time of all meals in hours"));
  dateEdit_->setFixedWidth(140);

  mealsGrid_->setObjectName(QStringLiteral("mealsGrid"));
  mealsGrid_->setAccessibleName(tr("Meals and their digestion times"));
  mealsGrid_->SetCellText(0, 0, tr("Meal"));
  mealsGrid_->SetCellText(0, 1, tr("*DT(mins)"));
  mealsGrid_->setColumnWidth(0, 230);
  mealsGrid_->setColumnWidth(1, 80);
  mealsGrid_->setFixedWidth(330);
  mealsGrid_->OnCanEditCell = [this](int row, int column) {
    return column == 1 && row >= 1 && row <= static_cast<int>(meals_.size());
  };

  auto* startBox = new QGroupBox(tr("Starting Midnight Balance?"), this);
  startBox->setObjectName(QStringLiteral("startGroupBox"));
  auto* startRows = new QVBoxLayout(startBox);
  const char* choices[] = {"Previous day's balance / 2", "Previous day's balance", "0 balance"};
  const char* names[] = {"halfBalanceRadioButton", "balanceRadioButton", "zeroBalanceRadioButton"};
  for (int i = 0; i < 3; ++i) {
    auto* radio = new QRadioButton(QString::fromUtf8(choices[i]), startBox);
    radio->setObjectName(QString::fromUtf8(names[i]));
    startGroup_->addButton(radio, i);
    startRows->addWidget(radio);
  }
  startGroup_->button(0)->setChecked(true);

  chart_->setObjectName(QStringLiteral("fluctuationsChart"));
  chart_->SetTitle(QString::fromUtf8(kChartTitle));
  chart_->SetDateAxis(true, program.Config().TimeFormat() == TTimeFormat::hr24
                                ? QStringLiteral("HH")
                                : QStringLiteral("hAP"));
  chart_->SetAxisTitles(tr("Time of the day"), tr("Calorie Balance"));
  chart_->SetYLabelFormat(QStringLiteral("%.0f"));
  chart_->SetLegendVisible(false);
  chart_->setMinimumSize(560, 360);
  highestLabel_->setObjectName(QStringLiteral("highestLabel"));
  lowestLabel_->setObjectName(QStringLiteral("lowestLabel"));

  auto* dateRow = new QHBoxLayout;
  dateRow->addWidget(MakeBuddyLabel("Date", dateEdit_->Edit(), this));
  dateRow->addWidget(dateEdit_);
  dateRow->addSpacing(12);
  dateRow->addWidget(MakeBuddyLabel("Wake up time", wakeUpTimeEdit_, this));
  dateRow->addWidget(wakeUpTimeEdit_);
  dateRow->addStretch(1);
  auto* setAllRow = new QHBoxLayout;
  setAllRow->addWidget(setAllButton_);
  setAllRow->addWidget(hoursSpinBox_);
  setAllRow->addWidget(new QLabel(tr("hours"), this));
  setAllRow->addStretch(1);

  auto* left = new QVBoxLayout;
  left->addLayout(dateRow);
  left->addLayout(setAllRow);
  left->addWidget(mealsGrid_, 1);
  left->addWidget(new QLabel(tr("*DT = Digestion Time"), this));
  left->addWidget(startBox);
  left->addWidget(calculateButton_);

  auto* right = new QVBoxLayout;
  right->addWidget(chart_, 1);
  right->addWidget(commands_);
  right->addWidget(highestLabel_);
  right->addWidget(lowestLabel_);

  auto* body = new QHBoxLayout;
  body->addLayout(left);
  body->addLayout(right, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(kCaption, this));
  layout->addLayout(body, 1);
  auto* buttons = MakeGraphButtons(*this, program, [this] { OkButtonClick(); });
  layout->addWidget(buttons);

  dateEdit_->UserOnDateChange = [this] { DateChange(); };
  connect(wakeUpTimeEdit_, &QTimeEdit::timeChanged, this, &TFFluctuations::WakeUpTimeChange);
  connect(setAllButton_, &QPushButton::clicked, this, &TFFluctuations::SetAllDigestionTimesClick);
  connect(calculateButton_, &QPushButton::clicked, this, &TFFluctuations::CalculateButtonClick);
  LoadDay();
}

TFFluctuations::~TFFluctuations() {
  foodLogs_->Close();
  if (program_.Session()) program_.Session()->DayRecords().FlushDayRecords();
}

TDateTime TFFluctuations::WakeUpTime() const {
  return wakeUpTimeEdit_->time().msecsSinceStartOfDay() / 86400000.0;
}

void TFFluctuations::LoadDay() {
  loading_ = true;
  dateEdit_->SetDate(day_);
  TDayRecordStore& records = program_.Session()->DayRecords();
  const int seconds = SecondsOfDay(WakeUpTimeOn(records, day_));
  wakeUpTimeEdit_->setTime(QTime::fromMSecsSinceStartOfDay(seconds * 1000));
  wakeUpChanged_ = false;
  meals_.clear();
  chart_->Clear();
  highestLabel_->clear();
  lowestLabel_->clear();
  const std::optional<TDaysMeals> log = foodLogs_->LoadDayLog(day_);
  if (log) meals_ = FluctuationMeals(*log, hoursSpinBox_->value() * 60);
  ShowDigestionTimes();
  SetCalculationEnabled(log.has_value());
  loading_ = false;
  if (!log)
    prompter_.Warn("You have logged no food for " + LongDateText(day_) +
                   "! Please select another date");
}

void TFFluctuations::SetCalculationEnabled(bool enabled) {
  for (QWidget* control : std::initializer_list<QWidget*>{
           wakeUpTimeEdit_, setAllButton_, hoursSpinBox_, calculateButton_, commands_})
    control->setEnabled(enabled);
  for (QAbstractButton* radio : startGroup_->buttons()) radio->setEnabled(enabled);
  chart_->setVisible(enabled);
}

void TFFluctuations::ShowDigestionTimes() {
  mealsGrid_->setRowCount(std::max<int>(kMinGridRows, static_cast<int>(meals_.size())) + 1);
  for (int row = 1; row < mealsGrid_->rowCount(); ++row) {
    const bool meal = row <= static_cast<int>(meals_.size());
    const TFluctuationMeal* m = meal ? &meals_[static_cast<std::size_t>(row - 1)] : nullptr;
    mealsGrid_->SetCellText(
        row, 0, m ? QText(TimeOfDayText(program_.Config(), m->TOD) + " " + m->Name) : QString());
    mealsGrid_->SetCellText(row, 1, m ? QString::number(m->DigestionMinutes) : QString());
  }
}

void TFFluctuations::DateChange() {
  StoreWakeUp();
  day_ = DayOf(dateEdit_->Date());
  LoadDay();
}

void TFFluctuations::WakeUpTimeChange() {
  if (!loading_) wakeUpChanged_ = true;
}

void TFFluctuations::StoreWakeUp() {
  if (!wakeUpChanged_) return;
  StoreWakeUpTime(program_.Session()->DayRecords(), day_, WakeUpTime());
  wakeUpChanged_ = false;
}

void TFFluctuations::SetAllDigestionTimesClick() {
  const int minutes = DigestionMinutesOfHours(hoursSpinBox_->value());
  for (TFluctuationMeal& meal : meals_) meal.DigestionMinutes = minutes;
  ShowDigestionTimes();
}

void TFFluctuations::CalculateButtonClick() {
  if (meals_.empty() && !calculateButton_->isEnabled()) return;
  for (std::size_t i = 0; i < meals_.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    const std::optional<int> dt = ReadDigestionTime(mealsGrid_->CellText(row, 1).toStdString());
    if (!dt) {
      mealsGrid_->setCurrentCell(row, 1);
      prompter_.Warn(kInvalidDigestionTimeMessage);
      return;
    }
    meals_[i].DigestionMinutes = *dt;
  }
  TEnergyModel& model = program_.Session()->Energy();
  TDayRecordStore& records = program_.Session()->DayRecords();
  model.CheckTodayProjection();
  const TFluctuationRates rates = FluctuationRates(model, day_);
  if (WakeUpTooLate(WakeUpTime())) {
    prompter_.Warn(kWakeUpTooLateMessage);
    return;
  }
  TFluctuationInput input;
  input.RestingRate = rates.RestingRate;
  input.ActivityCoefficient = rates.ActivityCoefficient;
  input.WakeUpMinute = MinuteOfDay(WakeUpTime());
  input.StartingBalance = StartingBalance(model, records, day_,
                                          static_cast<TStartingBalance>(startGroup_->checkedId()));
  input.Meals = meals_;
  if (TDBC* cal = records.FindDayRecord(kCalStatKind, day_))
    input.Activities = records.Loaded<TCalStat>(*cal).Entries;
  const TFluctuationCurve curve = ComputeFluctuations(input);

  QList<QPointF> points;
  points.reserve(kMinutesPerDay);
  for (int m = 0; m < kMinutesPerDay; ++m)
    points.append(QPointF(day_ + m / static_cast<double>(kMinutesPerDay),
                          static_cast<double>(curve[static_cast<std::size_t>(m)])));
  chart_->Clear();
  chart_->SetXRange(day_, day_ + 1);  // midnight to midnight
  chart_->SetTitle(QString::fromUtf8(kChartTitle) + QStringLiteral(" ") +
                   QText(ShortDateText(day_)));
  chart_->AddLineSeries(tr("Calorie Balance"), points);
  chart_->ResetZoom();
  highestLabel_->setText(QText(HighestText(program_.Config(), HighestPoint(curve))));
  lowestLabel_->setText(QText(LowestText(program_.Config(), LowestPoint(curve))));
}

void TFFluctuations::OkButtonClick() {
  StoreWakeUp();
  accept();
}

}  // namespace korvela
