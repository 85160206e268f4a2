#include "widgets/chart.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFontMetricsF>
#include <QGraphicsPolygonItem>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "widgets/chart_layout.h"

namespace korvela {
namespace {

const QColor kPalette[] = {QColor(31, 90, 180),  QColor(200, 40, 40),  QColor(40, 150, 60),
                           QColor(230, 130, 20), QColor(120, 60, 170), QColor(20, 150, 160)};

// Milliseconds since the epoch of a day value, in local time like the axis.
qreal DayToMSecs(double day) {
  const double whole = std::floor(day);
  const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(whole));
  const int msecs = static_cast<int>(std::lround((day - whole) * 86400000.0));
  return static_cast<qreal>(QDateTime(date, QTime(0, 0).addMSecs(msecs)).toMSecsSinceEpoch());
}

}  // namespace

QPolygonF ArrowHeadPolygon(QPointF from, QPointF to, qreal length, qreal halfWidth) {
  QPointF dir = to - from;
  const qreal len = std::hypot(dir.x(), dir.y());
  dir = len > 0 ? dir / len : QPointF(1, 0);
  const QPointF normal(-dir.y(), dir.x());
  const QPointF base = to - dir * length;
  return QPolygonF({to, base + normal * halfWidth, base - normal * halfWidth});
}

TChart::TChart(QWidget* parent) : QChartView(new QChart(), parent) {
  setRenderHint(QPainter::Antialiasing);
  // Nothing in a chart answers keys: Tab passes it by.
  setFocusPolicy(Qt::NoFocus);
  chart()->setAnimationOptions(QChart::NoAnimation);
  chart()->legend()->setAlignment(Qt::AlignBottom);
  connect(chart(), &QChart::plotAreaChanged, this, [this] {
    PlaceDayLabels();
    PlaceArrowHeads();
    PlaceBarLabels();
    PlaceValueLabels();
  });
  Rebuild();
}

TChart::~TChart() = default;

void TChart::SetTitle(const QString& title) { chart()->setTitle(title); }
QString TChart::Title() const { return chart()->title(); }

void TChart::SetLegendVisible(bool visible) { chart()->legend()->setVisible(visible); }
bool TChart::LegendVisible() const { return chart()->legend()->isVisible(); }

void TChart::SetDateAxis(bool dates, const QString& format) {
  dateAxis_ = dates;
  if (dates) dayAxis_ = false;
  dateFormat_ = format;
  Rebuild();
}

void TChart::SetDayAxis(bool days) {
  dayAxis_ = days;
  if (days) dateAxis_ = false;
  Rebuild();
}

QStringList TChart::DayLabels() const {
  const QList<QAbstractAxis*> xs = chart()->axes(Qt::Horizontal);
  auto* days = xs.isEmpty() ? nullptr : qobject_cast<QCategoryAxis*>(xs.first());
  return days ? days->categoriesLabels() : QStringList();
}

bool TChart::Marked(int index) const {
  const TSeries& s = series_.at(static_cast<size_t>(index));
  return s.kind == TSeriesKind::Line && (s.marked || s.points.size() == 1);
}

void TChart::SetAxisTitles(const QString& xTitle, const QString& yTitle) {
  xTitle_ = xTitle;
  yTitle_ = yTitle;
  Rebuild();
}

void TChart::SetYLabelFormat(const QString& format) {
  yLabelFormat_ = format;
  Rebuild();
}

void TChart::SetXLabelFormat(const QString& format) {
  xLabelFormat_ = format;
  Rebuild();
}

void TChart::SetXRange(double min, double max) {
  xMin_ = min;
  xMax_ = max;
  FitAxes();
}

void TChart::SetYRange(double min, double max) {
  yMin_ = min;
  yMax_ = max;
  FitAxes();
}

void TChart::SetYFromZero(bool fromZero) {
  yFromZero_ = fromZero;
  FitAxes();
}

void TChart::ZoomBy(double factor) {
  if (!(factor > 0)) return;
  for (double* view : {viewX_, viewY_}) {
    const double centre = (view[0] + view[1]) / 2, half = (view[1] - view[0]) / 2 / factor;
    view[0] = centre - half;
    view[1] = centre + half;
  }
  zoomed_ = true;
  FitAxes();
}

