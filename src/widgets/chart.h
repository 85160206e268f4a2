#pragma once
#include <QChartView>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QString>
#include <QStringList>
#include <vector>

class QGraphicsPolygonItem;
class QGraphicsSimpleTextItem;
class QPrinter;
class QXYSeries;
class QAbstractSeries;

namespace korvela {

enum class TSeriesKind { Line, Point, Bar, Arrow, HorizontalBar };

// The charts of the program: line, point, bar and arrow series over a value
// or date x axis and a value y axis, with axis titles, a title, a legend that
// can be hidden, and printing. On a date or day axis the x values are
// TDateTime day values. The axes fit the data unless ranges are set; a
// fitted y axis keeps a margin around the values. Marks lie over lines.
class TChart : public QChartView {
  Q_OBJECT
 public:
  explicit TChart(QWidget* parent = nullptr);
  ~TChart() override;

  void SetTitle(const QString& title);
  QString Title() const;
  void SetLegendVisible(bool visible);
  bool LegendVisible() const;

  // Switches the x axis between plain values and dates shown in `format`
  // (QDateTime format text).
  void SetDateAxis(bool dates, const QString& format = QStringLiteral("d MMM yyyy"));
  bool DateAxis() const { return dateAxis_; }
  // Switches the x axis to whole days, labelled and gridded at the days that
  // fit its width ("14 Jun", weekly, monthly, ...), anew at every zoom.
  void SetDayAxis(bool days);
  bool DayAxis() const { return dayAxis_; }
  // The labels of a day axis as shown.
  QStringList DayLabels() const;
  void SetAxisTitles(const QString& xTitle, const QString& yTitle);
  QString XAxisTitle() const { return xTitle_; }
  QString YAxisTitle() const { return yTitle_; }
  // printf-style label formats of the value axes, e.g. "%.1f kg".
  void SetYLabelFormat(const QString& format);
  void SetXLabelFormat(const QString& format);
  // Fixed ranges in place of fitting the data; min > max fits again.
  void SetXRange(double min, double max);
  void SetYRange(double min, double max);
  // A fitted y axis takes in 0 even when every value lies above it.
  void SetYFromZero(bool fromZero);
  bool YFromZero() const { return yFromZero_; }

  // Zooming and scrolling the visible ranges. ZoomBy(1.2) shows 1/1.2 of
  // each range about its centre; ScrollBy moves them by fractions of their
  // widths (positive: toward larger values). ResetZoom fits the axes again.
  void ZoomBy(double factor);
  void ScrollBy(double xFraction, double yFraction);
  void ResetZoom();
  bool Zoomed() const { return zoomed_; }
  // The visible ranges in data units (day values on a date axis).
  QPointF XView() const { return {viewX_[0], viewX_[1]}; }
  QPointF YView() const { return {viewY_[0], viewY_[1]}; }

  // Each returns the index of the new series. An invalid colour takes the
  // next colour of the chart's palette.
  // A line marks each of its values when `marked` is set, and always a
  // single value, which a bare line would not show.
  int AddLineSeries(const QString& name, const QList<QPointF>& points, QColor color = {},
                    bool marked = false);
  bool Marked(int index) const;
  int AddPointSeries(const QString& name, const QList<QPointF>& points, QColor color = {});
  // Bars from 0 to each point's y, `width` x units wide, centred on its x.
  int AddBarSeries(const QString& name, const QList<QPointF>& points, double width = 0.8,
                   QColor color = {});
  // Bars each in its own colour (`colors` holds one per point; the legend
  // shows the first), with their values written above them in `decimals`
  // decimals when `valueLabels` is set.
  int AddColoredBars(const QString& name, const QList<QPointF>& points, const QList<QColor>& colors,
                     bool valueLabels, int decimals = 2, double width = 0.8);
  // A shaft from `from` to `to` with a filled head at `to`.
  int AddArrow(const QString& name, QPointF from, QPointF to, QColor color = {});
  // A bar lying along the x axis from 0 to `length`, `thickness` y units
  // thick and centred on `y`, with `label` written on it (or after it when
  // the bar is too short to hold it). A chart of such bars shows no y values.
  int AddHorizontalBar(const QString& label, double y, double length, QColor color = {},
                       double thickness = 0.8);
  void Clear();

