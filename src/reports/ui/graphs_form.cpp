#include "reports/ui/graphs_form.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "users/ready_periods.h"
#include "widgets/chart_layout.h"

namespace korvela {
namespace {

constexpr const char* kCaption = "Nutrition, Bodyweight and Recovery Graphs";

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor ColorOf(TColorValue rgb) { return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)); }

}  // namespace

void ShowGraphData(TChart& chart, const TGraphData& data) {
  chart.Clear();
  chart.SetTitle(Text(data.Title));
  chart.SetAxisTitles(QString(), Text(data.YTitle));
  const TDayRange days = PeriodDayRange(data.From, data.To);
  chart.SetXRange(days.Min, days.Max);
  const double barWidth = DayBarWidth(days.Max - days.Min, chart.chart()->plotArea().width());
  for (const TSeriesData& s : data.Series) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(s.Points.size()));
    for (const TGraphPoint& p : s.Points)
      points.append(QPointF(p.Day, static_cast<double>(p.Value)));
    switch (s.Style) {
      case TSeriesStyle::Line:
      case TSeriesStyle::MarkedLine:
        chart.AddLineSeries(Text(s.Name), points, {}, s.Style == TSeriesStyle::MarkedLine);
        break;
      case TSeriesStyle::Points:
        chart.AddPointSeries(Text(s.Name), points);
        break;
      case TSeriesStyle::Bars: {
        QList<QColor> colors;
        for (const TColorValue c : s.Colors) colors.append(ColorOf(c));
        chart.AddColoredBars(Text(s.Name), points, colors, s.ValueLabels, 2, barWidth);
        break;
      }
    }
  }
  chart.ResetZoom();
}

TFGraphs::TFGraphs(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      period_(new TGraphPeriodBox(program, this)),
      tabs_(new QTabBar(this)),
      graphList_(new QListWidget(this)),
      graphButton_(MakeButton("Graph", "graphButton", this)),
      chart_(new TChart(this)),
      fromZero_(MakeYFromZeroChoice(*chart_, this)),
      commands_(new TChartCommands(*chart_, prompter, this)) {
  setWindowTitle(QString::fromUtf8(kCaption));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  tabs_->setObjectName(QStringLiteral("graphTabBar"));
  for (const TDiaryGraphTab& tab : DiaryGraphTabs()) tabs_->addTab(Text(tab.Name));
  graphList_->setObjectName(QStringLiteral("graphListWidget"));
  graphList_->setAccessibleName(tr("Graphs"));
  graphList_->setTextElideMode(Qt::ElideRight);
  graphList_->setWordWrap(true);

  auto* selectBox = new QGroupBox(tr("Select Graph"), this);
  selectBox->setObjectName(QStringLiteral("selectGraphGroupBox"));
  auto* selectRows = new QVBoxLayout(selectBox);
  selectRows->addWidget(tabs_);
  selectRows->addWidget(graphList_, 1);
  selectRows->addWidget(fromZero_);

  chart_->setObjectName(QStringLiteral("graphChart"));
  chart_->SetDayAxis(true);
  chart_->setMinimumSize(600, 380);

  auto* left = new QVBoxLayout;
  left->addWidget(period_);
  left->addWidget(selectBox, 1);
  left->addWidget(graphButton_);
  auto* leftWidget = new QWidget(this);
  leftWidget->setLayout(left);
  leftWidget->setFixedWidth(300);
  left->setContentsMargins(0, 0, 0, 0);

  auto* right = new QVBoxLayout;
  right->addWidget(chart_, 1);
  right->addWidget(commands_);
  auto* body = new QHBoxLayout;
  body->addWidget(leftWidget);
  body->addLayout(right, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body, 1);
  auto* buttons = MakeGraphButtons(*this, program, [this] { accept(); });
  layout->addWidget(buttons);

  connect(tabs_, &QTabBar::currentChanged, this, &TFGraphs::TabChange);
  connect(graphList_, &QListWidget::currentRowChanged, this, &TFGraphs::GraphListChange);
  // The chart always shows the chosen period, from the start.
  period_->OnPeriodChange = [this] { Draw(false); };
  connect(graphButton_, &QPushButton::clicked, this, &TFGraphs::GraphButtonClick);
  connect(graphList_, &QListWidget::itemDoubleClicked, this, &TFGraphs::GraphButtonClick);
  TabChange(0);
  resize(1060, 640);
  Draw(false);
}

void TFGraphs::GraphListChange() {
  // Each graph starts with its own y axis; the user may then choose.
  const QSignalBlocker quiet(fromZero_);
  fromZero_->setChecked(DiaryGraphFromZero(ChosenGraph()));
}

void TFGraphs::TabChange(int index) {
  graphList_->clear();
  if (index < 0) return;
  for (const TDiaryGraph graph : DiaryGraphTabs()[static_cast<std::size_t>(index)].Graphs) {
    auto* item = new QListWidgetItem(Text(DiaryGraphName(graph)), graphList_);
    item->setData(Qt::UserRole, static_cast<int>(graph));
    item->setToolTip(item->text());
  }
  graphList_->setCurrentRow(0);
}

TDiaryGraph TFGraphs::ChosenGraph() const {
  const QListWidgetItem* item = graphList_->currentItem();
  return item ? static_cast<TDiaryGraph>(item->data(Qt::UserRole).toInt()) : TDiaryGraph::Calories;
}

void TFGraphs::GraphButtonClick() { Draw(true); }

void TFGraphs::Draw(bool warn) {
  if (DayOf(period_->To()) < DayOf(period_->From())) {
    if (!warn) return;
    prompter_.Warn(kPeriodOrderMessage);
    period_->FromEdit()->Edit()->setFocus();
    return;
  }
  chart_->SetYFromZero(fromZero_->isChecked());
  TUserSession& session = *program_.Session();
  ShowGraphData(*chart_,
                DiaryGraphData(ChosenGraph(), session.Energy(), session.DayRecords(),
                               program_.Config().MetricSystem(), period_->From(), period_->To()));
}

}  // namespace korvela