void TChart::ScrollBy(double xFraction, double yFraction) {
  const double dx = (viewX_[1] - viewX_[0]) * xFraction;
  const double dy = (viewY_[1] - viewY_[0]) * yFraction;
  viewX_[0] += dx, viewX_[1] += dx;
  viewY_[0] += dy, viewY_[1] += dy;
  zoomed_ = true;
  FitAxes();
}

void TChart::ResetZoom() {
  zoomed_ = false;
  FitAxes();
}

int TChart::Add(TSeries series) {
  if (!series.color.isValid())
    series.color = kPalette[series_.size() % (sizeof kPalette / sizeof kPalette[0])];
  series_.push_back(std::move(series));
  Rebuild();
  return SeriesCount() - 1;
}

int TChart::AddLineSeries(const QString& name, const QList<QPointF>& points, QColor color,
                          bool marked) {
  TSeries series{TSeriesKind::Line, name, points, color};
  series.marked = marked;
  return Add(std::move(series));
}

int TChart::AddPointSeries(const QString& name, const QList<QPointF>& points, QColor color) {
  return Add({TSeriesKind::Point, name, points, color});
}

int TChart::AddBarSeries(const QString& name, const QList<QPointF>& points, double width,
                         QColor color) {
  return Add({TSeriesKind::Bar, name, points, color, width});
}

int TChart::AddColoredBars(const QString& name, const QList<QPointF>& points,
                           const QList<QColor>& colors, bool valueLabels, int decimals,
                           double width) {
  TSeries series{TSeriesKind::Bar, name, points, colors.isEmpty() ? QColor() : colors.front(),
                 width};
  series.colors = colors;
  series.valueLabels = valueLabels;
  series.decimals = decimals;
  return Add(std::move(series));
}

int TChart::AddArrow(const QString& name, QPointF from, QPointF to, QColor color) {
  return Add({TSeriesKind::Arrow, name, {from, to}, color});
}

int TChart::AddHorizontalBar(const QString& label, double y, double length, QColor color,
                             double thickness) {
  return Add({TSeriesKind::HorizontalBar, label, {QPointF(length, y)}, color, thickness});
}

void TChart::DropMarks() {
  for (TSeries& s : series_) {
    delete s.head;
    s.head = nullptr;
    delete s.label;
    s.label = nullptr;
    for (QGraphicsSimpleTextItem* value : s.values) delete value;
    s.values.clear();
    s.shown = nullptr;
    s.onChart = nullptr;
  }
}

void TChart::Clear() {
  // The marks belong to the series being dropped: remove them first.
  DropMarks();
  series_.clear();
  Rebuild();
}

qreal TChart::ToAxisX(double x) const { return dateAxis_ ? DayToMSecs(x) : x; }