  int SeriesCount() const { return static_cast<int>(series_.size()); }
  TSeriesKind Kind(int index) const { return series_.at(static_cast<size_t>(index)).kind; }
  QString SeriesName(int index) const { return series_.at(static_cast<size_t>(index)).name; }
  QList<QPointF> Points(int index) const { return series_.at(static_cast<size_t>(index)).points; }
  QColor SeriesColor(int index) const { return series_.at(static_cast<size_t>(index)).color; }
  // The width of a bar series' bars in x units.
  double BarWidth(int index) const { return series_.at(static_cast<size_t>(index)).width; }
  // The head of an arrow in chart coordinates; empty for other series.
  QPolygonF ArrowHead(int index) const;
  // Where the label of a horizontal bar stands in the widget; empty for
  // other series.
  QRectF BarLabelRect(int index) const;
  // Where a data point lies in the widget.
  QPointF MapToWidget(QPointF value) const;
  // The value labels of a bar series as shown: their texts and where they
  // stand in the widget (labels outside the plot area are hidden and left
  // out).
  QStringList ValueLabels(int index) const;
  QList<QRectF> ValueLabelRects(int index) const;

  // Draws the whole chart into a rectangle of any painter (a page, an image).
  void Print(QPainter& painter, const QRect& target);
  // One page with the chart as large as fits, its shape kept; false when
  // the printer cannot be drawn on.
  bool Print(QPrinter& printer);
  // The chart as shown, as a picture.
  QImage ToImage();
  // Saves the chart as a picture, SVG for a name ending in ".svg" and PNG
  // otherwise, replacing the file in one step. False with the reason in
  // `error` when it cannot be written; an earlier file is then left as it
  // was.
  bool SaveImage(const QString& fileName, QString* error = nullptr);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct TSeries {
    TSeriesKind kind;
    QString name;
    QList<QPointF> points;
    QColor color;
    double width = 0;
    QXYSeries* shown = nullptr;
    QGraphicsPolygonItem* head = nullptr;
    QGraphicsSimpleTextItem* label = nullptr;
    QAbstractSeries* onChart = nullptr;  // what the chart shows for it, for mapping
    QList<QColor> colors = {};           // a coloured bar series: one per point
    bool valueLabels = false;
    bool marked = false;
    int decimals = 2;
    std::vector<QGraphicsSimpleTextItem*> values = {};
  };
  int Add(TSeries series);
  void Rebuild();
  void FitAxes();
  void PlaceArrowHeads();
  void PlaceBarLabels();
  void PlaceValueLabels();
  void AddBarAreas(TSeries& s, QAbstractAxis* xAxis, QAbstractAxis* yAxis);
  void ApplyRanges(double xLo, double xHi, double yLo, double yHi, bool nice, int yTicks = 0,
                   int yDecimals = -1);
  void PlaceDayLabels();
  // Drops the drawn marks (arrow heads, bar labels) of every series.
  void DropMarks();
  qreal ToAxisX(double x) const;

  std::vector<TSeries> series_;
  bool dateAxis_ = false;
  bool dayAxis_ = false;
  bool placingDays_ = false;
  QString dateFormat_ = QStringLiteral("d MMM yyyy");
  QString xTitle_, yTitle_;
  QString xLabelFormat_, yLabelFormat_;
  double xMin_ = 1, xMax_ = 0, yMin_ = 1, yMax_ = 0;
  bool yFromZero_ = false;
  bool zoomed_ = false;
  double viewX_[2] = {0, 1}, viewY_[2] = {0, 1};
};

// The arrow head polygon: tip at `to`, pointing away from `from`, in pixels.
QPolygonF ArrowHeadPolygon(QPointF from, QPointF to, qreal length = 12, qreal halfWidth = 5);

}  // namespace korvela
