#include <QDateTimeAxis>
#include <QFile>
#include <QFileInfo>
#include <QLegend>
#include <QLegendMarker>
#include <QPainter>
#include <QPrinter>
#include <QSet>
#include <QXYSeries>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>
#include <cmath>

#include "storage/date_time.h"
#include "widget_tests.h"
#include "widgets/chart.h"

namespace korvela::test {
namespace {

const QColor kArrowColor(200, 30, 30);

// The weight-goal picture: 80 kg today, 72 kg on the target date.
struct TWeightChart {
  TChart chart;
  const double today = EncodeDate(2007, 3, 10);
  const double target = EncodeDate(2007, 6, 18);
  TWeightChart() {
    chart.resize(480, 320);
    chart.SetTitle(QStringLiteral("Bodyweight"));
    chart.SetDateAxis(true);
    chart.SetAxisTitles(QStringLiteral("Date"), QStringLiteral("Weight"));
    chart.SetYLabelFormat(QStringLiteral("%.1f kg"));
    chart.SetLegendVisible(false);
    chart.AddArrow(QStringLiteral("Goal"), QPointF(today, 80), QPointF(target, 72), kArrowColor);
  }
};

class TChartTest : public QObject {
  Q_OBJECT
 private slots:
  void KeepsItsSeriesAndAxes() {
    TWeightChart w;
    w.chart.AddLineSeries(QStringLiteral("Trend"), {{w.today - 10, 81}, {w.today, 80}});
    w.chart.AddPointSeries(QStringLiteral("Weigh-ins"), {{w.today - 10, 81.5}});
    w.chart.AddBarSeries(QStringLiteral("Calories"), {{w.today - 5, 2}, {w.today - 4, 3}});
    QCOMPARE(w.chart.SeriesCount(), 4);
    QCOMPARE(w.chart.Kind(0), TSeriesKind::Arrow);
    QCOMPARE(w.chart.Kind(1), TSeriesKind::Line);
    QCOMPARE(w.chart.Kind(2), TSeriesKind::Point);
    QCOMPARE(w.chart.Kind(3), TSeriesKind::Bar);
    QCOMPARE(w.chart.Points(0).last(), QPointF(w.target, 72));
    QCOMPARE(w.chart.SeriesName(2), QStringLiteral("Weigh-ins"));
    QCOMPARE(w.chart.chart()->series().size(), 4);
    QCOMPARE(w.chart.Title(), QStringLiteral("Bodyweight"));
    QVERIFY(!w.chart.LegendVisible());

    // The axes carry their titles and cover every point, the arrow's end too.
    const auto* dates = qobject_cast<QDateTimeAxis*>(w.chart.chart()->axes(Qt::Horizontal).first());
    const auto* values = qobject_cast<QValueAxis*>(w.chart.chart()->axes(Qt::Vertical).first());
    QVERIFY(dates && values);
    QCOMPARE(dates->titleText(), QStringLiteral("Date"));
    QCOMPARE(values->titleText(), QStringLiteral("Weight"));
    QCOMPARE(values->labelFormat(), QStringLiteral("%.1f kg"));
    QVERIFY(dates->min().date() <= QDate(2007, 2, 28));
    QVERIFY(dates->max().date() >= QDate(2007, 6, 18));
    QCOMPARE(values->min(), 0.0);  // bars stand on 0, and no value is negative
    QVERIFY(values->max() >= 81.5);

    w.chart.Clear();
    QCOMPARE(w.chart.SeriesCount(), 0);
    QVERIFY(w.chart.chart()->series().isEmpty());
  }

  void TheArrowEndsInAFilledHeadAtItsEndPoint() {
    TWeightChart w;
    w.chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.chart));
    const QPolygonF head = w.chart.ArrowHead(0);
    QCOMPARE(head.size(), 3);
    QVERIFY(w.chart.ArrowHead(0) != QPolygonF());
    const QPointF tip = w.chart.mapFromScene(w.chart.chart()->mapToScene(head[0]));
    const QPointF end = w.chart.MapToWidget(QPointF(w.target, 72));
    const QPointF start = w.chart.MapToWidget(QPointF(w.today, 80));
    QVERIFY(QLineF(tip, end).length() < 1.0);
    QVERIFY(end.x() > start.x() && end.y() > start.y());  // later and lighter: down to the right