void TChart::Rebuild() {
  QChart& c = *chart();
  DropMarks();
  c.removeAllSeries();
  for (QAbstractAxis* axis : c.axes()) {
    c.removeAxis(axis);
    delete axis;
  }

  QAbstractAxis* xAxis = nullptr;
  if (dayAxis_) {
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    xAxis = axis;
  } else if (dateAxis_) {
    auto* axis = new QDateTimeAxis;
    axis->setFormat(dateFormat_);
    xAxis = axis;
  } else {
    auto* axis = new QValueAxis;
    if (!xLabelFormat_.isEmpty()) axis->setLabelFormat(xLabelFormat_);
    xAxis = axis;
  }
  auto* yAxis = new QValueAxis;
  if (!yLabelFormat_.isEmpty()) yAxis->setLabelFormat(yLabelFormat_);
  xAxis->setTitleText(xTitle_);
  yAxis->setTitleText(yTitle_);
  // Bars lying along x are told apart by their labels, not by y values.
  const bool horizontalBars = std::any_of(series_.begin(), series_.end(), [](const TSeries& s) {
    return s.kind == TSeriesKind::HorizontalBar;
  });
  yAxis->setLabelsVisible(!horizontalBars);
  yAxis->setGridLineVisible(!horizontalBars);
  c.addAxis(xAxis, Qt::AlignBottom);
  c.addAxis(yAxis, Qt::AlignLeft);

  // Marks are added last so that they lie over the lines and bars.
  const auto addSeries = [&](TSeries& s) {
    QAbstractSeries* added = nullptr;
    switch (s.kind) {
      case TSeriesKind::Line:
      case TSeriesKind::Arrow: {
        auto* line = new QLineSeries;
        for (const QPointF& p : s.points) line->append(ToAxisX(p.x()), p.y());
        line->setPen(QPen(s.color, 2));
        if (s.kind == TSeriesKind::Line && (s.marked || s.points.size() == 1)) {
          line->setPointsVisible(true);
          line->setMarkerSize(6);
        }
        s.shown = line;
        added = line;
        break;
      }
      case TSeriesKind::Point: {
        auto* points = new QScatterSeries;
        for (const QPointF& p : s.points) points->append(ToAxisX(p.x()), p.y());
        points->setMarkerSize(9);
        points->setColor(s.color);
        points->setBorderColor(s.color.darker(130));
        s.shown = points;
        added = points;
        break;
      }
      case TSeriesKind::Bar:
        AddBarAreas(s, xAxis, yAxis);
        return;
      case TSeriesKind::HorizontalBar: {
        // The area between the bar's upper and lower edge, from 0 to its end.
        auto* area = new QAreaSeries;
        auto* upper = new QLineSeries(area);
        auto* lower = new QLineSeries(area);
        const QPointF& p = s.points.front();
        for (const double x : {0.0, p.x()}) {
          upper->append(x, p.y() + s.width / 2);
          lower->append(x, p.y() - s.width / 2);
        }
        area->setUpperSeries(upper);
        area->setLowerSeries(lower);
        area->setColor(s.color);
        area->setBorderColor(s.color.darker(130));
        added = area;
        break;
      }
    }
    added->setName(s.name);
    s.onChart = added;
    c.addSeries(added);
    added->attachAxis(xAxis);
    added->attachAxis(yAxis);
    if (s.kind == TSeriesKind::Arrow) {
      s.head = new QGraphicsPolygonItem(&c);
      s.head->setBrush(s.color);
      s.head->setPen(QPen(s.color, 1));
      s.head->setZValue(10);
    }
    if (s.kind == TSeriesKind::HorizontalBar) {
      s.label = new QGraphicsSimpleTextItem(s.name, &c);
      QFont font = s.label->font();
      font.setBold(true);
      s.label->setFont(font);
      s.label->setZValue(10);
    }
  };
  for (TSeries& s : series_)
    if (s.kind != TSeriesKind::Point) addSeries(s);
  for (TSeries& s : series_)
    if (s.kind == TSeriesKind::Point) addSeries(s);
  FitAxes();
}

void TChart::AddBarAreas(TSeries& s, QAbstractAxis* xAxis, QAbstractAxis* yAxis) {
  QChart& c = *chart();
  // Each bar is a box of the area between the outline and the zero line;
  // bars of one colour share one area.
  std::vector<std::pair<QColor, QAreaSeries*>> areas;
  std::vector<std::pair<QList<QPointF>, QList<QPointF>>> outlines;  // per area
  for (qsizetype i = 0; i < s.points.size(); ++i) {
    const QColor color = i < s.colors.size() ? s.colors[i] : s.color;
    auto found = std::find_if(areas.begin(), areas.end(),
                              [&color](const auto& area) { return area.first == color; });
    if (found == areas.end()) {
      auto* area = new QAreaSeries;
      area->setUpperSeries(new QLineSeries(area));
      area->setLowerSeries(new QLineSeries(area));
      area->setColor(color);
      area->setBorderColor(color.darker(130));
      areas.emplace_back(color, area);
      outlines.emplace_back();
      found = areas.end() - 1;
    }
    const QPointF& p = s.points[i];
    const double left = p.x() - s.width / 2, right = p.x() + s.width / 2;
    auto& [upper, lower] = outlines[static_cast<std::size_t>(found - areas.begin())];
    for (const QPointF& corner :
         {QPointF(left, 0), QPointF(left, p.y()), QPointF(right, p.y()), QPointF(right, 0)}) {
      upper.append(QPointF(ToAxisX(corner.x()), corner.y()));
      lower.append(QPointF(ToAxisX(corner.x()), 0));
    }
  }
  // Handed over whole: a series redraws on every point appended one by one.
  for (std::size_t i = 0; i < outlines.size(); ++i) {
    areas[i].second->upperSeries()->replace(outlines[i].first);
    areas[i].second->lowerSeries()->replace(outlines[i].second);
  }
  // A series without points still has its entry in the legend.
  if (areas.empty()) {
    auto* area = new QAreaSeries;
    area->setUpperSeries(new QLineSeries(area));
    area->setLowerSeries(new QLineSeries(area));
    area->setColor(s.color);
    area->setBorderColor(s.color.darker(130));
    areas.emplace_back(s.color, area);
  }
  for (std::size_t i = 0; i < areas.size(); ++i) {
    QAreaSeries* area = areas[i].second;
    area->setName(s.name);
    c.addSeries(area);
    area->attachAxis(xAxis);
    area->attachAxis(yAxis);
    if (i > 0)
      for (QLegendMarker* marker : c.legend()->markers(area)) marker->setVisible(false);
  }
  s.onChart = areas.front().second;
  if (!s.valueLabels) return;
  for (const QPointF& p : s.points) {
    auto* label = new QGraphicsSimpleTextItem(QString::number(p.y(), 'f', s.decimals), &c);
    label->setZValue(10);
    s.values.push_back(label);
  }
}

