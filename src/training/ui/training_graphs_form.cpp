#include "training/ui/training_graphs_form.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <set>

#include "energy/ui/body_form_parts.h"
#include "training/exercise_dictionary.h"
#include "users/ready_periods.h"
#include "widgets/chart_layout.h"

namespace korvela {
namespace {

constexpr const char* kCaption = "Training Graphs";

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TFTrainingGraphs::TFTrainingGraphs(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      period_(new TGraphPeriodBox(program, this)),
      allRadio_(new QRadioButton(QString::fromUtf8(kAllExercisesChoice), this)),
      chosenRadio_(new QRadioButton(QString::fromUtf8(kChosenExercisesChoice), this)),
      listTitle_(new QLabel(this)),
      exerciseList_(new QListWidget(this)),
      graphList_(new QListWidget(this)),
      unitList_(new QComboBox(this)),
      graphButton_(MakeButton("Graph", "graphButton", this)),
      chart_(new TChart(this)),
      fromZero_(MakeYFromZeroChoice(*chart_, this)),
      commands_(new TChartCommands(*chart_, prompter, this)) {
  setWindowTitle(QString::fromUtf8(kCaption));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  allRadio_->setObjectName(QStringLiteral("allExercisesRadioButton"));
  chosenRadio_->setObjectName(QStringLiteral("chosenExercisesRadioButton"));
  allRadio_->setChecked(true);
  auto* choice = new QButtonGroup(this);
  choice->addButton(allRadio_);
  choice->addButton(chosenRadio_);
  listTitle_->setObjectName(QStringLiteral("exerciseListTitleLabel"));
  listTitle_->setWordWrap(true);
  exerciseList_->setObjectName(QStringLiteral("exerciseListWidget"));
  exerciseList_->setAccessibleName(tr("Exercises"));
  exerciseList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  exerciseList_->setTextElideMode(Qt::ElideRight);
  listTitle_->setBuddy(exerciseList_);

  auto* exerciseBox = new QGroupBox(tr("     Which exercises to consider?      "), this);
  exerciseBox->setObjectName(QStringLiteral("exercisesGroupBox"));
  auto* exerciseRows = new QVBoxLayout(exerciseBox);
  exerciseRows->addWidget(allRadio_);
  exerciseRows->addWidget(chosenRadio_);
  exerciseRows->addWidget(listTitle_);
  exerciseRows->addWidget(exerciseList_, 1);
  auto* hint = new QLabel(tr("Hint: Hold the CTRL key to select multiple exercises"), this);
  hint->setWordWrap(true);
  exerciseRows->addWidget(hint);

  graphList_->setObjectName(QStringLiteral("graphListWidget"));
  graphList_->setAccessibleName(tr("Graphs"));
  for (const std::string_view name : kTrainingGraphNames) graphList_->addItem(Text(name));
  graphList_->setCurrentRow(static_cast<int>(kDefaultTrainingGraph));
  graphList_->setFixedHeight(graphList_->sizeHintForRow(0) * 9 + 6);
  unitList_->setObjectName(QStringLiteral("distanceUnitComboBox"));
  for (const std::string_view name : kGraphDistanceUnitNames) unitList_->addItem(Text(name));
  unitList_->setCurrentIndex(static_cast<int>(DefaultGraphDistanceUnit(program.Config())));
  auto* graphBox = new QGroupBox(tr("  Select Graph  "), this);
  graphBox->setObjectName(QStringLiteral("selectGraphGroupBox"));
  auto* graphRows = new QVBoxLayout(graphBox);
  graphRows->addWidget(graphList_);
  auto* unitRow = new QHBoxLayout;
  unitRow->addWidget(MakeBuddyLabel("Distance In:", unitList_, this));
  unitRow->addWidget(unitList_, 1);
  graphRows->addLayout(unitRow);
  fromZero_->setChecked(true);
  graphRows->addWidget(fromZero_);

  chart_->setObjectName(QStringLiteral("trainingChart"));
  chart_->SetDayAxis(true);
  chart_->SetLegendVisible(false);
  chart_->setMinimumSize(560, 380);

  auto* left = new QVBoxLayout;
  left->setContentsMargins(0, 0, 0, 0);
  left->addWidget(period_);
  left->addWidget(exerciseBox, 1);
  auto* leftWidget = new QWidget(this);
  leftWidget->setLayout(left);
  leftWidget->setFixedWidth(290);
  auto* middle = new QVBoxLayout;
  middle->setContentsMargins(0, 0, 0, 0);
  middle->addWidget(graphBox);
  middle->addWidget(graphButton_);
  middle->addStretch(1);
  auto* middleWidget = new QWidget(this);
  middleWidget->setLayout(middle);
  middleWidget->setFixedWidth(170);

  auto* right = new QVBoxLayout;
  right->addWidget(chart_, 1);
  right->addWidget(commands_);
  auto* body = new QHBoxLayout;
  body->addWidget(leftWidget);
  body->addWidget(middleWidget);
  body->addLayout(right, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body, 1);
  auto* buttons = MakeGraphButtons(*this, program, [this] { accept(); });
  layout->addWidget(buttons);

  period_->OnPeriodChange = [this] {
    if (chosenRadio_->isChecked()) RebuildExerciseList();
    // The chart follows the period at once.
    Draw(false);
  };
  connect(allRadio_, &QRadioButton::toggled, this, &TFTrainingGraphs::ChoiceChange);
  connect(graphButton_, &QPushButton::clicked, this, &TFTrainingGraphs::GraphButtonClick);
  ChoiceChange();
  resize(1100, 640);
  Draw(false);
}

void TFTrainingGraphs::ChoiceChange() {
  if (chosenRadio_->isChecked()) {
    RebuildExerciseList();
    return;
  }
  periodExercises_.clear();
  exerciseList_->clear();
  listTitle_->setText(tr("Exercises"));
  exerciseList_->setEnabled(false);
}

void TFTrainingGraphs::RebuildExerciseList() {
  exerciseList_->clear();
  exerciseList_->setEnabled(true);
  listTitle_->setText(Text(korvela::ExerciseListTitle(period_->From(), period_->To())));
  periodExercises_ =
      PeriodExercises(program_.Session()->DayRecords(), period_->From(), period_->To());
  for (const std::int32_t id : periodExercises_) {
    const TDrill* drill = program_.Exercises().Find(id);
    auto* item =
        new QListWidgetItem(drill ? QString::fromStdString(drill->Name) : QString(), exerciseList_);
    item->setToolTip(item->text());
  }
}

void TFTrainingGraphs::GraphButtonClick() { Draw(true); }

void TFTrainingGraphs::Draw(bool warn) {
  if (DayOf(period_->To()) < DayOf(period_->From())) {
    if (!warn) return;
    prompter_.Warn(kPeriodOrderMessage);
    period_->FromEdit()->Edit()->setFocus();
    return;
  }
  TDayRecordStore& records = program_.Session()->DayRecords();
  std::set<std::int32_t> considered;
  if (chosenRadio_->isChecked()) {
    for (int row = 0; row < exerciseList_->count(); ++row)
      if (exerciseList_->item(row)->isSelected())
        considered.insert(periodExercises_[static_cast<std::size_t>(row)]);
  } else {
    for (const std::int32_t id : PeriodExercises(records, period_->From(), period_->To()))
      considered.insert(id);
  }
  if (considered.empty() && warn) {
    prompter_.Warn(kNoExercisesMessage);
    return;
  }
  const auto graph = static_cast<TTrainingGraph>(std::max(0, graphList_->currentRow()));
  const std::int32_t unit =
      kGraphDistanceUnits[static_cast<std::size_t>(std::max(0, unitList_->currentIndex()))];
  const TTrainingGraphLook look = TrainingGraphLook(graph, program_.Config().MetricSystem(), unit);
  // Without exercises the chart still shows the period, empty.
  QList<QPointF> points;
  if (!considered.empty())
    for (const TGraphPoint& p :
         TrainingGraphPoints(records, program_.Exercises(), program_.Config(), graph, unit,
                             period_->From(), period_->To(), considered))
      points.append(QPointF(p.Day, static_cast<double>(p.Value)));
  chart_->Clear();
  chart_->SetTitle(QString::fromStdString(look.Title));
  chart_->SetAxisTitles(QString(), QString::fromStdString(look.YTitle));
  const TDayRange days = PeriodDayRange(period_->From(), period_->To());
  chart_->SetXRange(days.Min, days.Max);
  chart_->SetYFromZero(fromZero_->isChecked());
  if (look.Bars)
    chart_->AddBarSeries(QString::fromStdString(look.SeriesName), points,
                         DayBarWidth(days.Max - days.Min, chart_->chart()->plotArea().width()));
  else
    chart_->AddLineSeries(QString::fromStdString(look.SeriesName), points, {}, true);
  chart_->ResetZoom();
}

}  // namespace korvela