    // The head is filled: a solid patch of the arrow's colour just behind the tip.
    const QImage image = w.chart.grab().toImage();
    const QPointF dir = (end - start) / QLineF(start, end).length();
    const QPoint inside = (end - dir * 9).toPoint();
    QCOMPARE(CountPixels(image, QRect(inside - QPoint(1, 1), QSize(3, 3)), kArrowColor), 9);
    // The shaft runs back to the start.
    const QPoint middle = ((start + end) / 2).toPoint();
    QVERIFY(CountPixels(image, QRect(middle - QPoint(2, 2), QSize(5, 5)), kArrowColor) > 0);
    QCOMPARE(
        CountPixels(image, QRect(start.toPoint() - QPoint(20, 20), QSize(10, 10)), kArrowColor), 0);

    // The head follows the plot when the chart is resized.
    w.chart.resize(640, 400);
    QTest::qWait(0);
    const QPointF newEnd = w.chart.MapToWidget(QPointF(w.target, 72));
    const QPointF newTip =
        w.chart.mapFromScene(w.chart.chart()->mapToScene(w.chart.ArrowHead(0)[0]));
    QVERIFY(QLineF(newTip, newEnd).length() < 1.0);
    QVERIFY(QLineF(newEnd, end).length() > 10);

    // Clearing the chart takes the head away with its arrow.
    w.chart.Clear();
    QTest::qWait(0);
    QCOMPARE(CountPixels(w.chart.grab().toImage(), w.chart.rect(), kArrowColor), 0);
  }

  void HorizontalBarsLieAlongXWithTheirLabels() {
    TChart chart;
    chart.resize(560, 300);
    chart.SetLegendVisible(false);
    const QColor blue(31, 90, 180), red(200, 40, 40);
    chart.AddHorizontalBar(QStringLiteral("LBM #1 = 64 kg"), 2, 64, blue);
    chart.AddHorizontalBar(QStringLiteral("Fat Mass #1 = 2 kg"), 1, 2, red);
    QCOMPARE(chart.Kind(0), TSeriesKind::HorizontalBar);
    QCOMPARE(chart.SeriesName(1), QStringLiteral("Fat Mass #1 = 2 kg"));
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    const auto* x = qobject_cast<QValueAxis*>(chart.chart()->axes(Qt::Horizontal).first());
    const auto* y = qobject_cast<QValueAxis*>(chart.chart()->axes(Qt::Vertical).first());
    QCOMPARE(x->min(), 0.0);  // the bars start at the axis
    QVERIFY(x->max() >= 64);
    QVERIFY(y->min() <= 0.6 && y->max() >= 2.4);
    QVERIFY(!y->labelsVisible());  // the labels tell the bars apart

    // The long bar holds its label; the short one has it just after its end.
    const QImage image = chart.grab().toImage();
    const QPointF longEnd = chart.MapToWidget(QPointF(64, 2));
    const QPointF origin = chart.MapToWidget(QPointF(0, 2));
    const QRectF longLabel = chart.BarLabelRect(0);
    QVERIFY(longLabel.left() >= origin.x() && longLabel.right() <= longEnd.x());
    QVERIFY(std::abs(longLabel.center().y() - origin.y()) < 2);
    const QPointF shortEnd = chart.MapToWidget(QPointF(2, 1));
    QVERIFY(chart.BarLabelRect(1).left() > shortEnd.x());
    const QPoint inBar = ((origin + longEnd) / 2).toPoint() + QPoint(0, 6);
    QVERIFY(CountPixels(image, QRect(inBar - QPoint(1, 1), QSize(3, 3)), blue) > 0);

    chart.Clear();
    QCOMPARE(chart.SeriesCount(), 0);
    QVERIFY(chart.chart()->series().isEmpty());
  }