void TChart::FitAxes() {
  double xLo = 0, xHi = 0, yLo = 0, yHi = 0;
  bool any = false;
  for (const TSeries& s : series_) {
    if (s.kind == TSeriesKind::HorizontalBar) {
      // A bar lying along x spans 0 to its end and its thickness in y.
      const QPointF& p = s.points.front();
      const double xs[2] = {std::min(0.0, p.x()), std::max(0.0, p.x())};
      const double ys[2] = {p.y() - s.width / 2, p.y() + s.width / 2};
      if (!any) xLo = xs[0], xHi = xs[1], yLo = ys[0], yHi = ys[1], any = true;
      xLo = std::min(xLo, xs[0]), xHi = std::max(xHi, xs[1]);
      yLo = std::min(yLo, ys[0]), yHi = std::max(yHi, ys[1]);
      continue;
    }
    for (const QPointF& p : s.points) {
      const double half = s.kind == TSeriesKind::Bar ? s.width / 2 : 0;
      if (!any) {
        xLo = p.x() - half, xHi = p.x() + half, yLo = yHi = p.y();
        any = true;
      }
      xLo = std::min(xLo, p.x() - half);
      xHi = std::max(xHi, p.x() + half);
      yLo = std::min(yLo, p.y());
      yHi = std::max(yHi, p.y());
      if (s.kind == TSeriesKind::Bar) {
        yLo = std::min(yLo, 0.0);
        yHi = std::max(yHi, 0.0);
      }
    }
  }
  // The y axis keeps a margin about the values, and values that are never
  // negative (weights, calories) keep 0 as its floor.
  const TAxisFit yFit = any ? FitValueAxis(yLo, yHi, yFromZero_) : TAxisFit{};
  if (!any) xLo = 0, xHi = 1;
  if (xHi - xLo <= 0) xLo -= 1, xHi += 1;
  const double xPad = (xHi - xLo) * 0.05;
  // Bars that lie along x keep 0 as the floor of x.
  const bool positiveX =
      xLo >= 0 && std::any_of(series_.begin(), series_.end(), [](const TSeries& s) {
        return s.kind == TSeriesKind::HorizontalBar;
      });
  xLo -= xPad, xHi += xPad;
  if (positiveX) xLo = std::max(xLo, 0.0);
  yLo = yFit.Min, yHi = yFit.Max;
  int yTicks = yFit.TickCount(), yDecimals = yFit.Decimals();
  if (xMin_ < xMax_) xLo = xMin_, xHi = xMax_;
  if (yMin_ < yMax_) yLo = yMin_, yHi = yMax_, yTicks = 0, yDecimals = -1;

  if (zoomed_) {
    ApplyRanges(viewX_[0], viewX_[1], viewY_[0], viewY_[1], false);
    return;
  }
  ApplyRanges(xLo, xHi, yLo, yHi, true, yTicks, yDecimals);
}

