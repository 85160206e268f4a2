// Drawing a one-year graph on the chart (series built, axes fitted and the
// whole chart painted into a picture) and the day's calorie curve.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <tuple>
#include <utility>

#include "energy/calorie_fluctuations.h"
#include "widgets/chart.h"

namespace korvela {
namespace {

constexpr double kFirstDay = 39248;  // 15 June 2007
constexpr int kDays = 366;

QList<QPointF> YearOf(double base, double swing) {
  QList<QPointF> points;
  for (int d = 0; d < kDays; ++d)
    points.append(QPointF(kFirstDay + d, base + swing * std::sin(d * 0.21) + (d % 7)));
  return points;
}

void BM_DrawYearOfFourLines(benchmark::State& state) {
  TChart chart;
  chart.resize(1000, 560);
  chart.SetDateAxis(true);
  chart.SetYFromZero(true);
  const QList<QPointF> series[] = {YearOf(2200, 300), YearOf(450, 60), YearOf(600, 90),
                                   YearOf(1000, 150)};
  QImage image(chart.size(), QImage::Format_ARGB32);
  for (auto _ : state) {
    chart.Clear();
    chart.SetTitle(QStringLiteral("Protein/Fats/Carbs/Total Calories Graph"));
    chart.SetAxisTitles(QString(), QStringLiteral("Calories"));
    for (const QList<QPointF>& s : series) chart.AddLineSeries(QStringLiteral("Series"), s);
    chart.ResetZoom();
    QPainter painter(&image);
    chart.Print(painter, image.rect());
    benchmark::DoNotOptimize(image.bits());
  }
}
BENCHMARK(BM_DrawYearOfFourLines)->Unit(benchmark::kMillisecond);

void BM_DrawYearOfColouredBarsWithValues(benchmark::State& state) {
  TChart chart;
  chart.resize(1000, 560);
  chart.SetDateAxis(true);
  chart.show();
  const QList<QColor> palette = {Qt::red, QColor(245, 200, 103), Qt::yellow, Qt::darkGreen};
  QList<QPointF> points;
  QList<QColor> colors;
  for (int d = 0; d < kDays; ++d) {
    const double score = 1 + 4 * std::fabs(std::sin(d * 0.37));
    points.append(QPointF(kFirstDay + d, score));
    colors.append(palette[std::min(3, static_cast<int>(score) - 1)]);
  }
  QImage image(chart.size(), QImage::Format_ARGB32);
  for (auto _ : state) {
    chart.Clear();
    chart.AddColoredBars(QStringLiteral("Recovery Score"), points, colors, true);
    chart.ResetZoom();
    QPainter painter(&image);
    chart.Print(painter, image.rect());
    benchmark::DoNotOptimize(image.bits());
  }
}
BENCHMARK(BM_DrawYearOfColouredBarsWithValues)->Unit(benchmark::kMillisecond);

void BM_FluctuationCurve(benchmark::State& state) {
  TFluctuationInput input;
  input.RestingRate = 1650;
  input.ActivityCoefficient = 1.45;
  input.WakeUpMinute = 390;
  input.StartingBalance = -120;
  const std::pair<double, double> meals[] = {
      {7.5, 450.0}, {10.0, 200.0}, {12.5, 800.0}, {16.0, 250.0}, {19.5, 900.0}};
  for (const auto& [hour, calories] : meals)
    input.Meals.push_back({"Meal", hour / 24, calories, 120});
  const std::tuple<double, float, int> activities[] = {
      {6.75, 8.0f, 45}, {13.0, 3.5f, 30}, {18.0, 6.0f, 90}};
  for (const auto& [hour, met, minutes] : activities) {
    TSECERec a;
    a.Time = hour / 24;
    a.MET = met;
    a.Dur = minutes;
    input.Activities.push_back(a);
  }
  for (auto _ : state) {
    const TFluctuationCurve curve = ComputeFluctuations(input);
    benchmark::DoNotOptimize(HighestPoint(curve));
    benchmark::DoNotOptimize(LowestPoint(curve));
  }
}
BENCHMARK(BM_FluctuationCurve)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvela

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