  void ColouredBarsCarryTheirValues() {
    TChart chart;
    chart.resize(560, 320);
    const QColor red(255, 0, 0), green(0, 128, 0);
    chart.AddColoredBars(QStringLiteral("Score"), {{1, 1.9}, {2, 4.5}, {3, 1.5}}, {red, green, red},
                         true);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    // One legend entry for the series, whatever its colours.
    int shownMarkers = 0;
    for (const QLegendMarker* marker : chart.chart()->legend()->markers())
      shownMarkers += marker->isVisible() ? 1 : 0;
    QCOMPARE(shownMarkers, 1);

    const QImage image = chart.grab().toImage();
    const auto middleOf = [&chart](double x, double y) {
      return ((chart.MapToWidget(QPointF(x, 0)) + chart.MapToWidget(QPointF(x, y))) / 2).toPoint();
    };
    const QRect probe(-1, -1, 3, 3);
    QCOMPARE(CountPixels(image, probe.translated(middleOf(1, 1.9)), red), 9);
    QCOMPARE(CountPixels(image, probe.translated(middleOf(2, 4.5)), green), 9);
    QCOMPARE(CountPixels(image, probe.translated(middleOf(2, 4.5)), red), 0);

    QCOMPARE(chart.ValueLabels(0),
             (QStringList{QStringLiteral("1.90"), QStringLiteral("4.50"), QStringLiteral("1.50")}));
    // Each value stands just above its bar.
    const QList<QRectF> rects = chart.ValueLabelRects(0);
    QCOMPARE(rects.size(), 3);
    const QPointF top = chart.MapToWidget(QPointF(2, 4.5));
    QVERIFY(std::abs(rects[1].center().x() - top.x()) < 2);
    QVERIFY(rects[1].bottom() <= top.y() + 1 && rects[1].bottom() > top.y() - 6);

    // Zoomed onto the middle bar, the others and their values leave the plot.
    chart.ZoomBy(4);
    QTest::qWait(0);
    QCOMPARE(chart.ValueLabels(0), QStringList{QStringLiteral("4.50")});
  }

  void ValuesOfCrowdedBarsNeverOverlap() {
    TChart chart;
    chart.resize(560, 320);
    QList<QPointF> points;
    for (int d = 0; d < 366; ++d) points.append(QPointF(d, 1 + d % 4));
    chart.AddColoredBars(QStringLiteral("Score"), points, {Qt::darkGreen}, true);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    const QList<QRectF> rects = chart.ValueLabelRects(0);
    QVERIFY(rects.size() > 5);
    QVERIFY(rects.size() < 366);
    for (qsizetype i = 1; i < rects.size(); ++i) QVERIFY(!rects[i].intersects(rects[i - 1]));
    // Zoomed in far enough, every value in view shows.
    chart.ZoomBy(40);
    QTest::qWait(0);
    const QList<QRectF> near = chart.ValueLabelRects(0);
    QVERIFY(!near.isEmpty());
    for (qsizetype i = 1; i < near.size(); ++i) QVERIFY(near[i].left() > near[i - 1].right());
  }

  void ZoomScrollAndResetMoveTheVisibleRanges() {
    TChart chart;
    chart.resize(480, 320);
    chart.SetYFromZero(true);
    chart.AddLineSeries(QStringLiteral("Weight"), {{0, 80}, {100, 90}});
    const QPointF x0 = chart.XView(), y0 = chart.YView();
    QCOMPARE(y0.x(), 0.0);  // from zero although every value is above it
    QVERIFY(!chart.Zoomed());

    chart.ZoomBy(1.2);
    QVERIFY(chart.Zoomed());
    const QPointF x1 = chart.XView(), y1 = chart.YView();
    QVERIFY(std::abs((x1.y() - x1.x()) * 1.2 - (x0.y() - x0.x())) < 1e-9);
    QVERIFY(std::abs((x1.x() + x1.y()) - (x0.x() + x0.y())) < 1e-9);  // about its centre
    QVERIFY(std::abs((y1.y() - y1.x()) * 1.2 - (y0.y() - y0.x())) < 1e-9);

    chart.ScrollBy(0.1, 0);
    const QPointF x2 = chart.XView();
    QVERIFY(std::abs(x2.x() - (x1.x() + 0.1 * (x1.y() - x1.x()))) < 1e-9);
    QCOMPARE(chart.YView(), y1);
    chart.ScrollBy(0, -0.1);
    QVERIFY(chart.YView().x() < y1.x());

    chart.ZoomBy(0.8);
    QVERIFY(chart.XView().y() - chart.XView().x() > x2.y() - x2.x());
    chart.ResetZoom();
    QVERIFY(!chart.Zoomed());
    QCOMPARE(chart.XView(), x0);
    QCOMPARE(chart.YView(), y0);
  }