void TChart::ApplyRanges(double xLo, double xHi, double yLo, double yHi, bool nice,
                         int yTicks, int yDecimals) {
  viewX_[0] = xLo, viewX_[1] = xHi, viewY_[0] = yLo, viewY_[1] = yHi;
  const QList<QAbstractAxis*> xs = chart()->axes(Qt::Horizontal);
  const QList<QAbstractAxis*> ys = chart()->axes(Qt::Vertical);
  if (xs.isEmpty() || ys.isEmpty()) return;
  if (auto* days = qobject_cast<QCategoryAxis*>(xs.first())) {
    days->setRange(xLo, xHi);
  } else if (auto* dates = qobject_cast<QDateTimeAxis*>(xs.first())) {
    dates->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(DayToMSecs(xLo))),
                    QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(DayToMSecs(xHi))));
  } else if (auto* values = qobject_cast<QValueAxis*>(xs.first())) {
    values->setRange(xLo, xHi);
    if (nice && !(xMin_ < xMax_)) values->applyNiceNumbers();
    viewX_[0] = values->min(), viewX_[1] = values->max();
  }
  if (auto* values = qobject_cast<QValueAxis*>(ys.first())) {
    values->setRange(yLo, yHi);
    if (nice && yTicks >= 2) values->setTickCount(yTicks);
    // A fitted axis shows the decimals its ticks need, unless told a format.
    if (nice && yDecimals >= 0 && yLabelFormat_.isEmpty())
      values->setLabelFormat(QStringLiteral("%.%1f").arg(yDecimals));
    viewY_[0] = values->min(), viewY_[1] = values->max();
  }
  PlaceDayLabels();
  PlaceArrowHeads();
  PlaceBarLabels();
  PlaceValueLabels();
}

void TChart::PlaceDayLabels() {
  const QList<QAbstractAxis*> xs = chart()->axes(Qt::Horizontal);
  auto* days = xs.isEmpty() ? nullptr : qobject_cast<QCategoryAxis*>(xs.first());
  // Relabelling may move the plot area, which calls back here.
  if (!days || placingDays_) return;
  placingDays_ = true;
  // Day labels are the many; the fewer month labels have room to spare.
  const QFontMetricsF metrics(days->labelsFont());
  const qreal labelWidth = metrics.horizontalAdvance(QStringLiteral("30 Sep")) + 18;
  const qreal width = chart()->plotArea().width() > 0 ? chart()->plotArea().width() : 400;
  const std::vector<TDayTick> ticks =
      DayTicks(viewX_[0], viewX_[1], std::max(1, static_cast<int>(width / labelWidth)));
  for (const QString& label : days->categoriesLabels()) days->remove(label);
  days->setStartValue(ticks.empty() ? viewX_[0] : std::min(viewX_[0], ticks.front().Day - 1));
  for (const TDayTick& tick : ticks) days->append(QString::fromStdString(tick.Text), tick.Day);
  days->setRange(viewX_[0], viewX_[1]);
  // The labels leave out the year; the title names it.
  days->setTitleText(!xTitle_.isEmpty() ? xTitle_
                                        : QString::fromStdString(DayAxisTitle(viewX_[0], viewX_[1])));
  placingDays_ = false;
}

void TChart::PlaceBarLabels() {
  for (const TSeries& s : series_) {
    if (!s.label || !s.onChart) continue;
    const QPointF& p = s.points.front();
    const QPointF start = chart()->mapToPosition(QPointF(0, p.y()), s.onChart);
    const QPointF end = chart()->mapToPosition(QPointF(p.x(), p.y()), s.onChart);
    const QRectF text = s.label->boundingRect();
    constexpr qreal kInset = 6;
    // On the bar in white when it fits, else just after its end.
    const bool inside = std::fabs(end.x() - start.x()) >= text.width() + 2 * kInset;
    s.label->setBrush(inside ? QColor(Qt::white) : QColor(Qt::black));
    const qreal x =
        inside ? std::min(start.x(), end.x()) + kInset : std::max(start.x(), end.x()) + kInset;
    s.label->setPos(x, start.y() - text.height() / 2);
  }
}

QRectF TChart::BarLabelRect(int index) const {
  const TSeries& s = series_.at(static_cast<size_t>(index));
  if (!s.label) return {};
  const QRectF inChart = s.label->mapRectToParent(s.label->boundingRect());
  return mapFromScene(chart()->mapToScene(inChart)).boundingRect();
}

QPolygonF TChart::ArrowHead(int index) const {
  const TSeries& s = series_.at(static_cast<size_t>(index));
  return s.head ? s.head->polygon() : QPolygonF();
}