  void ADayAxisLabelsTheShownDaysAnewAtEveryZoom() {
    TChart chart;
    chart.resize(640, 360);
    chart.SetDayAxis(true);
    const double june1 = EncodeDate(2007, 6, 1);
    chart.SetXRange(june1 - 0.5, june1 + 29.5);
    chart.AddBarSeries(QStringLiteral("Volume"), {{june1 + 12, 1350}}, 0.7);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    const auto faults = [&chart](int least) -> QString {
      const QStringList labels = chart.DayLabels();
      if (labels.size() < least) return QStringLiteral("few: ") + labels.join(u'|');
      if (QSet<QString>(labels.begin(), labels.end()).size() != labels.size())
        return QStringLiteral("repeated: ") + labels.join(u'|');
      return {};
    };
    QCOMPARE(faults(3), QString());
    QVERIFY(chart.DayLabels().contains(QStringLiteral("11 Jun")));  // a Monday
    // Zoomed in to a few days, every day is labelled.
    chart.ZoomBy(5);
    QCOMPARE(faults(5), QString());
    QVERIFY(chart.DayLabels().contains(QStringLiteral("13 Jun")));
    // Zoomed far out, months; never more labels than the width holds.
    for (int i = 0; i < 12; ++i) chart.ZoomBy(0.5);
    QCOMPARE(faults(2), QString());
    QVERIFY(chart.DayLabels().size() <= 12);
    QVERIFY(chart.DayLabels().first().contains(u' '));
    chart.ResetZoom();
    QCOMPARE(chart.XView(), QPointF(june1 - 0.5, june1 + 29.5));
    // A y axis of bars keeps 0 whether or not it is asked to.
    QCOMPARE(chart.YView().x(), 0.0);
  }

  void SingleValuesOfALineAreMarkedAndMarksLieOverLines() {
    TChart chart;
    chart.AddPointSeries(QStringLiteral("Weigh-ins"), {{1, 78.4}, {3, 77.9}});
    chart.AddLineSeries(QStringLiteral("Projected"), {{1, 78.5}, {2, 78.3}, {3, 78.1}});
    chart.AddLineSeries(QStringLiteral("Fat Mass"), {{2, 17.2}});
    chart.AddLineSeries(QStringLiteral("Lean Body Mass"), {{1, 60}, {3, 59.5}}, {}, true);
    QVERIFY(!chart.Marked(1));
    QVERIFY(chart.Marked(2));
    QVERIFY(chart.Marked(3));
    QVERIFY(!chart.Marked(0));  // marks are not a line
    const QList<QAbstractSeries*> drawn = chart.chart()->series();
    QCOMPARE(drawn.size(), 4);
    QCOMPARE(drawn.last()->name(), QStringLiteral("Weigh-ins"));
    QVERIFY(qobject_cast<QXYSeries*>(drawn.at(1))->pointsVisible());
    QVERIFY(!qobject_cast<QXYSeries*>(drawn.at(0))->pointsVisible());
    // Fitted, the axis takes in 17.2 to 78.5 with a margin and no more.
    QVERIFY(chart.YView().x() > 0 && chart.YView().x() <= 17.2 - 6.13);
    QVERIFY(chart.YView().y() >= 78.5 + 6.13 && chart.YView().y() <= 100);
  }

  void SavesItselfAsPngAndSvg() {
    TWeightChart w;
    w.chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.chart));
    QTemporaryDir folder;
    const QString png = folder.filePath(QStringLiteral("graph.png"));
    QVERIFY(w.chart.SaveImage(png));
    const QImage read(png);
    QCOMPARE(read.size(), w.chart.viewport()->size());
    QVERIFY(CountPixels(read, read.rect(), kArrowColor) > 20);

    const QString svg = folder.filePath(QStringLiteral("graph.SVG"));
    QVERIFY(w.chart.SaveImage(svg));
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("<svg"));
    QVERIFY(text.contains("Bodyweight"));

    // A folder that is not there: the reason comes back.
    QString error;
    QVERIFY(!w.chart.SaveImage(folder.filePath(QStringLiteral("gone/graph.png")), &error));
    QVERIFY(!error.isEmpty());
  }

  void PrintsTheWholeChartIntoAPage() {
    TWeightChart w;
    w.chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.chart));
    QImage page(960, 640, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
      QPainter painter(&page);
      w.chart.Print(painter, page.rect());
    }
    // Twice the size on the page: the head's patch grows with it.
    QVERIFY(CountPixels(page, page.rect(), kArrowColor) >
            2 * CountPixels(w.chart.grab().toImage(), w.chart.rect(), kArrowColor));

    QTemporaryDir folder;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("chart.pdf")));
    w.chart.Print(printer);
    QVERIFY(QFileInfo(printer.outputFileName()).size() > 1000);
  }
};

}  // namespace

int RunChartTests(int argc, char** argv) {
  TChartTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "chart_test.moc"