void TChart::PlaceArrowHeads() {
  for (const TSeries& s : series_) {
    if (!s.head || !s.shown || s.points.size() < 2) continue;
    const QPointF from =
        chart()->mapToPosition(QPointF(ToAxisX(s.points[0].x()), s.points[0].y()), s.shown);
    const QPointF to =
        chart()->mapToPosition(QPointF(ToAxisX(s.points[1].x()), s.points[1].y()), s.shown);
    s.head->setPolygon(ArrowHeadPolygon(from, to));
  }
}

QPointF TChart::MapToWidget(QPointF value) const {
  if (series_.empty() || !series_.front().onChart) {
    const QPointF inChart = chart()->mapToPosition(QPointF(ToAxisX(value.x()), value.y()));
    return mapFromScene(chart()->mapToScene(inChart));
  }
  const QPointF inChart =
      chart()->mapToPosition(QPointF(ToAxisX(value.x()), value.y()), series_.front().onChart);
  return mapFromScene(chart()->mapToScene(inChart));
}

void TChart::PlaceValueLabels() {
  const QRectF plot = chart()->plotArea();
  for (const TSeries& s : series_) {
    if (s.values.empty() || !s.onChart) continue;
    // A label that would overlap the one shown before it stays hidden: with
    // many narrow bars only every few values can be read.
    qreal lastRight = -std::numeric_limits<qreal>::infinity();
    for (std::size_t i = 0; i < s.values.size(); ++i) {
      const QPointF& p = s.points[static_cast<qsizetype>(i)];
      const QPointF top = chart()->mapToPosition(QPointF(ToAxisX(p.x()), p.y()), s.onChart);
      QGraphicsSimpleTextItem* label = s.values[i];
      const QRectF text = label->boundingRect();
      // Above a bar that goes up, below one that goes down.
      const qreal y = p.y() >= 0 ? top.y() - text.height() - 1 : top.y() + 1;
      const qreal left = top.x() - text.width() / 2;
      label->setPos(left, y);
      const bool inView = plot.contains(top.x(), std::clamp(top.y(), plot.top(), plot.bottom())) &&
                          p.x() >= viewX_[0] && p.x() <= viewX_[1];
      const bool room = left > lastRight + 2;
      label->setVisible(inView && room);
      if (inView && room) lastRight = left + text.width();
    }
  }
}

QStringList TChart::ValueLabels(int index) const {
  QStringList texts;
  for (const QGraphicsSimpleTextItem* label : series_.at(static_cast<size_t>(index)).values)
    if (label->isVisible()) texts << label->text();
  return texts;
}

QList<QRectF> TChart::ValueLabelRects(int index) const {
  QList<QRectF> rects;
  for (const QGraphicsSimpleTextItem* label : series_.at(static_cast<size_t>(index)).values) {
    if (!label->isVisible()) continue;
    const QRectF inChart = label->mapRectToParent(label->boundingRect());
    rects << mapFromScene(chart()->mapToScene(inChart)).boundingRect();
  }
  return rects;
}

void TChart::resizeEvent(QResizeEvent* event) {
  QChartView::resizeEvent(event);
  PlaceArrowHeads();
  PlaceBarLabels();
  PlaceValueLabels();
}

void TChart::Print(QPainter& painter, const QRect& target) {
  render(&painter, QRectF(target), viewport()->rect(), Qt::KeepAspectRatio);
}

bool TChart::Print(QPrinter& printer) {
  QPainter painter(&printer);
  if (!painter.isActive()) return false;
  const QRect page = painter.viewport();
  QSize size = viewport()->size();
  size.scale(page.size(), Qt::KeepAspectRatio);
  Print(painter, QRect(page.topLeft(), size));
  return painter.end();
}

QImage TChart::ToImage() {
  QImage image(viewport()->size(), QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  Print(painter, image.rect());
  return image;
}

bool TChart::SaveImage(const QString& fileName, QString* error) {
  QSaveFile file(fileName);
  bool written = file.open(QIODevice::WriteOnly);
  if (written && fileName.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(viewport()->size());
    svg.setViewBox(QRect(QPoint(0, 0), viewport()->size()));
    svg.setTitle(Title());
    QPainter painter;
    written = painter.begin(&svg);
    if (written) {
      Print(painter, QRect(QPoint(0, 0), viewport()->size()));
      written = painter.end();
    }
  } else if (written) {
    written = ToImage().save(&file, "PNG");
  }
  if (written) written = file.commit();
  if (!written && error) *error = file.errorString();
  return written;
}

}  // namespace korvela
